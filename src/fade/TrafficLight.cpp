#include "fade/TrafficLight.h"

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
        return {Qt::red, off, off};
    case LampState::Gelb:
        return {off, Qt::yellow, off};
    case LampState::Gruen:
        return {off, off, QColor(0, 0x80, 0)};
    case LampState::Null:
        break;
    }
    return {off, off, off};
}

ProjectorLook ProjectorLookOf(LampState state)
{
    switch (state) {
    case LampState::Rot:
        return {Qt::black, QColor(255, 32, 32)};
    case LampState::Gelb:
        return {QColor(255, 192, 0), QColor()};
    case LampState::Gruen:
        return {QColor(48, 232, 48), QColor()};
    case LampState::Null:
        break;
    }
    return {Qt::white, QColor()};
}
