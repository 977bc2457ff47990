#pragma once
#include "audio/PortAudioOutput.h"
#include "common/SoundPlayer.h"
#include "audio/SoundSamples.h"
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Clock;

// The built-in sounds, the standard beep and the metronome's clicks on the
// system's default audio output, through one stream that is opened at the
// first sound. Without a device everything is silent, except that the beep
// falls back to the system's bell. A failed or lost output is tried again
// when clicks are started, and for other sounds after a pause, so that a
// missing device does not cost every beat the time of a try.
class ResourceSoundPlayer : public SoundPlayer {
public:
    // The latency asked of the device. Measured at a PulseAudio null sink on
    // a 2-core machine shared with other builds (load 4-8): 20 and 30 ms ran
    // dry several times a minute, 50 and 100 ms now and then (100 ms up to
    // four times in two minutes of metronome), 200 ms never. Each time
    // it runs dry every later click comes late by the gap. The metronome
    // flashes when its clicks are heard, so the longer latency costs it
    // nothing; a beep comes 0.2 s after its cause.
    static constexpr double kSuggestedLatencySeconds = 0.2;
    // A stream that has just opened may stumble; clicks wait this long.
    static constexpr double kWarmUpSeconds = 0.2;

    explicit ResourceSoundPlayer(const Clock& clock, double suggestedLatencySeconds = kSuggestedLatencySeconds);

    void playResourceSound(const QString& name) override;
    void beep() override;
    bool startClicks(const ClickPattern& pattern) override;
    void stopClicks() override;
    std::optional<std::int64_t> clickHeardNs(int index) override;
    bool hasOutput() override;
    // Opens the output ahead of the first sound, which then needs not wait
    // for the device to start.
    void openOutput() { ensureOutput(false); }
    // What rings for a beep while there is no output; nothing by default.
    void setSystemBell(std::function<void()> bell) { systemBell_ = std::move(bell); }

    // Clicks of the current run the stream has played so far.
    std::int64_t clicksPlaced() const;
    // Times the device ran dry since the output was opened.
    std::int64_t underflows() const { return output_.underflows(); }

private:
    static constexpr std::int64_t kRetryPauseNs = 5000000000;
    static constexpr double kStaleAnchorSeconds = 0.1;

    bool ensureOutput(bool userStartsSound);
    void closeLostOutput();
    std::unique_ptr<OutputMixer> mixerFor(int sampleRate) const;
    int soundIndex(const QString& name) const;

    const Clock& clock_;
    const double suggestedLatency_;
    QStringList names_; // upper case; the beep's index is names_.size()
    std::vector<PcmSound> sounds_;
    PortAudioOutput output_;
    std::optional<std::int64_t> lastTryNs_;
    std::string reportedError_;
    std::uint32_t run_ = 0;
    std::function<void()> systemBell_;
};
