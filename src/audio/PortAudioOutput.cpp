#include "audio/PortAudioOutput.h"
#include <algorithm>
#include <set>

namespace {

// Far longer than any buffer a device asks for: a callback this late means the
// device has gone away under a stream that still reads as running. (A stream
// to PulseAudio may pause for most of a second while it starts.)
constexpr double kStalledSeconds = 2.5;

// A sound asked for waits up to one callback before it is rendered: 10 ms
// keeps a pre-listening start close to the device's latency (the library's
// own choice was 50 ms), without a measurable cost.
int framesPerCallback(int sampleRate)
{
    return std::max(64, sampleRate / 100);
}

} // namespace

PortAudioOutput::~PortAudioOutput()
{
    close();
}

namespace {

PaDeviceIndex deviceNamed(const std::string& name)
{
    if (name.empty())
        return Pa_GetDefaultOutputDevice();
    for (PaDeviceIndex device = 0; device < Pa_GetDeviceCount(); ++device) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        if (info && info->maxOutputChannels > 0 && name == info->name)
            return device;
    }
    return paNoDevice;
}

} // namespace

PortAudioOutput::Devices PortAudioOutput::outputDevices()
{
    Devices devices;
    // Counted by the library: this leaves streams of others open as they are.
    if (Pa_Initialize() != paNoError)
        return devices;
    for (PaDeviceIndex device = 0; device < Pa_GetDeviceCount(); ++device) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        if (info && info->maxOutputChannels > 0)
            devices.names.emplace_back(info->name);
    }
    const PaDeviceIndex fallback = Pa_GetDefaultOutputDevice();
    if (const PaDeviceInfo* info = fallback == paNoDevice ? nullptr : Pa_GetDeviceInfo(fallback))
        devices.defaultName = info->name;
    Pa_Terminate();
    return devices;
}

std::vector<std::string> PortAudioOutput::besidesDefault(const Devices& devices)
{
    // The sound server's devices and the default card play where the
    // default does (through the server, or on the card the server holds).
    static const std::set<std::string> kDefaultAliases{"default", "sysdefault", "pulse", "pipewire", "dmix"};
    std::vector<std::string> others;
    for (const std::string& name : devices.names) {
        if (name != devices.defaultName && !kDefaultAliases.count(name))
            others.push_back(name);
    }
    return others;
}

bool PortAudioOutput::open(double suggestedLatencySeconds, const std::string& deviceName)
{
    close();
    PaError result = Pa_Initialize();
    if (result != paNoError)
        return fail(Pa_GetErrorText(result));
    libraryStarted_ = true;
    const PaDeviceIndex device = deviceNamed(deviceName);
    const PaDeviceInfo* info = device == paNoDevice ? nullptr : Pa_GetDeviceInfo(device);
    if (!info || info->maxOutputChannels < 1)
        return fail(deviceName.empty() ? "no output device" : "device not found");
    // Two channels where the device has them: some devices refuse mono.
    channels_ = std::min(2, info->maxOutputChannels);
    sampleRate_ = int(info->defaultSampleRate);
    mixer_ = std::make_unique<Mixer>(sampleRate_);
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = channels_;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = std::max(suggestedLatencySeconds, info->defaultLowOutputLatency);
    ended_ = false;
    underflows_ = 0;
    delay_ = 0;
    PaStream* stream = nullptr;
    result = Pa_OpenStream(&stream, nullptr, &parameters, sampleRate_, framesPerCallback(sampleRate_), paNoFlag,
                           &PortAudioOutput::callback, this);
    if (result != paNoError)
        return fail(Pa_GetErrorText(result));
    stream_ = stream;
    Pa_SetStreamFinishedCallback(stream_, &PortAudioOutput::finished);
    const PaStreamInfo* streamInfo = Pa_GetStreamInfo(stream_);
    latency_ = streamInfo ? streamInfo->outputLatency : parameters.suggestedLatency;
    result = Pa_StartStream(stream_);
    if (result != paNoError)
        return fail(Pa_GetErrorText(result));
    openedAt_ = streamTime();
    error_.clear();
    return true;
}

bool PortAudioOutput::fail(const char* why)
{
    close();
    error_ = why;
    return false;
}

void PortAudioOutput::close()
{
    if (stream_) {
        // Abort rather than stop: nothing is left to drain, and a vanished
        // device must not hold the window up.
        Pa_AbortStream(stream_);
        Pa_CloseStream(stream_);
        stream_ = nullptr;
    }
    mixer_.reset();
    if (libraryStarted_) {
        Pa_Terminate();
        libraryStarted_ = false;
    }
}

bool PortAudioOutput::alive() const
{
    if (!stream_ || ended_ || Pa_IsStreamActive(stream_) != 1)
        return false;
    const auto anchor = mixer_->anchor();
    const double lastSign = anchor ? anchor->dacTime : openedAt_ + latency_;
    return streamTime() - lastSign < kStalledSeconds + latency_;
}

double PortAudioOutput::streamTime() const
{
    return stream_ ? Pa_GetStreamTime(stream_) : 0.0;
}

int PortAudioOutput::callback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo* times,
                              PaStreamCallbackFlags status, void* self)
{
    auto* out = static_cast<PortAudioOutput*>(self);
    if (status & paOutputUnderflow)
        out->underflows_.fetch_add(1, std::memory_order_relaxed);
    // Some back ends leave the DAC time at 0, and the ALSA plugin for
    // PulseAudio reports no delay for its first buffers, though the stream
    // keeps about its latency queued: then the current time plus the
    // stream's latency is the better guess.
    const double reported = times->outputBufferDacTime;
    const double dacTime =
        reported - times->currentTime >= out->latency_ / 2 ? reported : times->currentTime + out->latency_;
    out->delay_.store(dacTime - times->currentTime, std::memory_order_relaxed);
    out->mixer_->render(static_cast<float*>(output), int(frames), out->channels_, dacTime);
    return paContinue;
}

void PortAudioOutput::finished(void* self)
{
    static_cast<PortAudioOutput*>(self)->ended_ = true;
}
