#include "ToolOptions.h"
#include <QStringList>

std::optional<TempoRange> parseRange(const QString& text)
{
    const QStringList parts = text.split('-');
    if (parts.size() != 2)
        return std::nullopt;
    const auto min = parsePositive(parts[0]);
    const auto max = parsePositive(parts[1]);
    if (!min || !max || *max < *min)
        return std::nullopt;
    return TempoRange{*min, *max};
}

std::optional<int> parseBeatsPerBar(const QString& text)
{
    bool ok = false;
    const int beats = text.toInt(&ok);
    return ok && beats >= 1 && beats <= 12 ? std::optional<int>(beats) : std::nullopt;
}

std::optional<double> parsePositive(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value > 0 ? std::optional<double>(value) : std::nullopt;
}
