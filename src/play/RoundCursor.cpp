#include "play/RoundCursor.h"

RoundCursor::RoundCursor(const RoundPlan& plan)
{
    setPlan(plan);
}

RoundCursor::RoundCursor(QList<int> heatsPerDance)
    : heats_(std::move(heatsPerDance))
{
    normalise();
}

void RoundCursor::setPlan(const RoundPlan& plan)
{
    heats_.clear();
    for (const DancePlan& dance : plan.dances)
        heats_ << dance.heats;
    normalise();
}

void RoundCursor::normalise()
{
    for (int& count : heats_)
        count = std::max(1, count);
    if (place_.dance >= heats_.size()) {
        place_ = {static_cast<int>(heats_.size()), 0};
        return;
    }
    place_.dance = std::max(0, place_.dance);
    place_.heat = qBound(0, place_.heat, heats_[place_.dance] - 1);
}

std::optional<HeatPlace> RoundCursor::current() const
{
    if (finished())
        return std::nullopt;
    return place_;
}

bool RoundCursor::finished() const
{
    return place_.dance >= heats_.size();
}

std::optional<HeatPlace> RoundCursor::nextHeatPlace() const
{
    if (finished())
        return std::nullopt;
    if (place_.heat + 1 < heats_[place_.dance])
        return HeatPlace{place_.dance, place_.heat + 1};
    if (place_.dance + 1 < heats_.size())
        return HeatPlace{place_.dance + 1, 0};
    return std::nullopt;
}

std::optional<int> RoundCursor::nextDance() const
{
    if (finished() || place_.dance + 1 >= heats_.size())
        return std::nullopt;
    return place_.dance + 1;
}

bool RoundCursor::lastHeatOfDance() const
{
    return !finished() && place_.heat + 1 == heats_[place_.dance];
}

bool RoundCursor::advanceHeat()
{
    if (finished())
        return false;
    if (const auto next = nextHeatPlace())
        place_ = *next;
    else
        place_ = {static_cast<int>(heats_.size()), 0};
    return !finished();
}

bool RoundCursor::skipToNextDance()
{
    if (finished())
        return false;
    place_ = {place_.dance + 1, 0};
    return !finished();
}

HeatPlace RoundCursor::replayHeat()
{
    if (finished() && !heats_.isEmpty())
        place_ = {static_cast<int>(heats_.size()) - 1, heats_.last() - 1};
    return place_;
}

void RoundCursor::moveTo(HeatPlace place)
{
    place_ = place;
    normalise();
}

void RoundCursor::restart()
{
    place_ = {};
    normalise();
}
