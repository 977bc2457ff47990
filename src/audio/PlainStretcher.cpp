#include "audio/PlainStretcher.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kBufferFrames = 1024;
}

void PlainStretcher::restart(int /*sampleRate*/, double timeRatio)
{
    buffer_.assign(size_t(kBufferFrames) * Channels, 0.0f);
    bufferStart_ = 0;
    bufferFrames_ = 0;
    position_ = 0;
    ended_ = false;
    setTimeRatio(timeRatio);
}

void PlainStretcher::setTimeRatio(double timeRatio)
{
    step_ = 1.0 / timeRatio;
}

int PlainStretcher::pull(FrameSupply& music, float* out, int frames)
{
    int written = 0;
    for (; written < frames; ++written) {
        const auto frame = std::int64_t(std::floor(position_));
        if (!fetch(music, frame))
            break;
        const float* from = buffer_.data() + size_t(frame - bufferStart_) * Channels;
        std::copy(from, from + Channels, out + size_t(written) * Channels);
        position_ += step_;
    }
    return written;
}

// Makes input frame `frame` buffered; false when the music ends before it.
bool PlainStretcher::fetch(FrameSupply& music, std::int64_t frame)
{
    while (frame >= bufferStart_ + bufferFrames_) {
        if (ended_)
            return false;
        bufferStart_ += bufferFrames_;
        bufferFrames_ = music.supply(buffer_.data(), kBufferFrames);
        ended_ = bufferFrames_ < kBufferFrames;
    }
    return true;
}
