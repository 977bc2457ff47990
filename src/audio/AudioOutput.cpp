#include "audio/AudioOutput.h"
#include "common/Clock.h"
#include <QtGlobal>

AudioOutput::AudioOutput(const Clock& clock, double suggestedLatencySeconds)
    : clock_(clock),
      suggestedLatency_(suggestedLatencySeconds)
{
}

void AudioOutput::setDevice(std::optional<std::string> device)
{
    if (device == device_)
        return;
    device_ = std::move(device);
    stream_.close();
    lastTryNs_.reset();
    reportedError_.clear();
}

bool AudioOutput::ensureOpen(bool userStartsSound)
{
    if (!device_)
        return false;
    if (stream_.isOpen()) {
        if (stream_.alive())
            return true;
        closeLost();
    }
    const std::int64_t now = clock_.nowNs();
    if (!userStartsSound && lastTryNs_ && now - *lastTryNs_ < kRetryPauseNs)
        return false;
    lastTryNs_ = now;
    if (stream_.open(suggestedLatency_, *device_)) {
        ++opening_;
        reportedError_.clear();
        return true;
    }
    // For whoever reads the program's log; the windows say it in their words.
    if (stream_.lastError() != reportedError_)
        qWarning("No sound output: %s", stream_.lastError().c_str());
    reportedError_ = stream_.lastError();
    return false;
}

bool AudioOutput::hasOutput()
{
    if (stream_.isOpen() && !stream_.alive())
        closeLost();
    return stream_.isOpen();
}

void AudioOutput::closeLost()
{
    qWarning("The sound output has gone away.");
    stream_.close();
}

bool AudioOutput::freshAnchor(const StreamAnchor& anchor) const
{
    // The device asks for more long before its last buffer has been heard;
    // an older anchor is from a stream that has paused (as one to PulseAudio
    // does while it starts), and times drawn from it would come too early.
    return stream_.streamTime() - anchor.dacTime <= kStaleAnchorSeconds;
}

std::optional<std::int64_t> AudioOutput::heardNs(std::int64_t frame) const
{
    const Mixer* mixer = stream_.mixer();
    const auto anchor = mixer ? mixer->anchor() : std::nullopt;
    if (!anchor || !freshAnchor(*anchor))
        return std::nullopt;
    const double heard = anchor->dacTime + double(frame - anchor->frame) / stream_.sampleRate();
    return clock_.nowNs() + std::int64_t((heard - stream_.streamTime()) * 1e9);
}

std::optional<double> AudioOutput::heardSourceFrame(Mixer::SourceId id) const
{
    const Mixer* mixer = stream_.mixer();
    return mixer ? mixer->heardSourceFrame(id, stream_.streamTime()) : std::nullopt;
}
