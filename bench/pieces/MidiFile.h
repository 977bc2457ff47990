#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// A standard MIDI file (format 1) written from events placed in seconds: the
// file's tempo is fixed, so humanised and drifting timing is written as it is
// meant rather than quantised to a score.
class MidiFile {
public:
    static constexpr int DrumChannel = 9;

    // Program, volume, pan and reverb send of a channel, at its start. On the
    // drum channel the program chooses the kit.
    void setChannel(int channel, int program, int volume, int pan, int reverb);
    // A note; velocity 1 to 127. Notes shorter than a tick still sound.
    void note(int channel, double seconds, double duration, int key, int velocity);
    void controller(int channel, double seconds, int number, int value);

    // False when the file cannot be written.
    bool write(const QString& path) const;

private:
    struct Event {
        std::int64_t tick;
        int order; // at one tick: note-offs before controllers before note-ons
        std::vector<std::uint8_t> bytes;
    };
    static std::int64_t tickAt(double seconds);
    std::vector<Event>& track(int channel);

    std::vector<std::pair<int, std::vector<Event>>> tracks_; // by channel, in order of first use
};
