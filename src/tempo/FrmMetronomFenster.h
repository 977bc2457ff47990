#pragma once
#include "widgets/RoundedFrame.h"
#include "widgets/SpinEdit.h"
#include "tempo/BeatSchedule.h"
#include "widgets/EmbeddedForm.h"
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
class TFrmGeschwindigkeitsumrechnung;

// The metronome: beats a tempo in bars per minute in 2/4, 3/4 or 4/4, flashing
// Bar (full on the first beat of a bar, half on the others) and, with "Sound"
// ticked, playing an accent or a click.
//
// With sound, the output places every click at its exact time itself, and the
// flash follows the time each click is heard. Without "Sound" the beat
// clock's schedule drives the flash; so it does without a sound output, and
// the window then says that there is none. An output that comes back while
// it runs takes over at the next bar.
class TFrmMetronomFenster : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmMetronomFenster(ProgramState& state, QWidget* parent = nullptr);

    static constexpr int kMinTempo = 1;
    static constexpr int kMaxTempo = 200;

    void BT_StartClick();
    void TimerTimer();
    void BarTimerTimer();
    void FlashTimerTimer();
    void TaktChange();
    void BT_HelpClick();
    // Tempo changed while running: it takes over at the next bar.
    void SE_TakteProMinuteChange();
    // Take over the tempo last measured by count beat, or the middle of the target range.
    void BT_GemessenClick();
    // The speed conversion's actual tempo is the one last measured.
    void setSpeedConversion(const TFrmGeschwindigkeitsumrechnung* window) { speedConversion_ = window; }
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
    QLabel* const LB_NoSound;
    QTimer* const BarTimer;
    TThreadTimer* const Timer;
    QTimer* const FlashTimer; // shows a beat's flash when its click is heard

protected:
    void applyLanguage() override;

private:
    void placeControls();
    int beatsPerBar() const;
    // The spin edit's tempo, or nullopt after telling the user why it is unusable.
    std::optional<double> readTempo();
    void startMetronome();
    // A new bar now: the beat clock from here, the output's clicks where there is one.
    void beginWithAnAccent(double tempo);
    void stopMetronome();
    void changeWhileRunning();
    void takeOverTempo(std::optional<double> tempo, const QString& missing);
    bool startClicks();
    bool outputIsBack() const;
    void followHeardClicks();
    void flash(const Beat& beat);
    void showSoundNotice(bool noSound);

    ProgramState& state_;
    const TFrmGeschwindigkeitsumrechnung* speedConversion_ = nullptr;
    BeatSchedule schedule_;
    bool clicksFromOutput_ = false;
    Beat pendingFlash_;
};
