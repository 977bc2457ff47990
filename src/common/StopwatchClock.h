#pragma once
#include "common/Language.h"
#include <QString>
#include <QStringList>
#include <cstdint>

class Clock;

// One couple's stopwatch reading. It is read from the monotonic clock each
// time it is asked for, never summed from display ticks, so late or skipped
// ticks cannot make it drift. A stop keeps the reading; the next start
// resumes from it.
class StopwatchClock {
public:
    explicit StopwatchClock(const Clock& clock)
        : clock_(clock)
    {
    }

    bool running() const { return running_; }
    void start();
    // Starts as if at the clock's reading atMs, for a start that is noticed
    // after it happened (the first frame of a heat heard between two ticks).
    void startAt(std::int64_t atMs);
    void stop();
    // The next start counts from zero; a running clock runs on undisturbed.
    void reset() { stoppedMs_ = 0; }
    // Milliseconds counted so far: up to now while running, else at the stop.
    std::int64_t readingMs() const;

private:
    const Clock& clock_;
    std::int64_t startTick_ = 0;
    std::int64_t stoppedMs_ = 0;
    bool running_ = false;
};

// Seconds with one decimal and the locale's separator: "83,4" or "83.4".
QString secondsText(std::int64_t ms);
// "nn:ss": minutes of the hour and whole seconds; hours are dropped, so
// 61 minutes read "01:00".
QString minutesSecondsText(std::int64_t ms);
// The text of a clock in the program's time format.
QString clockText(std::int64_t ms, TimeFormat format);

// What clock fields are sized for: the longest readings up to 99:59
// (5999.9 s) in seconds, with either decimal separator...
QStringList longestSecondsTexts();
// ...and in both time formats.
QStringList longestClockTexts();
