#pragma once
#include "audio/TimeStretcher.h"
#include <cstdint>
#include <memory>
#include <vector>

namespace RubberBand {
class RubberBandStretcher;
}

// Rubber Band in its real-time mode: the ratio may change while it runs.
// Faster is its R2 engine, Finer its R3.
class RubberBandStretcher : public TimeStretcher {
public:
    explicit RubberBandStretcher(StretchQuality quality = StretchQuality::Faster);
    ~RubberBandStretcher() override;

    void restart(int sampleRate, double timeRatio) override;
    void setTimeRatio(double timeRatio) override;
    int pull(FrameSupply& music, float* out, int frames) override;

private:
    void feed(FrameSupply& music);
    int take(float* out, int frames);

    StretchQuality quality_;
    std::unique_ptr<RubberBand::RubberBandStretcher> stretcher_;
    std::vector<float> interleaved_;
    std::vector<float> planes_[Channels];
    int dropFrames_ = 0; // the stretcher's start delay, not yet dropped
    // The finer engine lets its latency out as silence after the music; the
    // output stops where the music's frames at their ratios end.
    double timeRatio_ = 1;
    double expectedFrames_ = 0;
    std::int64_t madeFrames_ = 0;
    bool fedAll_ = false;
};
