#include "audio/RubberBandStretcher.h"

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>
#include <cmath>

namespace {
// The most frames handed to the stretcher at once, and taken from it.
constexpr int kBlockFrames = 1024;
} // namespace

RubberBandStretcher::RubberBandStretcher(StretchQuality quality)
    : quality_(quality),
      interleaved_(size_t(kBlockFrames) * Channels)
{
    for (auto& plane : planes_)
        plane.resize(kBlockFrames);
}

RubberBandStretcher::~RubberBandStretcher() = default;

void RubberBandStretcher::restart(int sampleRate, double timeRatio)
{
    using RB = RubberBand::RubberBandStretcher;
    // Channels together keep the stereo image where the two channels differ in
    // phase. Mixed transients keep drums crisp without the phase resets that
    // made a held tone wander by half a hertz at 8 % faster.
    const RB::Options options = RB::OptionProcessRealTime | RB::OptionChannelsTogether | RB::OptionTransientsMixed |
                                (quality_ == StretchQuality::Finer ? RB::OptionEngineFiner : RB::OptionEngineFaster);
    stretcher_ = std::make_unique<RB>(size_t(sampleRate), size_t(Channels), options, timeRatio, 1.0);
    stretcher_->setMaxProcessSize(kBlockFrames);
    // Silence before the music, and the output it delays dropped, so the
    // first beat comes out first and whole.
    std::fill(planes_[0].begin(), planes_[0].end(), 0.0f);
    std::fill(planes_[1].begin(), planes_[1].end(), 0.0f);
    const float* silence[Channels] = {planes_[0].data(), planes_[1].data()};
    for (int pad = int(stretcher_->getPreferredStartPad()); pad > 0; pad -= kBlockFrames)
        stretcher_->process(silence, size_t(std::min(pad, kBlockFrames)), false);
    dropFrames_ = int(stretcher_->getStartDelay());
    fedAll_ = false;
    timeRatio_ = timeRatio;
    expectedFrames_ = 0;
    madeFrames_ = 0;
}

void RubberBandStretcher::setTimeRatio(double timeRatio)
{
    timeRatio_ = timeRatio;
    stretcher_->setTimeRatio(timeRatio);
}

int RubberBandStretcher::pull(FrameSupply& music, float* out, int frames)
{
    int written = 0;
    while (written < frames) {
        const int available = stretcher_->available();
        const std::int64_t left = fedAll_ ? std::llround(expectedFrames_) - madeFrames_ : kBlockFrames;
        if (available < 0 || (available == 0 && fedAll_) || left <= 0)
            break; // all music given and taken
        if (available == 0)
            feed(music);
        else
            written += take(out + size_t(written) * Channels,
                            int(std::min<std::int64_t>(frames - written, std::min<std::int64_t>(available, left))));
    }
    return written;
}

void RubberBandStretcher::feed(FrameSupply& music)
{
    const int wanted = std::clamp(int(stretcher_->getSamplesRequired()), 1, kBlockFrames);
    const int got = music.supply(interleaved_.data(), wanted);
    for (size_t i = 0; i < size_t(got); ++i) {
        planes_[0][i] = interleaved_[2 * i];
        planes_[1][i] = interleaved_[2 * i + 1];
    }
    fedAll_ = got < wanted;
    expectedFrames_ += got * timeRatio_;
    const float* input[Channels] = {planes_[0].data(), planes_[1].data()};
    stretcher_->process(input, size_t(got), fedAll_);
}

int RubberBandStretcher::take(float* out, int frames)
{
    const int count = std::min(frames, kBlockFrames);
    float* output[Channels] = {planes_[0].data(), planes_[1].data()};
    const int got = int(stretcher_->retrieve(output, size_t(count)));
    const int dropped = std::min(dropFrames_, got);
    dropFrames_ -= dropped;
    for (int i = dropped; i < got; ++i) {
        out[2 * size_t(i - dropped)] = planes_[0][size_t(i)];
        out[2 * size_t(i - dropped) + 1] = planes_[1][size_t(i)];
    }
    madeFrames_ += got - dropped;
    return got - dropped;
}
