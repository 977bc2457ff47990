#pragma once
#include "widgets/RoundedFrame.h"
#include "widgets/EmbeddedForm.h"
#include <array>

struct ProgramState;
class QFrame;
class QPushButton;
class StopwatchControl;

// "Zeit bestimmen" / "Stop time": a stopwatch for each of three couples on
// the floor, buttons that start, stop or reset all three, and each couple's
// time copied into the main window's status bar, where it stays visible
// while another tool is shown.
class StopTimeWindow : public EmbeddedForm {
    Q_OBJECT
    // First, because the controls are built from it.
    ProgramState& state_;

public:
    explicit StopTimeWindow(ProgramState& state, QWidget* parent = nullptr);

    void startAllClicked();
    void stopAllClicked();
    void resetAllClicked();
    // Shared by the three stopwatches: writes the sender's status bar panel.
    void coupleTimeChanged(StopwatchControl* Sender, const QString& Time);
    void timeFormatChanged(TimeFormat format) override;

    RoundedFrame* const frame;
    StopwatchControl* const coupleOne;
    StopwatchControl* const coupleTwo;
    StopwatchControl* const coupleThree;
    QPushButton* const startAllButton;
    QPushButton* const stopAllButton;
    QPushButton* const resetAllButton;
    QPushButton* const helpButton;

protected:
    void applyLanguage() override;

private:
    std::array<StopwatchControl*, 3> couples() const { return {coupleOne, coupleTwo, coupleThree}; }
    StopwatchControl* makeCouple(int couple);
    void placeControls();
};
