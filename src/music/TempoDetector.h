#pragma once
#include <atomic>
#include <vector>

// A tempo read from audio, in beats per minute of whatever pulse the beat
// tracker followed; 0 when it found no steady pulse.
struct TempoReading {
    double beatsPerMinute = 0;
    int beats = 0;                // the tracked beats the figure rests on
    double firstBeatSeconds = 0;  // where the music's first beat falls, see firstBeatTime()
    double firstSoundSeconds = 0; // the first sample that is not silence
};

// The period of a steady pulse from the times of tracked beats, in seconds:
// the beats are split into runs whose gaps are one or two periods (a missed
// beat), and a straight line fitted through each run's beat times, with one
// slope for all runs, gives the period; that averages the tracker's
// frame-sized jitter away over the whole piece. 0 when fewer than four beats
// keep a pulse.
double periodFromBeatTimes(const std::vector<double>& beatTimes);

// Where a piece's first beat falls: the first tracked beat that the next two
// follow at one period each, moved back by whole periods as long as that stays
// at or after the first sound. A tracker needs a few bars to lock on, but the
// music's pulse was there from the start. The first tracked beat when no
// three follow each other; 0 without beats.
double firstBeatTime(const std::vector<double>& beatTimes, double period, double firstSoundSeconds);
// A beat moved back by whole periods as long as that stays at or after the
// first sound (less a little for the tracker's jitter). With the period of the
// beat the octave choice settled on, this finds the first beat where the
// tracker followed every second one.
double earliestBeat(double beat, double period, double firstSoundSeconds);

// Tracks the beats of mono audio with the onset-based beat tracker and reads
// their tempo. Polls cancel between blocks (a cancelled reading is empty).
TempoReading detectTempo(const std::vector<float>& samples, int sampleRate, const std::atomic_bool* cancel = nullptr);
