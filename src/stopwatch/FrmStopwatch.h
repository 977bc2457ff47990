#pragma once
#include "widgets/RoundedFrame.h"
#include "widgets/EmbeddedForm.h"
#include <array>

struct ProgramState;
class QFrame;
class QPushButton;
class TPimStopWatch;

// "Zeit bestimmen" / "Stop time": a stopwatch for each of three couples on
// the floor, buttons that start, stop or reset all three, and each couple's
// time copied into the main window's status bar, where it stays visible
// while another tool is shown.
class TFrmStopwatch : public EmbeddedForm {
    Q_OBJECT
    // First, because the controls are built from it.
    ProgramState& state_;

public:
    explicit TFrmStopwatch(ProgramState& state, QWidget* parent = nullptr);

    void BT_StartAllClick();
    void BT_StopAllClick();
    void BT_ResetAllClick();
    void BT_HelpClick();
    // Shared by the three stopwatches: writes the sender's status bar panel.
    void SW1TimeChange(TPimStopWatch* Sender, const QString& Time);
    void TimeFormatChanged(TimeFormat format) override;

    RoundedFrame* const LMDShapeControl1;
    TPimStopWatch* const SW1;
    TPimStopWatch* const SW2;
    TPimStopWatch* const SW3;
    QPushButton* const BT_StartAll;
    QPushButton* const BT_StopAll;
    QPushButton* const BT_ResetAll;
    QPushButton* const BT_Help;

protected:
    void applyLanguage() override;

private:
    std::array<TPimStopWatch*, 3> couples() const { return {SW1, SW2, SW3}; }
    TPimStopWatch* makeCouple(int couple);
    void placeControls();
};
