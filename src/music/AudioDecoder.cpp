#include "music/AudioDecoder.h"
#include "audio/AudioFileReader.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <memory>

namespace {

constexpr int kBlockFrames = 4096;

DecodedAudio failed(DecodeFailure failure, const QString& detail)
{
    DecodedAudio result;
    result.failure = failure;
    result.detail = detail;
    return result;
}

// Appends to the kept samples while there is room, and counts them all.
void keep(DecodedAudio& audio, const float* samples, int count, size_t keptSamples)
{
    const size_t room = keptSamples > audio.samples.size() ? keptSamples - audio.samples.size() : 0;
    audio.samples.insert(audio.samples.end(), samples, samples + std::min(room, size_t(count)));
    audio.sampleCount += count;
}

struct ResamplerFreer {
    void operator()(SwrContext* c) const { swr_free(&c); }
};

// Stereo at the file's rate to mono at the analysis rate. Averaging first
// leaves one channel to resample, and a mono file exactly as it was.
class MonoResampler {
public:
    bool open(int fromRate, int toRate)
    {
        SwrContext* raw = nullptr;
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        const bool made = swr_alloc_set_opts2(&raw, &mono, AV_SAMPLE_FMT_FLT, toRate, &mono, AV_SAMPLE_FMT_FLT,
                                              fromRate, 0, nullptr) >= 0;
        resampler_.reset(raw);
        return made && swr_init(raw) >= 0;
    }

    void convert(const float* stereo, int frames, DecodedAudio& audio, size_t keptSamples)
    {
        mono_.resize(size_t(frames));
        for (size_t i = 0; i < size_t(frames); ++i)
            mono_[i] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
        const auto* input = reinterpret_cast<const uint8_t*>(mono_.data());
        const int room = swr_get_out_samples(resampler_.get(), frames);
        resampled_.resize(size_t(std::max(room, 0)));
        auto* target = reinterpret_cast<uint8_t*>(resampled_.data());
        const int made = swr_convert(resampler_.get(), &target, room, frames > 0 ? &input : nullptr, frames);
        keep(audio, resampled_.data(), std::max(made, 0), keptSamples);
    }

private:
    std::unique_ptr<SwrContext, ResamplerFreer> resampler_;
    std::vector<float> mono_;
    std::vector<float> resampled_;
};

bool cancelled(const std::atomic_bool* cancel)
{
    return cancel && cancel->load();
}

// What the reader's end means for the whole: a break after some samples
// still leaves them to analyse, none at all is a failure.
DecodedAudio finished(DecodedAudio audio, const AudioFileReader& reader)
{
    const DecodeFailure failure = reader.failure();
    if (failure == DecodeFailure::Undecodable)
        return failed(failure, reader.failureDetail());
    if (audio.sampleCount == 0)
        return failed(DecodeFailure::NoSamples,
                      failure == DecodeFailure::BrokenOff ? reader.failureDetail() : QString());
    return audio;
}

} // namespace

DecodedAudio decodeAudioFile(const QString& path, int sampleRate, const std::atomic_bool* cancel, double keptSeconds)
{
    return decodeAudioFile(path, sampleRate, cancel, keptSeconds, StereoTap());
}

DecodedAudio decodeAudioFile(const QString& path, int sampleRate, const std::atomic_bool* cancel, double keptSeconds,
                             const StereoTap& tap)
{
    if (cancelled(cancel))
        return failed(DecodeFailure::Cancelled, QString());
    AudioFileReader reader;
    // Without a tap the reader resamples to mono itself, in one step.
    if (!reader.open(path, tap ? 0 : sampleRate, tap ? 2 : 1))
        return failed(reader.failure(), reader.failureDetail());
    MonoResampler resampler;
    if (tap && !resampler.open(reader.sampleRate(), sampleRate))
        return failed(DecodeFailure::Undecodable, QStringLiteral("resampler"));

    DecodedAudio audio;
    audio.sampleRate = sampleRate;
    const size_t keptSamples = size_t(std::max(0.0, keptSeconds) * sampleRate);
    std::vector<float> block(size_t(kBlockFrames) * size_t(reader.channels()));
    for (;;) {
        if (cancelled(cancel))
            return failed(DecodeFailure::Cancelled, QString());
        const int frames = reader.read(block.data(), kBlockFrames);
        if (tap && frames > 0) {
            tap(block.data(), frames, reader.sampleRate());
            resampler.convert(block.data(), frames, audio, keptSamples);
        }
        else {
            keep(audio, block.data(), frames, keptSamples);
        }
        if (frames < kBlockFrames)
            break;
    }
    if (tap)
        resampler.convert(nullptr, 0, audio, keptSamples);
    return finished(std::move(audio), reader);
}
