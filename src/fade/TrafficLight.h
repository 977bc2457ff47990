#pragma once
#include <QColor>
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

// Lamp colours of one state.
struct LampColors {
    QColor red;
    QColor yellow;
    QColor green;
};

QColor LampOffColor();
LampColors ColorsOf(LampState state);

// How a couple's clock looks on the projector in a lamp state. Bright,
// far-apart hues, since a projector in a lit hall washes dark and close
// colours out; past the maximum dancing time the clock turns into a red
// field with black digits, the overtime no one can miss. No field: black.
struct ProjectorLook {
    QColor digits;
    QColor field;
};

ProjectorLook ProjectorLookOf(LampState state);
