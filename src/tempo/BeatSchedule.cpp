#include "BeatSchedule.h"

double BeatSchedule::beatLengthSeconds(double barsPerMinute, int beatsPerBar)
{
    return 60.0 / (barsPerMinute * beatsPerBar);
}

void BeatSchedule::setTempo(double barsPerMinute, int beatsPerBar)
{
    beatSeconds_ = beatLengthSeconds(barsPerMinute, beatsPerBar);
    beatsPerBar_ = beatsPerBar;
}

void BeatSchedule::start(std::int64_t startMs)
{
    startMs_ = startMs;
    beatCount_ = 0;
}

std::optional<Beat> BeatSchedule::nextBeat(std::int64_t nowMs)
{
    if (beatSeconds_ <= 0)
        return std::nullopt;
    const double beatLengthsElapsed = double(nowMs - startMs_) / (1000.0 * beatSeconds_);
    if (beatCount_ >= beatLengthsElapsed)
        return std::nullopt;
    return countBeat();
}

Beat BeatSchedule::countBeat()
{
    ++beatCount_;
    return Beat{beatCount_, beatCount_ % beatsPerBar_ == 1};
}
