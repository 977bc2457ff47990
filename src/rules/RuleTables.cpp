#include "rules/RuleTables.h"
#include <QLocale>
#include <cmath>

int tableCapacity(Discipline discipline)
{
    switch (discipline) {
    case Discipline::RnR:
        return 11;
    case Discipline::Boogie:
        return 7;
    case Discipline::Ballroom:
        return 6;
    case Discipline::Latin:
        return 5;
    }
    return 0;
}

QString ruleFileName(Discipline discipline)
{
    switch (discipline) {
    case Discipline::RnR:
        return QStringLiteral("RockNRoll.dat");
    case Discipline::Boogie:
        return QStringLiteral("BoogieWoogie.dat");
    case Discipline::Ballroom:
        return QStringLiteral("Standard.dat");
    case Discipline::Latin:
        return QStringLiteral("Latein.dat");
    }
    return {};
}

namespace {

QChar asciiUpper(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ? QChar(c.unicode() - ('a' - 'A')) : c;
}

// A number in the user's notation; thousands separators are not part of a tempo.
std::optional<double> localeNumber(const QString& text)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int integerOrZero(const QString& piece)
{
    bool ok = false;
    const int value = piece.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

bool isUnit(QChar c)
{
    return c == QLatin1Char('s') || c == QLatin1Char('S');
}

struct DanceTimePieces {
    QString min;
    QString max;
};

// The texts parseDanceTime reads as minimum and maximum. Indexes are 0-based
// here: the last character (length - 1) is always the unit.
DanceTimePieces danceTimePieces(const QString& text)
{
    const qsizetype length = text.size();
    if (length == 0)
        return {};
    qsizetype p = 0;
    while (p < length - 1 && text[p] != QLatin1Char('-') && !isUnit(text[p]))
        ++p;
    if (isUnit(text[p]))
        return {text.left(p), text.left(p)};
    qsizetype end = p + 1;
    while (end < length - 1 && !isUnit(text[end]))
        ++end;
    return {text.left(p), text.mid(p + 1, end - (p + 1))};
}

std::optional<int> positiveInteger(const QString& piece)
{
    bool ok = false;
    const int value = piece.trimmed().toInt(&ok, 10);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

} // namespace

bool keysEqual(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    }
    return true;
}

TempoRange parseBarsPerMin(const QString& text, bool* ok)
{
    if (ok)
        *ok = true;
    if (text.size() == 5) {
        const auto low = localeNumber(text.mid(0, 2));
        const auto high = localeNumber(text.mid(3, 2));
        if (ok)
            *ok = low.has_value() && high.has_value();
        return {low.value_or(0), high.value_or(0)};
    }
    const double value = localeNumber(text).value_or(0);
    return {value, value};
}

int parseDanceTime(const QString& text, int which)
{
    const DanceTimePieces pieces = danceTimePieces(text);
    return integerOrZero(which == 1 ? pieces.min : pieces.max);
}

bool barsPerMinReadable(const QString& text)
{
    if (text.size() == 5 && text[2] == QLatin1Char('-')) {
        const auto low = localeNumber(text.mid(0, 2));
        const auto high = localeNumber(text.mid(3, 2));
        return low && high && *low > 0 && *low <= *high;
    }
    // Five characters without the "-" would read as two numbers, not as one.
    const auto value = text.size() == 5 ? std::nullopt : localeNumber(text);
    return value && *value > 0;
}

bool danceTimeReadable(const QString& text)
{
    if (text.isEmpty() || text.back().isDigit())
        return false;
    const DanceTimePieces pieces = danceTimePieces(text);
    const auto min = positiveInteger(pieces.min);
    const auto max = positiveInteger(pieces.max);
    return min && max && *min <= *max;
}

RuleTables::RuleTables()
{
    for (int d = 0; d < DisciplineCount; ++d)
        tables_[d].capacity = tableCapacity(static_cast<Discipline>(d));
}

std::optional<int> RuleTables::findFirstRow(Discipline d, const QString& name,
                                            const std::optional<QString>& variant) const
{
    const RuleTable& t = table(d);
    const int rows = qBound(0, t.rowCount, t.capacity);
    for (int i = 0; i < rows; ++i) {
        if (rowMatches(t.rows[i], name, variant))
            return i;
    }
    return std::nullopt;
}

std::optional<int> RuleTables::findLastRow(Discipline d, const QString& name,
                                           const std::optional<QString>& variant) const
{
    const RuleTable& t = table(d);
    const int rows = qBound(0, t.rowCount, t.capacity);
    std::optional<int> found;
    for (int i = 0; i < rows; ++i) {
        if (rowMatches(t.rows[i], name, variant))
            found = i;
    }
    return found;
}

std::optional<int> RuleTables::findChosenRow(Discipline d, const QString& name,
                                             const std::optional<QString>& round) const
{
    if (!round && d == Discipline::RnR)
        return findLastRow(d, name);
    return findFirstRow(d, name, round);
}

bool RuleTables::rowMatches(const RuleRow& row, const QString& name, const std::optional<QString>& variant)
{
    return keysEqual(row.name, name) && (!variant || keysEqual(row.variant, *variant));
}
