#include "common/StopwatchClock.h"
#include "common/Clock.h"
#include "common/NumberText.h"

void StopwatchClock::start()
{
    if (running_)
        return;
    startTick_ = clock_.nowMs() - stoppedMs_;
    running_ = true;
}

void StopwatchClock::startAt(std::int64_t atMs)
{
    if (running_)
        return;
    startTick_ = atMs - stoppedMs_;
    running_ = true;
}

void StopwatchClock::stop()
{
    if (!running_)
        return;
    stoppedMs_ = clock_.nowMs() - startTick_;
    running_ = false;
}

std::int64_t StopwatchClock::readingMs() const
{
    return running_ ? clock_.nowMs() - startTick_ : stoppedMs_;
}

QString secondsText(std::int64_t ms)
{
    return formatFixed(ms * 0.001, 1);
}

QString minutesSecondsText(std::int64_t ms)
{
    const std::int64_t wholeSeconds = ms / 1000;
    const auto twoDigits = [](std::int64_t value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    return twoDigits(wholeSeconds / 60 % 60) + QLatin1Char(':') + twoDigits(wholeSeconds % 60);
}

QString clockText(std::int64_t ms, TimeFormat format)
{
    return format == TimeFormat::Seconds ? secondsText(ms) : minutesSecondsText(ms);
}

namespace {

// The longest reading clock fields are sized for: 99 minutes 59.9 seconds.
constexpr std::int64_t kLongestReadingMs = 5999900;

} // namespace

QStringList longestSecondsTexts()
{
    QString seconds = secondsText(kLongestReadingMs);
    const QString withPoint = QString(seconds).replace(QLatin1Char(','), QLatin1Char('.'));
    const QString withComma = seconds.replace(QLatin1Char('.'), QLatin1Char(','));
    return {withPoint, withComma};
}

QStringList longestClockTexts()
{
    // Minutes count within the hour, so 59:59 is the longest minutes reading.
    return longestSecondsTexts() << minutesSecondsText(3599000);
}
