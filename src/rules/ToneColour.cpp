#include "rules/ToneColour.h"

QColor toneColour(RowTone tone)
{
    switch (tone) {
    case RowTone::Green:
        return QColor(0, 128, 0);
    case RowTone::Red:
        return QColor(255, 0, 0);
    case RowTone::Black:
        break;
    }
    return Qt::black;
}
