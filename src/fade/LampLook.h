#pragma once
#include "fade/TrafficLight.h"
#include <QColor>

// Lamp colours of one state.
struct LampColors {
    QColor red;
    QColor yellow;
    QColor green;
};

QColor lampOffColor();
LampColors colorsOf(LampState state);

// How a couple's clock looks on the projector in a lamp state. Bright,
// far-apart hues, since a projector in a lit hall washes dark and close
// colours out; past the maximum dancing time the clock turns into a red
// field with black digits, the overtime no one can miss. No field: black.
// Each state also differs in shape, not only in hue (green and amber look
// alike to a red-green colour-blind eye, lit green almost like unlit white):
// unlit plain digits, green a bar under them, amber a frame, red a field.
struct ProjectorLook {
    QColor digits;
    QColor field;
    QColor frame;
    QColor underline;
};

ProjectorLook projectorLookOf(LampState state);
