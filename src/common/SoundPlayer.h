#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// The clicks of a metronome run: the accent sound on the first beat of every
// bar, the click sound on the others.
struct ClickPattern {
    double beatSeconds = 0;
    int beatsPerBar = 4;
    QString accentSound;
    QString clickSound;
};

// The program's sound output; every call returns at once and is made on the
// user-interface thread.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // One of the built-in sounds; names match without regard to case, an
    // unknown name plays nothing. A new sound cuts off the one playing.
    virtual void playResourceSound(const QString& name) = 0;
    // The standard beep.
    virtual void beep() = 0;

    // Starts clicks that the output places itself, each at its exact time
    // from now on; false when there is no sound output, and the caller keeps
    // the time. Starting again begins a new run with an accent.
    virtual bool startClicks(const ClickPattern&) { return false; }
    virtual void stopClicks() {}
    // When click `index` (from 0) of the running clicks is heard, in
    // nanoseconds of the program's clock; nullopt while not yet known.
    virtual std::optional<std::int64_t> clickHeardNs(int /*index*/) { return std::nullopt; }
    // False once the sound output is gone (or was never there).
    virtual bool hasOutput() { return false; }
};
