#include "StopwatchClock.h"
#include "Clock.h"
#include "NumberText.h"

void StopwatchClock::start()
{
    if (running_)
        return;
    startTick_ = clock_.nowMs() - stoppedMs_;
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

QString SecondsText(std::int64_t ms)
{
    return FormatFixed(ms * 0.001, 1);
}

QString MinutesSecondsText(std::int64_t ms)
{
    const std::int64_t wholeSeconds = ms / 1000;
    const auto twoDigits = [](std::int64_t value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    return twoDigits(wholeSeconds / 60 % 60) + QLatin1Char(':') + twoDigits(wholeSeconds % 60);
}

QString ClockText(std::int64_t ms, int zeitformat)
{
    return zeitformat == 1 ? SecondsText(ms) : MinutesSecondsText(ms);
}
