#include "fade/BarCountdown.h"
#include "common/NumberText.h"
#include "rules/RuleTables.h"
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

std::optional<int> barCount(double barsPerMinute, int durationSeconds)
{
    if (!(barsPerMinute > 0) || durationSeconds <= 0)
        return std::nullopt;
    const double bars = std::trunc(barsPerMinute * durationSeconds / 60.0);
    // One below the limit, so that the bar under way can still be counted on top.
    if (!(bars < std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(bars);
}

int remainingBars(double barsPerMinute, int durationSeconds, double elapsedSeconds)
{
    if (elapsedSeconds >= durationSeconds)
        return 0;
    const double remaining = (durationSeconds - elapsedSeconds) / 60.0 * barsPerMinute + 1.0;
    return static_cast<int>(std::min(std::trunc(remaining), double(std::numeric_limits<int>::max())));
}

QString tempoFieldText(const QString& tempoText, Messages& messages)
{
    const qsizetype dash = tempoText.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return tempoText;
    const double low = textToNumber(tempoText.left(dash).trimmed(), messages);
    const double high = textToNumber(tempoText.mid(dash + 1).trimmed(), messages);
    return QString::number((low + high) * 0.5, 'g', QLocale::FloatingPointShortest)
        .replace(QLatin1Char('.'), QLocale().decimalPoint());
}

std::optional<int> danceSeconds(const QString& danceTimeText)
{
    const int seconds = parseDanceTime(danceTimeText, 1);
    if (seconds <= 0)
        return std::nullopt;
    return seconds;
}

std::uint32_t digitColour(int digit)
{
    if (digit >= 6)
        return 0x008000; // green: the competition music plays on
    if (digit >= 1)
        return 0x00FFFF; // yellow: fade out evenly
    return 0x0000FF;     // red: end
}

std::uint32_t litDigitColour(int digit)
{
    if (digit >= 6)
        return 0x40FF00; // light green
    if (digit >= 1)
        return 0x0C72FC; // orange
    return 0x8C8CFF;     // light red: the last bar lit brighter than its red, never darker
}

std::optional<DigitChange> BarCountdown::advance(int remainingBars)
{
    if (next_ < 0 || remainingBars > next_)
        return std::nullopt;
    const DigitChange change{std::max(remainingBars, 0), lit_};
    lit_ = change.lit;
    next_ = change.lit - 1;
    return change;
}

void BarCountdown::reset()
{
    next_ = FirstDigit;
    lit_ = -1;
}

void FadeCountdown::reset()
{
    clock_.stop();
    clock_.reset();
    countdown_.reset();
    ended_ = false;
}

FadeCountdown::Tick FadeCountdown::tick()
{
    const std::int64_t elapsedMs = clock_.readingMs();
    const double elapsed = elapsedMs * 0.001;
    const int remaining = remainingBars(barsPerMinute_, durationSeconds_, elapsed);
    const bool timeUp = elapsed >= durationSeconds_;
    ended_ = ended_ || timeUp;
    return {elapsedMs, remaining, timeUp, countdown_.advance(remaining)};
}
