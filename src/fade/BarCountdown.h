#pragma once
#include "common/StopwatchClock.h"
#include <QString>
#include <cstdint>
#include <optional>

class Clock;
class Messages;

// Whole bars in a dance of durationSeconds at barsPerMinute, truncated;
// nullopt unless both are positive and the count fits an int.
std::optional<int> barCount(double barsPerMinute, int durationSeconds);

// Bars still to play after elapsedSeconds. The bar under way counts, so this
// is one more than the whole bars left; from the end of the dancing time on
// it is 0, however late the reading.
int remainingBars(double barsPerMinute, int durationSeconds, double elapsedSeconds);

// The tempo field's text for a rule table's tempo: the text itself, or for a
// range "48-50" the mean of its ends in shortest notation with the locale's
// separator ("49", "47,5"). Unreadable ends are reported by textToNumber.
QString tempoFieldText(const QString& tempoText, Messages& messages);

// The dancing time in whole seconds of a rule text such as "90s", "90 s" or
// "90-105s". A range gives its minimum: fading out by then keeps the music
// within the rules even when the operator reacts late. nullopt when the text
// holds no positive number.
std::optional<int> danceSeconds(const QString& danceTimeText);

// Colours of the countdown digits 0 to 9, in blue-green-red byte order.
std::uint32_t digitColour(int digit);
std::uint32_t litDigitColour(int digit);

struct DigitChange {
    int lit;      // the digit lit now
    int restored; // the digit set back to its own colour, -1 for none
};

// The last ten bars shown on the digits 9 down to 0: each digit lights at
// most once, in order. A bar passed over between two readings (a late tick)
// is skipped rather than waited for, so the countdown always reaches 0.
class BarCountdown {
public:
    static constexpr int FirstDigit = 9;

    std::optional<DigitChange> advance(int remainingBars);
    void reset();
    // The next digit to light; -1 once 0 has been lit.
    int nextDigit() const { return next_; }

private:
    int next_ = FirstDigit;
    int lit_ = -1;
};

// The Rock'n'Roll fade clock: runs from the start of the music, counts the
// bars that remain of the dance and lights the last ten of them.
class FadeCountdown {
public:
    explicit FadeCountdown(const Clock& clock)
        : clock_(clock)
    {
    }

    void setBarsPerMinute(double value) { barsPerMinute_ = value; }
    void setDurationSeconds(int value) { durationSeconds_ = value; }
    double barsPerMinute() const { return barsPerMinute_; }
    int durationSeconds() const { return durationSeconds_; }
    // Bars of the whole dance; nullopt while tempo or dancing time is unknown.
    std::optional<int> bars() const { return barCount(barsPerMinute_, durationSeconds_); }

    bool running() const { return clock_.running(); }
    // Stopping keeps the reading; the next start resumes from it.
    void start() { clock_.start(); }
    void startAt(std::int64_t atMs) { clock_.startAt(atMs); }
    void stop() { clock_.stop(); }
    // Stopped, at zero, with the countdown at its first digit again.
    void reset();
    bool atZero() const { return !running() && clock_.readingMs() == 0; }
    // The dancing time ran out: the next start begins a new countdown
    // rather than resuming at the old end without a digit or a beep.
    bool ended() const { return ended_; }

    struct Tick {
        std::int64_t elapsedMs;
        int remainingBars;
        bool timeUp; // the dancing time has passed: the clock must stop
        std::optional<DigitChange> digit;
    };
    Tick tick();

private:
    StopwatchClock clock_;
    BarCountdown countdown_;
    double barsPerMinute_ = 0;
    int durationSeconds_ = 0;
    bool ended_ = false;
};
