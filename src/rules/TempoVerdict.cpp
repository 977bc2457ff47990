#include "rules/TempoVerdict.h"
#include "common/NumberText.h"

QColor ToneColour(RowTone tone)
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

double AdaptationPercent(double actual, double desired)
{
    return (desired / actual - 1.0) * 100.0;
}

QString RulePercentText(double percent)
{
    const QString sign = percent >= 0 ? QStringLiteral("+") : QString();
    return sign + FormatFixed(percent, 2, 5) + QStringLiteral("%");
}
