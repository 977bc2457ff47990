#include "fade/LampLook.h"

QColor lampOffColor()
{
    return QColor(0x33, 0x33, 0x33);
}

LampColors colorsOf(LampState state)
{
    const QColor off = lampOffColor();
    switch (state) {
    case LampState::Red:
        return {Qt::red, off, off};
    case LampState::Amber:
        return {off, Qt::yellow, off};
    case LampState::Green:
        return {off, off, QColor(0, 0x80, 0)};
    case LampState::Null:
        break;
    }
    return {off, off, off};
}

ProjectorLook projectorLookOf(LampState state)
{
    static const QColor kGo(40, 230, 140);
    switch (state) {
    case LampState::Red:
        return {Qt::black, QColor(255, 32, 32), QColor(), QColor()};
    case LampState::Amber:
        return {QColor(255, 192, 0), QColor(), QColor(255, 192, 0), QColor()};
    case LampState::Green:
        // A bluish green: a pure one is amber's twin to a red-blind eye.
        return {kGo, QColor(), QColor(), kGo};
    case LampState::Null:
        break;
    }
    return {Qt::white, QColor(), QColor(), QColor()};
}
