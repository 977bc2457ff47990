#include "TrafficLight.h"

std::optional<LampState> TrafficLight::advance(double elapsedSeconds, int danceTimeMin, int danceTimeMax)
{
    if (!(elapsedSeconds > nextThreshold_))
        return std::nullopt;
    if (nextThreshold_ == 0) {
        nextThreshold_ = danceTimeMin;
        return LampState::Gruen;
    }
    if (nextThreshold_ != danceTimeMin)
        return LampState::Rot;
    nextThreshold_ = danceTimeMax;
    return danceTimeMin == danceTimeMax ? LampState::Rot : LampState::Gelb;
}

QColor LampOffColor()
{
    return QColor(0x33, 0x33, 0x33);
}

LampColors ColorsOf(LampState state)
{
    const QColor off = LampOffColor();
    switch (state) {
    case LampState::Rot:
        return {Qt::red, off, off, Qt::red};
    case LampState::Gelb:
        return {off, Qt::yellow, off, Qt::yellow};
    case LampState::Gruen:
        return {off, off, QColor(0, 0x80, 0), QColor(0, 0x80, 0)};
    case LampState::Null:
        break;
    }
    return {off, off, off, Qt::white};
}
