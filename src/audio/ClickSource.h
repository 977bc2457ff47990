#pragma once
#include "audio/AudioSource.h"
#include "audio/OneShotSource.h"
#include "audio/SpscRing.h"
#include <atomic>
#include <cstdint>
#include <optional>

// The clicks of a metronome run: click k (from 0) sounds at the run's first
// frame + round(k × beatFrames), the accent on the first beat of every bar.
struct ClickTrack {
    double beatFrames = 0;
    int beatsPerBar = 4;
    int accentSound = -1;
    int clickSound = -1;
};

// A metronome's clicks placed at exact frames (a click cuts off the click
// before it). Frames count from the source's own first frame. Mono, centred;
// it never ends.
class ClickSource : public AudioSource {
public:
    // No clicks before firstClickFrame: a stream that has just started may
    // still stumble.
    explicit ClickSource(OneShotSource::Sounds sounds, std::int64_t firstClickFrame = 0);

    // --- the commanding thread ---
    // The clicks start at the first frame of the next buffer rendered;
    // returns the number of the run, for clickFrame().
    std::uint32_t startClicks(const ClickTrack& track);
    void stopClicks();
    // The frame of click `index` of `run`; nullopt until the source has begun that run.
    std::optional<std::int64_t> clickFrame(std::uint32_t run, int index) const;
    // Clicks of the latest run begun so far.
    std::int64_t clicksPlaced() const { return clicksPlaced_.load(std::memory_order_relaxed); }

    int render(float* out, int frames) override;

private:
    struct Command {
        bool start = false;
        ClickTrack track;
        std::uint32_t run = 0;
    };

    void beginRun(const Command& command);
    void startDueClick(std::int64_t frame);
    std::int64_t frameOfClick(std::int64_t index) const;
    const MonoSound* sound(int index) const;

    const OneShotSource::Sounds sounds_;
    const std::int64_t firstClickFrame_;
    SpscRing<Command, 16> commands_;

    // Commanding thread only.
    std::uint32_t lastRun_ = 0;
    ClickTrack lastTrack_;

    // Callback only.
    std::int64_t frame_ = 0;
    MonoVoice voice_;
    bool clicking_ = false;
    ClickTrack track_;
    std::int64_t runStart_ = 0;
    std::int64_t nextClick_ = 0;
    std::int64_t nextClickFrame_ = 0;

    // Callback to commanding thread.
    std::atomic<std::int64_t> runStartFrame_{0};
    std::atomic<std::uint32_t> runBegun_{0};
    std::atomic<std::int64_t> clicksPlaced_{0};
};
