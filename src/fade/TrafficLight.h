#pragma once
#include <optional>

// The state of a couple's traffic light: all off, or one lamp lit.
enum class LampState { Null, Green, Amber, Red };

// When a couple's traffic light moves on. Green from the first tick, yellow
// once the minimum dancing time has passed, red once the maximum has passed
// (at the minimum already when the rules give a single time). A time counts
// as passed only when the reading is strictly more than it.
class TrafficLight {
public:
    // The lamp to light after a tick with this reading, or nothing when the
    // reading has not passed the next threshold. Red is given again on every
    // tick after the maximum.
    std::optional<LampState> advance(double elapsedSeconds, int danceTimeMin, int danceTimeMax);
    // Back to unlit: the next tick lights green.
    void reset() { nextThreshold_ = 0; }
    // The reading after which the lamp moves on; 0 while unlit.
    double nextThreshold() const { return nextThreshold_; }

private:
    double nextThreshold_ = 0;
};
