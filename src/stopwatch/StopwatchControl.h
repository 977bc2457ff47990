#pragma once
#include "common/Language.h"
#include "common/StopwatchClock.h"
#include <QGroupBox>
#include <functional>

class Clock;
class QLabel;
class QPushButton;
class ThreadTimer;

// A framed stopwatch for one couple: a large time display with its unit, a
// Start/Stop button and a Reset button. It measures to a tenth of a second,
// pauses and resumes, and reports every new display text to its owner, who
// can also start, stop and reset it from outside.
class StopwatchControl : public QGroupBox {
    Q_OBJECT
public:
    using TimeChangeHandler = std::function<void(StopwatchControl* sender, const QString& time)>;

    explicit StopwatchControl(const Clock& clock, QWidget* parent = nullptr);

    // The digit of the Start button's shortcut; -1 (the initial value) reads as 1.
    int startButtonNumber() const { return startButtonNumber_; }
    void setStartButtonNumber(int number);
    // The digit of the Reset button's shortcut; -1 reads as 2.
    int resetButtonNumber() const { return resetButtonNumber_; }
    void setResetButtonNumber(int number);
    // Makes the application answer in the language and sets the word on the Reset button.
    void setLanguage(Language language);
    // 1 seconds with one decimal, any other value minutes and seconds.
    TimeFormat timeFormat() const { return timeFormat_; }
    void setTimeFormat(TimeFormat format);
    // True while the stopwatch runs.
    bool timing() const;
    double elapsedSeconds() const { return elapsedMs_ * 0.001; }

    // What a click on Start (Stop) and on Reset do.
    void startOrStop();
    void resetClock();
    // The tick of the running stopwatch.
    void clockTimerFired();

    // Called with the new text each time the display changes.
    TimeChangeHandler onTimeChange;

    QPushButton* const startButton;
    QPushButton* const resetButton;
    QLabel* const readingLabel;
    QLabel* const unitLabel;
    ThreadTimer* const clockTimer;

private:
    void placeControls();
    void placeUnitLabel();
    QString startDigit() const;
    void showResetCaption();
    void showReading();
    void display(const QString& text);

    StopwatchClock clock_;
    std::int64_t elapsedMs_ = 0;
    // False while the display holds the reset text "0.0" rather than a reading.
    bool showsReading_ = false;
    int startButtonNumber_ = -1;
    int resetButtonNumber_ = 0;
    TimeFormat timeFormat_ = TimeFormat::Seconds;
};
