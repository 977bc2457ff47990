#include "audio/LoudnessMeter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Music's true peak passes its sample peak by well under 3 dB, so a block
// whose sample peak is 3 dB below the highest so far cannot hold the true
// peak; skipping its 4x oversampling more than halves the meter's cost.
constexpr float kPeakMargin = 0.7079f;
} // namespace

struct LoudnessMeter::State {
    ebur128_state* meter;
    ebur128_state* peaks;
    float samplePeak = 0;
    ~State()
    {
        ebur128_destroy(&meter);
        ebur128_destroy(&peaks);
    }
};

LoudnessMeter::LoudnessMeter(int sampleRate, int channels)
    : state_(new State{ebur128_init(unsigned(channels), unsigned(sampleRate), EBUR128_MODE_I),
                       ebur128_init(unsigned(channels), unsigned(sampleRate), EBUR128_MODE_TRUE_PEAK)}),
      channels_(channels)
{
}

LoudnessMeter::~LoudnessMeter() = default;

void LoudnessMeter::add(const float* frames, int count)
{
    if (!state_->meter || !state_->peaks || count <= 0)
        return;
    ebur128_add_frames_float(state_->meter, frames, size_t(count));
    float peak = 0;
    for (size_t i = 0; i < size_t(count) * size_t(channels_); ++i)
        peak = std::max(peak, std::abs(frames[i]));
    if (peak < state_->samplePeak * kPeakMargin)
        return;
    state_->samplePeak = std::max(state_->samplePeak, peak);
    ebur128_add_frames_float(state_->peaks, frames, size_t(count));
}

double LoudnessMeter::integratedLufs() const
{
    double lufs = -std::numeric_limits<double>::infinity();
    if (state_->meter)
        ebur128_loudness_global(state_->meter, &lufs);
    return lufs;
}

double LoudnessMeter::truePeakDb() const
{
    double peak = 0;
    for (int channel = 0; state_->peaks && channel < channels_; ++channel) {
        double channelPeak = 0;
        if (ebur128_true_peak(state_->peaks, unsigned(channel), &channelPeak) == EBUR128_SUCCESS)
            peak = std::max(peak, channelPeak);
    }
    return peak > 0 ? 20 * std::log10(peak) : -std::numeric_limits<double>::infinity();
}

double gainToTarget(double integratedLufs, double truePeakDb, double targetLufs)
{
    if (!std::isfinite(integratedLufs) || !std::isfinite(truePeakDb) || !std::isfinite(targetLufs))
        return 0;
    return std::min(targetLufs - integratedLufs, -truePeakDb);
}
