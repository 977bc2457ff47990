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
class ThreadTimer;
class MeasuredTempo;

// The metronome: beats a tempo in bars per minute in 2/4, 3/4 or 4/4, flashing
// Bar (full on the first beat of a bar, half on the others) and, with "Sound"
// ticked, playing an accent or a click.
//
// With sound, the output places every click at its exact time itself, and the
// flash follows the time each click is heard. Without "Sound" the beat
// clock's schedule drives the flash; so it does without a sound output, and
// the window then says that there is none. An output that comes back while
// it runs takes over at the next bar.
class MetronomeWindow : public EmbeddedForm {
    Q_OBJECT
public:
    explicit MetronomeWindow(ProgramState& state, QWidget* parent = nullptr);

    static constexpr int kMinTempo = 1;
    static constexpr int kMaxTempo = 200;

    void startClicked();
    void beatTimerFired();
    void barTimerFired();
    void flashTimerFired();
    void metreChanged();
    // Sound ticked while running: the output's clicks from the next bar line;
    // unticked: the clicks stop and the flashes go on in their beat.
    void soundToggled();
    // Tempo changed while running: it takes over at the next bar.
    void tempoChanged();
    // Take over the tempo last measured by count beat, or the middle of the target range.
    void measuredClicked();
    // The tempo the measured button takes over.
    void setMeasuredTempo(const MeasuredTempo* measured) { measured_ = measured; }
    void targetClicked();

    bool running() const;
    const BeatSchedule& schedule() const { return schedule_; }

    RoundedFrame* const frame;
    QProgressBar* const beatBar;
    RadioGroup* const metreGroup;
    QLabel* const tempoLabel;
    SpinEdit* const tempoSpin;
    QCheckBox* const beepCheck;
    QPushButton* const startButton;
    QPushButton* const helpButton;
    QPushButton* const measuredButton;
    QPushButton* const targetButton;
    QLabel* const noSoundLabel;
    QTimer* const barTimer;
    ThreadTimer* const beatTimer;
    QTimer* const flashTimer; // shows a beat's flash when its click is heard

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
    const MeasuredTempo* measured_ = nullptr;
    BeatSchedule schedule_;
    bool clicksFromOutput_ = false;
    Beat pendingFlash_;
};
