#include "audio/ResourceSoundPlayer.h"
#include "audio/AudioOutput.h"

ResourceSoundPlayer::ResourceSoundPlayer(AudioOutput& output)
    : output_(output)
{
    const auto images = builtInWaveImages();
    for (auto it = images.cbegin(); it != images.cend(); ++it) {
        if (auto sound = parseWave(it.value())) {
            names_ << it.key();
            sounds_.push_back(std::move(*sound));
        }
    }
}

int ResourceSoundPlayer::soundIndex(const QString& name) const
{
    return names_.indexOf(name.toUpper());
}

bool ResourceSoundPlayer::ensureSources(bool userStartsSound)
{
    if (!output_.ensureOpen(userStartsSound))
        return false;
    if (opening_ == output_.opening())
        return true;
    const int rate = output_.sampleRate();
    auto rendered = std::make_shared<std::vector<MonoSound>>();
    for (const PcmSound& sound : sounds_)
        rendered->push_back(renderForOutput(sound, rate));
    rendered->push_back(standardBeep(rate));
    oneShots_ = std::make_shared<OneShotSource>(rendered);
    clicks_ = std::make_shared<ClickSource>(rendered, std::int64_t(WarmUpSeconds * rate));
    output_.mixer()->add(oneShots_);
    clicksId_ = output_.mixer()->add(clicks_);
    opening_ = output_.opening();
    run_ = 0;
    return true;
}

void ResourceSoundPlayer::playResourceSound(const QString& name)
{
    const int index = soundIndex(name);
    if (index >= 0 && ensureSources(false))
        oneShots_->play(index);
}

void ResourceSoundPlayer::beep()
{
    if (ensureSources(false))
        oneShots_->play(int(names_.size()));
    else if (systemBell_)
        systemBell_();
}

bool ResourceSoundPlayer::startClicks(const ClickPattern& pattern)
{
    if (!ensureSources(true))
        return false;
    ClickTrack track;
    track.beatFrames = pattern.beatSeconds * output_.sampleRate();
    track.beatsPerBar = pattern.beatsPerBar;
    track.accentSound = soundIndex(pattern.accentSound);
    track.clickSound = soundIndex(pattern.clickSound);
    run_ = clicks_->startClicks(track);
    return true;
}

void ResourceSoundPlayer::stopClicks()
{
    if (clicks_)
        clicks_->stopClicks();
    run_ = 0;
}

std::optional<std::int64_t> ResourceSoundPlayer::clickHeardNs(int index)
{
    if (!output_.hasOutput() || opening_ != output_.opening())
        return std::nullopt;
    const auto frame = clicks_->clickFrame(run_, index);
    const auto sourceStart = output_.mixer()->startFrame(clicksId_);
    if (!frame || !sourceStart)
        return std::nullopt;
    return output_.heardNs(*sourceStart + *frame);
}

bool ResourceSoundPlayer::hasOutput()
{
    return output_.hasOutput();
}

std::int64_t ResourceSoundPlayer::clicksPlaced() const
{
    return clicks_ && opening_ == output_.opening() ? clicks_->clicksPlaced() : 0;
}

std::int64_t ResourceSoundPlayer::underflows() const
{
    return output_.underflows();
}
