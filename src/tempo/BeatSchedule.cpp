#include "tempo/BeatSchedule.h"

double BeatSchedule::beatLengthSeconds(double barsPerMinute, int beatsPerBar)
{
    return 60.0 / (barsPerMinute * beatsPerBar);
}

void BeatSchedule::setTempo(double barsPerMinute, int beatsPerBar)
{
    beatSeconds_ = beatLengthSeconds(barsPerMinute, beatsPerBar);
    beatsPerBar_ = beatsPerBar;
    pending_.reset();
}

void BeatSchedule::changeAtNextBar(double barsPerMinute, int beatsPerBar)
{
    pending_ = Tempo{barsPerMinute, beatsPerBar};
}

void BeatSchedule::start(std::int64_t startMs)
{
    barStartMs_ = double(startMs);
    barStartBeat_ = 0;
    beatCount_ = 0;
    if (pending_)
        setTempo(pending_->barsPerMinute, pending_->beatsPerBar);
}

void BeatSchedule::continueAt(std::int64_t nextBeatMs)
{
    barStartMs_ = double(nextBeatMs) - (beatCount_ - barStartBeat_) * beatSeconds_ * 1000.0;
}

void BeatSchedule::takeOverAtThisBar()
{
    // The bar line the old tempo reaches next is where the new one starts.
    barStartMs_ += (beatCount_ - barStartBeat_) * beatSeconds_ * 1000.0;
    barStartBeat_ = beatCount_;
    setTempo(pending_->barsPerMinute, pending_->beatsPerBar);
}

std::optional<Beat> BeatSchedule::nextBeat(std::int64_t nowMs)
{
    if (pending_ && (beatCount_ - barStartBeat_) % beatsPerBar_ == 0)
        takeOverAtThisBar();
    if (beatSeconds_ <= 0)
        return std::nullopt;
    const double beatLengthsElapsed = (double(nowMs) - barStartMs_) / (1000.0 * beatSeconds_);
    if (beatCount_ - barStartBeat_ >= beatLengthsElapsed)
        return std::nullopt;
    return countBeat();
}

Beat BeatSchedule::countBeat()
{
    ++beatCount_;
    return Beat{beatCount_, (beatCount_ - barStartBeat_) % beatsPerBar_ == 1};
}
