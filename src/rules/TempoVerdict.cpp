#include "rules/TempoVerdict.h"
#include "common/NumberText.h"

double AdaptationPercent(double actual, double desired)
{
    return (desired / actual - 1.0) * 100.0;
}

QString RulePercentText(double percent)
{
    const QString sign = percent >= 0 ? QStringLiteral("+") : QString();
    return sign + FormatFixed(percent, 2, 5) + QStringLiteral("%");
}
