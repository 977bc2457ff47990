#include "audio/OutputMixer.h"
#include <algorithm>
#include <cmath>

float OutputMixer::Voice::next()
{
    if (!sound || position >= sound->size())
        return 0.0f;
    return (*sound)[position++];
}

OutputMixer::OutputMixer(std::vector<MonoSound> sounds, std::int64_t firstClickFrame)
    : sounds_(std::move(sounds)),
      firstClickFrame_(firstClickFrame)
{
}

bool OutputMixer::play(int sound)
{
    return known(sound) && commands_.push(Command{Kind::Play, sound, {}, 0});
}

std::uint32_t OutputMixer::startClicks(const ClickTrack& track)
{
    lastTrack_ = track;
    ++lastRun_;
    commands_.push(Command{Kind::StartClicks, -1, track, lastRun_});
    return lastRun_;
}

void OutputMixer::stopClicks()
{
    commands_.push(Command{Kind::StopClicks, -1, {}, 0});
}

std::optional<StreamAnchor> OutputMixer::anchor() const
{
    // A sequence lock: an odd or changed sequence means the callback wrote meanwhile.
    for (;;) {
        const std::uint32_t before = anchorSequence_.load(std::memory_order_acquire);
        if (before & 1u)
            continue;
        const StreamAnchor read{anchorFrame_.load(std::memory_order_relaxed),
                                anchorDacTime_.load(std::memory_order_relaxed)};
        std::atomic_thread_fence(std::memory_order_acquire);
        if (anchorSequence_.load(std::memory_order_relaxed) != before)
            continue;
        if (before == 0)
            return std::nullopt;
        return read;
    }
}

std::optional<std::int64_t> OutputMixer::clickFrame(std::uint32_t run, int index) const
{
    if (run == 0 || run != lastRun_ || runBegun_.load(std::memory_order_acquire) != run)
        return std::nullopt;
    return runStartFrame_.load(std::memory_order_relaxed) + std::llround(index * lastTrack_.beatFrames);
}

void OutputMixer::render(float* out, int frames, int channels, double dacTime)
{
    publishAnchor(dacTime);
    takeCommands();
    for (int i = 0; i < frames; ++i) {
        startDueClick(frame_ + i);
        const float mixed = std::clamp(oneShot_.next() + click_.next(), -1.0f, 1.0f);
        std::fill_n(out + std::size_t(i) * channels, channels, mixed);
    }
    frame_ += frames;
}

void OutputMixer::publishAnchor(double dacTime)
{
    const std::uint32_t sequence = anchorSequence_.load(std::memory_order_relaxed);
    anchorSequence_.store(sequence + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    anchorFrame_.store(frame_, std::memory_order_relaxed);
    anchorDacTime_.store(dacTime, std::memory_order_relaxed);
    anchorSequence_.store(sequence + 2, std::memory_order_release);
}

void OutputMixer::takeCommands()
{
    Command command;
    while (commands_.pop(command)) {
        switch (command.kind) {
        case Kind::Play:
            oneShot_ = Voice{&sounds_[command.sound], 0};
            break;
        case Kind::StartClicks:
            beginRun(command);
            break;
        case Kind::StopClicks:
            clicking_ = false;
            break;
        }
    }
}

void OutputMixer::beginRun(const Command& command)
{
    track_ = command.track;
    clicking_ = track_.beatFrames >= 1 && track_.beatsPerBar > 0;
    runStart_ = std::max(frame_, firstClickFrame_);
    nextClick_ = 0;
    nextClickFrame_ = runStart_;
    clicksPlaced_.store(0, std::memory_order_relaxed);
    runStartFrame_.store(runStart_, std::memory_order_relaxed);
    runBegun_.store(command.run, std::memory_order_release);
}

void OutputMixer::startDueClick(std::int64_t frame)
{
    if (!clicking_ || frame != nextClickFrame_)
        return;
    const int sound = nextClick_ % track_.beatsPerBar == 0 ? track_.accentSound : track_.clickSound;
    click_ = known(sound) ? Voice{&sounds_[sound], 0} : Voice{};
    ++nextClick_;
    nextClickFrame_ = frameOfClick(nextClick_);
    clicksPlaced_.fetch_add(1, std::memory_order_relaxed);
}

std::int64_t OutputMixer::frameOfClick(std::int64_t index) const
{
    return runStart_ + std::llround(index * track_.beatFrames);
}
