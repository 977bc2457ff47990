#pragma once
#include <cstdint>
#include <optional>

// One beat of the metronome: its number counted from 1 since the start, and
// whether it opens a bar.
struct Beat {
    int number = 0;
    bool accent = false;
};

// Which beat falls due when. Beat j is due once (j - 1) beat lengths have
// passed since the start; since every beat is measured from the start time,
// late ticks do not shift the beats after them, and beats missed while ticks
// were held up follow one per tick. A tempo or metre changed while running
// takes over at the next bar line, which then becomes the time the beats are
// measured from.
class BeatSchedule {
public:
    static double beatLengthSeconds(double barsPerMinute, int beatsPerBar);

    void setTempo(double barsPerMinute, int beatsPerBar);
    // While running: the tempo and metre from the next bar on.
    void changeAtNextBar(double barsPerMinute, int beatsPerBar);
    void start(std::int64_t startMs);
    // While running: the beats go on in their bar, the next one due at nextBeatMs.
    void continueAt(std::int64_t nextBeatMs);
    // The next beat if one is due at nowMs; at most one per call.
    std::optional<Beat> nextBeat(std::int64_t nowMs);
    // Counts the next beat without asking the time: for a caller that learns
    // elsewhere when it falls due.
    Beat countBeat();

    double beatSeconds() const { return beatSeconds_; }
    int beatsPerBar() const { return beatsPerBar_; }
    int beatCount() const { return beatCount_; }

private:
    struct Tempo {
        double barsPerMinute;
        int beatsPerBar;
    };
    void takeOverAtThisBar();

    double barStartMs_ = 0; // when beat barStartBeat_ + 1 was due
    int barStartBeat_ = 0;
    int beatCount_ = 0;
    double beatSeconds_ = 0;
    int beatsPerBar_ = 4;
    std::optional<Tempo> pending_;
};
