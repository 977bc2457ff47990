#pragma once
#include "audio/TimeStretcher.h"
#include <cstdint>
#include <vector>

// Steps through the music by the ratio and takes the frame it lands on:
// the pitch moves with the tempo, but every output frame is a known input
// frame, which lets tests check positions to the sample.
class PlainStretcher : public TimeStretcher {
public:
    void restart(int sampleRate, double timeRatio) override;
    void setTimeRatio(double timeRatio) override;
    int pull(FrameSupply& music, float* out, int frames) override;

private:
    bool fetch(FrameSupply& music, std::int64_t frame);

    std::vector<float> buffer_;
    std::int64_t bufferStart_ = 0; // input frame of buffer_'s first
    std::int64_t bufferFrames_ = 0;
    double position_ = 0; // input frame of the next output frame
    double step_ = 1;
    bool ended_ = false;
};
