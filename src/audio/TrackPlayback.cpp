#include "audio/TrackPlayback.h"
#include "audio/AudioOutput.h"
#include <cmath>

TrackPlayback::TrackPlayback(AudioOutput& output, PlaybackPlan plan, std::unique_ptr<TimeStretcher> stretcher)
    : output_(output),
      plan_(std::move(plan))
{
    if (!output_.ensureOpen(true)) {
        state_ = State::Failed;
        return;
    }
    opening_ = output_.opening();
    track_ = std::make_shared<TrackSource>(plan_.path, output_.sampleRate(), plan_.track, std::move(stretcher));
    track_->start();
}

TrackPlayback::~TrackPlayback()
{
    if (id_ != 0 && stillOnOutput())
        output_.mixer()->remove(id_);
}

bool TrackPlayback::stillOnOutput() const
{
    return output_.hasOutput() && output_.opening() == opening_;
}

void TrackPlayback::poll()
{
    if (finished())
        return;
    if (!stillOnOutput()) {
        state_ = State::Failed;
        return;
    }
    Mixer& mixer = *output_.mixer();
    mixer.collect();
    if (state_ == State::Preparing) {
        if (!track_->ready())
            return;
        id_ = mixer.add(track_, plan_.gain);
        state_ = id_ != 0 ? State::Playing : State::Failed;
        return;
    }
    if (!start_) {
        start_ = mixer.startFrame(id_);
        planFade();
    }
    if (!mixer.playing(id_))
        state_ = track_->failure() == DecodeFailure::None ? State::Ended : State::Failed;
}

void TrackPlayback::planFade()
{
    if (!start_ || plan_.stopAfterSeconds <= 0)
        return;
    const int rate = output_.sampleRate();
    plannedEnd_ = *start_ + std::llround(plan_.stopAfterSeconds * rate);
    const double fade = std::min(plan_.fadeSeconds, plan_.stopAfterSeconds);
    output_.mixer()->fadeOut(id_, *plannedEnd_, std::max<std::int64_t>(1, std::llround(fade * rate)));
}

std::optional<std::int64_t> TrackPlayback::startFrame() const
{
    return start_;
}

std::optional<double> TrackPlayback::heardSourceFrame() const
{
    if (id_ == 0 || !stillOnOutput())
        return std::nullopt;
    const auto frame = output_.heardSourceFrame(id_);
    return frame && *frame >= 0 ? frame : std::nullopt;
}

std::optional<double> TrackPlayback::heardSeconds() const
{
    const auto frame = heardSourceFrame();
    return frame ? std::optional<double>(*frame / output_.sampleRate()) : std::nullopt;
}

std::optional<double> TrackPlayback::heardMusicSeconds() const
{
    const auto frame = heardSourceFrame();
    return frame ? std::optional<double>(track_->musicSecondsAt(std::int64_t(*frame))) : std::nullopt;
}

void TrackPlayback::setTimeRatio(double ratio)
{
    if (track_)
        track_->setTimeRatio(ratio);
}

void TrackPlayback::fadeOutNow(double seconds)
{
    if (id_ != 0 && stillOnOutput())
        output_.mixer()->fadeOutNow(id_, std::max<std::int64_t>(1, std::llround(seconds * output_.sampleRate())));
}
