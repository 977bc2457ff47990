#include "rules/TempoVerdict.h"
#include "common/NumberText.h"
#include <QCoreApplication>

double adaptationPercent(double actual, double desired)
{
    return (desired / actual - 1.0) * 100.0;
}

QString rulePercentText(double percent)
{
    const QString sign = percent >= 0 ? QStringLiteral("+") : QString();
    return sign + formatFixed(percent, 2, 5) + QStringLiteral("%");
}

TempoSide tempoSide(double tempo, double lower, double upper)
{
    if (tempo < lower)
        return TempoSide::TooSlow;
    if (tempo > upper)
        return TempoSide::TooFast;
    return TempoSide::Inside;
}

QString tempoVerdictMark(double tempo, double lower, double upper)
{
    switch (tempoSide(tempo, lower, upper)) {
    case TempoSide::TooSlow:
        return QStringLiteral("▼ ") + formatFixed(lower - tempo, 1, 7);
    case TempoSide::TooFast:
        return QStringLiteral("▲ ") + formatFixed(tempo - upper, 1, 7);
    case TempoSide::Inside:
        break;
    }
    return QStringLiteral("✓");
}
