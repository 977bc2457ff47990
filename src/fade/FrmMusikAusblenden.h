#pragma once
#include "fade/BarCountdown.h"
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
class TThreadTimer;

// Fade music for Rock'n'Roll: turns the tempo and dancing time of a class
// (and round) into bars, runs a clock from the start of the music, counts the
// bars down and lights the last ten on large digits: 9 to 6 while the
// competition music plays on, 5 to 1 while it is faded out, 0 at the end.
// It can beep at each of them and stops itself once the dancing time is over.
class TFrmMusikAusblenden : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmMusikAusblenden(ProgramState& state, QWidget* parent = nullptr);

    void RG_KlasseChange();
    void RG_RundeChange();
    void ED_TakteExit();
    void Start1Click();
    void TimerTimer();
    void ResetClick();
    void TimeEditChange();
    void BT_HelpClick();

    bool running() const { return fade_.running(); }
    const FadeCountdown& fade() const { return fade_; }

    // The system's beep by default; tests count the calls.
    std::function<void()> Beep;

    QGroupBox* const GB_1;
    QLineEdit* const TimeEdit;
    QLabel* const Label1;
    QPushButton* const Start;
    QPushButton* const Reset;
    QLabel* const LMDSimpleLabel4;
    QLineEdit* const ED_RestTakte;
    QGroupBox* const LMDGroupBox1;
    QGroupBox* const LMDGroupBox2;
    QGroupBox* const LMDGroupBox3;
    // Indexed by the digit: LB[0] is LB0, LB[9] is LB9.
    const std::array<QLabel*, 10> LB;
    QLabel* const LMDSimpleLabel1;
    QLineEdit* const ED_Takte;
    QLabel* const LMDSimpleLabel2;
    QLineEdit* const ED_Dauer;
    QLabel* const LMDSimpleLabel3;
    QCheckBox* const CB_Beep;
    RadioGroup* const RG_Klasse;
    RadioGroup* const RG_Runde;
    QLabel* const LB_Info;
    // The class and round whose tempo and dancing time the clock counts with.
    QLabel* const LB_Dance;
    QPushButton* const BT_Help;
    TThreadTimer* const Timer;

protected:
    void applyLanguage() override;
    void FormShow() override;

private:
    void placeControls();
    void placeDigits();

    void LookUpRule();
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

    ProgramState& state_;
    FadeCountdown fade_;
    // The tempo as the rule table or the user gave it: one number or a range.
    QString tempoText_;
    // Items of RG_Klasse and RG_Runde the shown rule row belongs to; -1 for none.
    int danceKlasse_ = -1;
    int danceRunde_ = -1;
};
