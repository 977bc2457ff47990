#include "fade/PlayerTime.h"
#include "common/PlayingHeat.h"
#include <cmath>

PlayerTime::PlayerTime(const Clock& own, PlayingHeat* heat, QObject* parent)
    : QObject(parent),
      own_(own),
      heat_(heat)
{
    if (!heat_)
        return;
    connect(heat_, &PlayingHeat::begun, this, [this] {
        if (following_)
            begin();
    });
    connect(heat_, &PlayingHeat::ended, this, &PlayerTime::leave);
}

void PlayerTime::setFollowing(bool following)
{
    if (following == following_)
        return;
    following_ = following;
    if (!following_)
        leave();
    else if (heat_ && heat_->playing())
        begin();
}

void PlayerTime::begin()
{
    // A heat begun straight after another: the clocks of the last one stop
    // at its last heard reading, still held here.
    leave();
    heardNs_ = 0;
    onHeat_ = true;
    emit heatBegun();
}

void PlayerTime::leave()
{
    if (!onHeat_)
        return;
    emit heatEnding();
    onHeat_ = false;
}

bool PlayerTime::heard() const
{
    return onHeat_ && heat_ && heat_->heardSeconds().has_value();
}

std::int64_t PlayerTime::nowNs() const
{
    if (!onHeat_)
        return own_.nowNs();
    if (const auto seconds = heat_ ? heat_->heardSeconds() : std::nullopt)
        heardNs_ = std::llround(*seconds * 1e9);
    return heardNs_;
}
