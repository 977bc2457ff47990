#pragma once
#include "fade/BarCountdown.h"
#include "fade/PlayerTime.h"
#include "widgets/EmbeddedForm.h"
#include <array>
#include <functional>

struct ProgramState;
struct RuleRow;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;
class ThreadTimer;

// Fade music for Rock'n'Roll: turns the tempo and dancing time of a class
// (and round) into bars, runs a clock from the start of the music, counts the
// bars down and lights the last ten on large digits: 9 to 6 while the
// competition music plays on, 5 to 1 while it is faded out, 0 at the end.
// It can beep at each of them and stops itself once the dancing time is over.
// Following the player, the clock runs with a heat's music from its first
// heard moment, counts the time the hall hears and stops with the heat.
class FadeRockNRollWindow : public EmbeddedForm {
    Q_OBJECT
public:
    explicit FadeRockNRollWindow(ProgramState& state, QWidget* parent = nullptr);

    void classChanged();
    void roundChanged();
    void barsEdited();
    void startClicked();
    void clockTimerFired();
    void resetClicked();
    void timeEditChanged();

    bool running() const { return fade_.running(); }
    // A heat has begun and its first frame is awaited to start the clock.
    bool waitsForHeat() const { return waitsForHeat_; }
    const PlayerTime& time() const { return time_; }
    const FadeCountdown& fade() const { return fade_; }

    // The system's beep by default; tests count the calls.
    std::function<void()> beep;

    QGroupBox* const timeGroup;
    QLineEdit* const timeEdit;
    QLabel* const timeUnitLabel;
    QPushButton* const startButton;
    QPushButton* const resetButton;
    QLabel* const remainingBarsLabel;
    QLineEdit* const remainingBarsEdit;
    QGroupBox* const lastFourGroup;
    QGroupBox* const fiveToEightGroup;
    QGroupBox* const ninthGroup;
    // Indexed by the digit: LB[0] is LB0, LB[9] is LB9.
    const std::array<QLabel*, 10> digitLabels;
    QLabel* const barsLabel;
    QLineEdit* const barsEdit;
    QLabel* const durationLabel;
    QLineEdit* const durationEdit;
    QLabel* const secondsLabel;
    QCheckBox* const beepCheck;
    QCheckBox* const followCheck;
    RadioGroup* const classGroup;
    RadioGroup* const roundGroup;
    QLabel* const infoLabel;
    // The class and round whose tempo and dancing time the clock counts with.
    QLabel* const danceLabel;
    QPushButton* const helpButton;
    ThreadTimer* const clockTimer;

protected:
    void applyLanguage() override;
    void windowShown() override;

private:
    void placeControls();
    void placeDigits();

    void lookUpRule();
    const RuleRow* chosenRuleRow() const;
    void showDance(const QString& danceTimeText);
    void clearDance();
    void showDanceInUse();
    // Reads the tempo field; false (after saying why) when it gives no bar count.
    bool takeTempo();
    bool takeTypedTempo();
    bool showBarCount();

    void startClock();
    void stopClock();
    void lockSelection(bool locked);
    void backToZero();
    void showDigit(int digit, bool lit);
    void heatBegun();
    void heatEnding();

    ProgramState& state_;
    PlayerTime time_;
    FadeCountdown fade_;
    bool waitsForHeat_ = false;
    // The tempo as the rule table or the user gave it: one number or a range.
    QString tempoText_;
    // The dancing time of the rule row last looked up, as the table writes it.
    QString danceTimeText_;
    // Items of classGroup and roundGroup the shown rule row belongs to; -1 for none.
    int danceClass_ = -1;
    int danceRound_ = -1;
};
