#pragma once
#include "audio/Mixer.h"
#include "audio/PortAudioOutput.h"
#include <cstdint>
#include <optional>
#include <string>

class Clock;

// A sound output: a stream on a device (the hall's is the system's default,
// the pre-listening one a device the operator names) and the mixer of
// everything that sounds on it (built-in sounds, clicks, tracks). It opens at the first sound. A failed or lost output
// is tried again when the user starts sound, and otherwise after a pause, so that a missing device does not cost every
// beat the time of a try. Its clock says when a frame of the stream is heard. The user-interface thread only.
class AudioOutput {
public:
    // The latency asked of the device. Measured at a PulseAudio null sink on
    // a 2-core machine shared with other builds (load 4-8): 20 and 30 ms ran
    // dry several times a minute, 50 and 100 ms now and then (100 ms up to
    // four times in two minutes of metronome), 200 ms never. Each time it
    // runs dry every later sound comes late by the gap. What follows the
    // sound (the metronome's flash, the fade clocks) follows what is heard, so
    // the longer latency costs nothing but a beep 0.2 s after its cause.
    static constexpr double DefaultLatencySeconds = 0.2;

    explicit AudioOutput(const Clock& clock, double suggestedLatencySeconds = DefaultLatencySeconds);

    // The device: empty for the system's default, nullopt for none at all
    // (the output then never opens). A change closes the stream; what played
    // on it is gone, and the next sound opens the new device.
    void setDevice(std::optional<std::string> device);
    const std::optional<std::string>& device() const { return device_; }

    // True when the output is open (opening it if need be).
    bool ensureOpen(bool userStartsSound);
    // False once the output is gone (or was never there).
    bool hasOutput();
    // Counts the openings: sources added to an earlier one are gone with it.
    std::uint32_t opening() const { return opening_; }

    // Null while closed.
    Mixer* mixer() const { return stream_.mixer(); }
    int sampleRate() const { return stream_.sampleRate(); }
    // Times the device ran dry since the output was opened.
    std::int64_t underflows() const { return stream_.underflows(); }
    // From rendering a sound to hearing it, in seconds, as the device says.
    double delaySeconds() const { return stream_.delaySeconds(); }
    // The callback's share of its time, 0 to 1.
    double cpuLoad() const { return stream_.cpuLoad(); }
    // Why the last opening failed; empty after one that succeeded.
    const std::string& lastError() const { return stream_.lastError(); }
    // The largest sample rendered since the last call, 0 to 1; 0 while closed.
    float takePeak() { return stream_.mixer() ? stream_.mixer()->takePeak() : 0.0f; }

    // When frame `frame` of the stream is (or was) heard, in nanoseconds of
    // the program's clock; nullopt while that is not known.
    std::optional<std::int64_t> heardNs(std::int64_t frame) const;
    // The frame of a source heard now; nullopt while not known.
    std::optional<double> heardSourceFrame(Mixer::SourceId id) const;

private:
    static constexpr std::int64_t kRetryPauseNs = 5000000000;
    static constexpr double kStaleAnchorSeconds = 0.1;

    bool freshAnchor(const StreamAnchor& anchor) const;
    void closeLost();

    const Clock& clock_;
    const double suggestedLatency_;
    PortAudioOutput stream_;
    std::uint32_t opening_ = 0;
    std::optional<std::int64_t> lastTryNs_;
    std::optional<std::string> device_ = std::string();
    std::string reportedError_;
};
