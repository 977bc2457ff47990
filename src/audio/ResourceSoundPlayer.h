#pragma once
#include "audio/ClickSource.h"
#include "audio/Mixer.h"
#include "audio/OneShotSource.h"
#include "audio/SoundSamples.h"
#include "common/SoundPlayer.h"
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class AudioOutput;

// The built-in sounds, the standard beep and the metronome's clicks, as two
// sources on the program's audio output. Without a device everything is
// silent, except that the beep falls back to the system's bell.
class ResourceSoundPlayer : public SoundPlayer {
public:
    // A stream that has just opened may stumble; clicks wait this long.
    static constexpr double WarmUpSeconds = 0.2;

    explicit ResourceSoundPlayer(AudioOutput& output);

    void playResourceSound(const QString& name) override;
    void beep() override;
    bool startClicks(const ClickPattern& pattern) override;
    void stopClicks() override;
    std::optional<std::int64_t> clickHeardNs(int index) override;
    bool hasOutput() override;
    // Opens the output ahead of the first sound, which then needs not wait
    // for the device to start.
    void openOutput() { ensureSources(false); }
    // What rings for a beep while there is no output; nothing by default.
    void setSystemBell(std::function<void()> bell) { systemBell_ = std::move(bell); }

    // Clicks of the current run the output has played so far.
    std::int64_t clicksPlaced() const;
    // Times the device ran dry since the output was opened.
    std::int64_t underflows() const;

private:
    bool ensureSources(bool userStartsSound);
    int soundIndex(const QString& name) const;

    AudioOutput& output_;
    QStringList names_; // upper case; the beep's index is names_.size()
    std::vector<PcmSound> sounds_;
    // The sources of the output's current opening.
    std::uint32_t opening_ = 0;
    std::shared_ptr<OneShotSource> oneShots_;
    std::shared_ptr<ClickSource> clicks_;
    Mixer::SourceId clicksId_ = 0;
    std::uint32_t run_ = 0;
    std::function<void()> systemBell_;
};
