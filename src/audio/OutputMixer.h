#pragma once
#include "audio/SpscRing.h"
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

// Mono samples in [-1, 1] at the output's rate.
using MonoSound = std::vector<float>;

// The clicks of a metronome run: click k (from 0) sounds at the run's first
// frame + round(k × beatFrames), the accent on the first beat of every bar.
struct ClickTrack {
    double beatFrames = 0;
    int beatsPerBar = 4;
    int accentSound = -1;
    int clickSound = -1;
};

// Where the stream stood at the start of its latest buffer.
struct StreamAnchor {
    std::int64_t frame = 0;
    double dacTime = 0; // when that frame reaches the listener, in the stream's seconds
};

// What the output stream plays: one-shot sounds (a new one cuts off the one
// playing) and the clicks of a metronome run placed at exact frames (a click
// cuts off the click before it), mixed.
//
// One thread (the user-interface thread) sends commands; the audio callback
// renders. They meet only in a fixed ring and a few atomics: render() never
// blocks, allocates or calls into Qt. The sounds are fixed at construction.
class OutputMixer {
public:
    // No click sounds before firstClickFrame: a stream that has just started
    // may still stumble.
    explicit OutputMixer(std::vector<MonoSound> sounds, std::int64_t firstClickFrame = 0);

    // --- the commanding thread ---
    // False for an unknown sound (nothing changes) or a full ring.
    bool play(int sound);
    // The clicks start at the first frame of the next buffer rendered;
    // returns the number of the run, for clickFrame().
    std::uint32_t startClicks(const ClickTrack& track);
    void stopClicks();
    // nullopt until the first buffer has been rendered.
    std::optional<StreamAnchor> anchor() const;
    // The frame of click `index` of `run`; nullopt until the stream has begun that run.
    std::optional<std::int64_t> clickFrame(std::uint32_t run, int index) const;
    // Clicks of the latest run begun so far.
    std::int64_t clicksPlaced() const { return clicksPlaced_.load(std::memory_order_relaxed); }

    // --- the audio callback ---
    // out: frames × channels interleaved samples; dacTime: when its first frame is heard.
    void render(float* out, int frames, int channels, double dacTime);

private:
    enum class Kind { Play, StartClicks, StopClicks };
    struct Command {
        Kind kind = Kind::Play;
        int sound = -1;
        ClickTrack track;
        std::uint32_t run = 0;
    };
    struct Voice {
        const MonoSound* sound = nullptr;
        std::size_t position = 0;
        float next();
    };

    void publishAnchor(double dacTime);
    void takeCommands();
    void beginRun(const Command& command);
    void startDueClick(std::int64_t frame);
    std::int64_t frameOfClick(std::int64_t index) const;
    bool known(int sound) const { return sound >= 0 && sound < int(sounds_.size()); }

    const std::vector<MonoSound> sounds_;
    const std::int64_t firstClickFrame_;
    SpscRing<Command, 64> commands_;

    // Commanding thread only.
    std::uint32_t lastRun_ = 0;
    ClickTrack lastTrack_;

    // Callback only.
    std::int64_t frame_ = 0;
    Voice oneShot_;
    Voice click_;
    bool clicking_ = false;
    ClickTrack track_;
    std::int64_t runStart_ = 0;
    std::int64_t nextClick_ = 0;
    std::int64_t nextClickFrame_ = 0;

    // Callback to commanding thread.
    std::atomic<std::uint32_t> anchorSequence_{0};
    std::atomic<std::int64_t> anchorFrame_{0};
    std::atomic<double> anchorDacTime_{0};
    std::atomic<std::int64_t> runStartFrame_{0};
    std::atomic<std::uint32_t> runBegun_{0};
    std::atomic<std::int64_t> clicksPlaced_{0};
};
