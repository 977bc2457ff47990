#include "audio/ClickSource.h"
#include <algorithm>
#include <cmath>

ClickSource::ClickSource(OneShotSource::Sounds sounds, std::int64_t firstClickFrame)
    : sounds_(std::move(sounds)),
      firstClickFrame_(firstClickFrame)
{
}

std::uint32_t ClickSource::startClicks(const ClickTrack& track)
{
    lastTrack_ = track;
    ++lastRun_;
    commands_.push(Command{true, track, lastRun_});
    return lastRun_;
}

void ClickSource::stopClicks()
{
    commands_.push(Command{});
}

std::optional<std::int64_t> ClickSource::clickFrame(std::uint32_t run, int index) const
{
    if (run == 0 || run != lastRun_ || runBegun_.load(std::memory_order_acquire) != run)
        return std::nullopt;
    return runStartFrame_.load(std::memory_order_relaxed) + std::llround(index * lastTrack_.beatFrames);
}

int ClickSource::render(float* out, int frames)
{
    for (Command command; commands_.pop(command);) {
        if (command.start)
            beginRun(command);
        else
            clicking_ = false;
    }
    // Rendered piecewise, so that a click starts on its very frame.
    for (int done = 0; done < frames;) {
        startDueClick(frame_);
        const std::int64_t untilClick = clicking_ ? nextClickFrame_ - frame_ : frames;
        const int piece = int(std::clamp<std::int64_t>(untilClick, 1, frames - done));
        voice_.renderCentred(out + std::size_t(done) * Channels, piece);
        done += piece;
        frame_ += piece;
    }
    return frames;
}

void ClickSource::beginRun(const Command& command)
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

void ClickSource::startDueClick(std::int64_t frame)
{
    if (!clicking_ || frame != nextClickFrame_)
        return;
    voice_ = MonoVoice{sound(nextClick_ % track_.beatsPerBar == 0 ? track_.accentSound : track_.clickSound), 0};
    ++nextClick_;
    nextClickFrame_ = frameOfClick(nextClick_);
    clicksPlaced_.fetch_add(1, std::memory_order_relaxed);
}

std::int64_t ClickSource::frameOfClick(std::int64_t index) const
{
    return runStart_ + std::llround(index * track_.beatFrames);
}

const MonoSound* ClickSource::sound(int index) const
{
    return index >= 0 && index < int(sounds_->size()) ? &(*sounds_)[index] : nullptr;
}
