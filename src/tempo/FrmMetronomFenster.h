#pragma once
#include "RoundedFrame.h"
#include "SpinEdit.h"
#include "BeatSchedule.h"
#include "EmbeddedForm.h"
#include <optional>

struct ProgramState;
class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class RadioGroup;
class TThreadTimer;

// The metronome: beats a tempo in bars per minute in 2/4, 3/4 or 4/4, flashing
// Bar (full on the first beat of a bar, half on the others) and, with "Sound"
// ticked, playing an accent or a click.
class TFrmMetronomFenster : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmMetronomFenster(ProgramState& state, QWidget* parent = nullptr);

    static constexpr int kMinTempo = 1;
    static constexpr int kMaxTempo = 200;

    void BT_StartClick();
    void TimerTimer();
    void BarTimerTimer();
    void TaktChange();
    void BT_HelpClick();
    // Tempo changed while running: it takes over at the next bar.
    void SE_TakteProMinuteChange();
    // Take over the tempo last measured by count beat, or the middle of the target range.
    void BT_GemessenClick();
    void BT_SollClick();

    bool running() const;
    const BeatSchedule& schedule() const { return schedule_; }

    RoundedFrame* const LMDShapeControl1;
    QProgressBar* const Bar;
    RadioGroup* const Takt;
    QLabel* const Label1;
    SpinEdit* const SE_TakteProMinute;
    QCheckBox* const CB_Beep;
    QPushButton* const BT_Start;
    QPushButton* const BT_Help;
    QPushButton* const BT_Gemessen;
    QPushButton* const BT_Soll;
    QTimer* const BarTimer;
    TThreadTimer* const Timer;

protected:
    void applyLanguage() override;

private:
    void placeControls();
    int beatsPerBar() const;
    // The spin edit's tempo, or nullopt after telling the user why it is unusable.
    std::optional<double> readTempo();
    void startMetronome();
    void stopMetronome();
    void changeWhileRunning();
    void takeOverTempo(std::optional<double> tempo, const QString& german, const QString& english);

    ProgramState& state_;
    BeatSchedule schedule_;
};
