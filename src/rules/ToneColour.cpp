#include "rules/ToneColour.h"

QColor toneColour(RowTone tone)
{
    switch (tone) {
    case RowTone::Green:
        return QColor(0, 128, 0);
    case RowTone::Red:
        // Not pure red: that reads at only 4:1 on the lists' white.
        return QColor(0xCC, 0, 0);
    case RowTone::Black:
        break;
    }
    return Qt::black;
}
