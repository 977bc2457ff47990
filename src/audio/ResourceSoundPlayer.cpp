#include "audio/ResourceSoundPlayer.h"
#include "common/Clock.h"
#include <QtGlobal>

ResourceSoundPlayer::ResourceSoundPlayer(const Clock& clock, double suggestedLatencySeconds)
    : clock_(clock),
      suggestedLatency_(suggestedLatencySeconds)
{
    const auto images = builtInWaveImages();
    for (auto it = images.cbegin(); it != images.cend(); ++it) {
        if (auto sound = parseWave(it.value())) {
            names_ << it.key();
            sounds_.push_back(std::move(*sound));
        }
    }
}

std::unique_ptr<OutputMixer> ResourceSoundPlayer::mixerFor(int sampleRate) const
{
    std::vector<MonoSound> rendered;
    for (const PcmSound& sound : sounds_)
        rendered.push_back(renderForOutput(sound, sampleRate));
    rendered.push_back(standardBeep(sampleRate));
    return std::make_unique<OutputMixer>(std::move(rendered), std::int64_t(kWarmUpSeconds * sampleRate));
}

int ResourceSoundPlayer::soundIndex(const QString& name) const
{
    return names_.indexOf(name.toUpper());
}

bool ResourceSoundPlayer::ensureOutput(bool userStartsSound)
{
    if (output_.isOpen()) {
        if (output_.alive())
            return true;
        closeLostOutput();
    }
    const std::int64_t now = clock_.nowNs();
    if (!userStartsSound && lastTryNs_ && now - *lastTryNs_ < kRetryPauseNs)
        return false;
    lastTryNs_ = now;
    if (output_.open(suggestedLatency_, [this](int rate) { return mixerFor(rate); })) {
        reportedError_.clear();
        return true;
    }
    // For whoever reads the program's log; the windows say it in their words.
    if (output_.lastError() != reportedError_)
        qWarning("No sound output: %s", output_.lastError().c_str());
    reportedError_ = output_.lastError();
    return false;
}

void ResourceSoundPlayer::closeLostOutput()
{
    qWarning("The sound output has gone away.");
    output_.close();
}

void ResourceSoundPlayer::playResourceSound(const QString& name)
{
    const int index = soundIndex(name);
    if (index >= 0 && ensureOutput(false))
        output_.mixer()->play(index);
}

void ResourceSoundPlayer::beep()
{
    if (ensureOutput(false))
        output_.mixer()->play(int(names_.size()));
    else if (systemBell_)
        systemBell_();
}

bool ResourceSoundPlayer::startClicks(const ClickPattern& pattern)
{
    if (!ensureOutput(true))
        return false;
    ClickTrack track;
    track.beatFrames = pattern.beatSeconds * output_.sampleRate();
    track.beatsPerBar = pattern.beatsPerBar;
    track.accentSound = soundIndex(pattern.accentSound);
    track.clickSound = soundIndex(pattern.clickSound);
    run_ = output_.mixer()->startClicks(track);
    return true;
}

void ResourceSoundPlayer::stopClicks()
{
    if (output_.isOpen())
        output_.mixer()->stopClicks();
    run_ = 0;
}

std::optional<std::int64_t> ResourceSoundPlayer::clickHeardNs(int index)
{
    if (!output_.isOpen())
        return std::nullopt;
    const OutputMixer& mixer = *output_.mixer();
    const auto frame = mixer.clickFrame(run_, index);
    const auto anchor = mixer.anchor();
    if (!frame || !anchor)
        return std::nullopt;
    const double now = output_.streamTime();
    // The device asks for more long before its last buffer has been heard;
    // an older anchor is from a stream that has paused (as one to PulseAudio
    // does while it starts), and times drawn from it would come too early.
    if (now - anchor->dacTime > kStaleAnchorSeconds)
        return std::nullopt;
    const double heard = anchor->dacTime + double(*frame - anchor->frame) / output_.sampleRate();
    return clock_.nowNs() + std::int64_t((heard - now) * 1e9);
}

bool ResourceSoundPlayer::hasOutput()
{
    if (output_.isOpen() && !output_.alive())
        closeLostOutput();
    return output_.isOpen();
}

std::int64_t ResourceSoundPlayer::clicksPlaced() const
{
    return output_.isOpen() ? output_.mixer()->clicksPlaced() : 0;
}
