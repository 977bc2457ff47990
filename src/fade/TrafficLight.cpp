#include "fade/TrafficLight.h"

std::optional<LampState> TrafficLight::advance(double elapsedSeconds, int danceTimeMin, int danceTimeMax)
{
    if (!(elapsedSeconds > nextThreshold_))
        return std::nullopt;
    if (nextThreshold_ == 0) {
        nextThreshold_ = danceTimeMin;
        return LampState::Green;
    }
    if (nextThreshold_ != danceTimeMin)
        return LampState::Red;
    nextThreshold_ = danceTimeMax;
    return danceTimeMin == danceTimeMax ? LampState::Red : LampState::Amber;
}
