#include "rules/TempoVerdict.h"
#include "common/NumberText.h"

double adaptationPercent(double actual, double desired)
{
    return (desired / actual - 1.0) * 100.0;
}

QString rulePercentText(double percent)
{
    const QString sign = percent >= 0 ? QStringLiteral("+") : QString();
    return sign + formatFixed(percent, 2, 5) + QStringLiteral("%");
}
