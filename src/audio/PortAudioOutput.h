#pragma once
#include "audio/Mixer.h"
#include <atomic>
#include <memory>
#include <portaudio.h>
#include <string>
#include <vector>

// One output stream on a device (the system's default unless named), whose real-time callback
// renders a Mixer. Opening and closing happen on the user-interface
// thread; the library is started for each opening and ended with each
// closing, so that a device that appears later is found by the next opening.
class PortAudioOutput {
public:
    PortAudioOutput() = default;
    ~PortAudioOutput();
    PortAudioOutput(const PortAudioOutput&) = delete;
    PortAudioOutput& operator=(const PortAudioOutput&) = delete;

    // Opens and starts the stream at the device's own rate with an empty
    // mixer; false when there is no device or it refuses. An empty name is
    // the system's default device.
    bool open(double suggestedLatencySeconds, const std::string& device = {});

    // The names of the devices that play sound, and the default one's name.
    struct Devices {
        std::vector<std::string> names;
        std::string defaultName;
    };
    static Devices outputDevices();
    // Those of them that are not the default one under another name.
    static std::vector<std::string> besidesDefault(const Devices& devices);
    void close();
    bool isOpen() const { return stream_ != nullptr; }
    // Why the last opening failed; empty after one that succeeded.
    const std::string& lastError() const { return error_; }
    // False once the stream has ended or its callback has stopped coming.
    bool alive() const;

    Mixer* mixer() const { return mixer_.get(); }
    int sampleRate() const { return sampleRate_; }
    // The stream's clock in seconds, the one its DAC times are given in.
    double streamTime() const;
    // The share of the time between callbacks that the callback takes, 0 to 1.
    double cpuLoad() const { return stream_ ? Pa_GetStreamCpuLoad(stream_) : 0.0; }
    // From rendering a block to hearing it, as the last callback was told.
    double delaySeconds() const { return delay_.load(std::memory_order_relaxed); }
    // Callbacks that reported the device had run dry, since opening.
    std::int64_t underflows() const { return underflows_.load(std::memory_order_relaxed); }

private:
    static int callback(const void* input, void* output, unsigned long frames, const PaStreamCallbackTimeInfo* timeInfo,
                        PaStreamCallbackFlags statusFlags, void* self);
    static void finished(void* self);
    bool fail(const char* why);

    PaStream* stream_ = nullptr;
    std::string error_;
    bool libraryStarted_ = false;
    std::unique_ptr<Mixer> mixer_;
    int sampleRate_ = 0;
    int channels_ = 0;
    double latency_ = 0;
    double openedAt_ = 0;
    std::atomic<bool> ended_{false};
    std::atomic<std::int64_t> underflows_{0};
    std::atomic<double> delay_{0};
};
