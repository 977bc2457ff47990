#pragma once
#include "widgets/EmbeddedForm.h"
#include "common/StopwatchClock.h"
#include "fade/TrafficLight.h"
#include <array>
#include <memory>

struct ProgramState;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class RoundedFrame;
class TfrmBeamer;

// One lamp of a traffic light: a circle filled with its brush colour.
class LampShape : public QWidget {
public:
    explicit LampShape(QWidget* parent);
    void setBrushColor(const QColor& color);
    QColor brushColor() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};

// Everything one couple has; the window holds three of them.
struct FadeCouple {
    explicit FadeCouple(const Clock& clock)
        : clock(clock)
    {
    }

    QGroupBox* GB = nullptr;
    QLineEdit* TimeEdit = nullptr;
    QLabel* Label = nullptr; // unit: "sec." or "mm:ss"
    QPushButton* Start = nullptr;
    QPushButton* BT_beamer = nullptr;
    QFrame* Ampel = nullptr; // housing of the traffic light
    LampShape* Rot = nullptr;
    LampShape* Gelb = nullptr;
    LampShape* Gruen = nullptr;
    QTimer* Timer = nullptr;
    StopwatchClock clock;
    TrafficLight light;
};

// "Musik ausblenden" for Standard, Latin and Boogie-Woogie: a clock for each
// of up to three couples with a traffic light against the dancing time of
// the chosen dance, the clocks in the status bar, and the projector display.
// Couples are numbered 1 to 3 throughout.
class TFrmMusikAusblendenLatein : public EmbeddedForm {
    Q_OBJECT
    // First, because the controls are built from them.
    ProgramState& state_;
    std::array<std::unique_ptr<FadeCouple>, 3> couples_;

public:
    explicit TFrmMusikAusblendenLatein(ProgramState& state, QWidget* parent = nullptr);

    // The projector display, created by the main window; its hidden buttons
    // start, stop and reset the couples from here on.
    void setBeamer(TfrmBeamer* beamer);

    // Start button: refuses without a complete dance selection, else toggles.
    void StartClick(int couple);
    // Starts or stops one clock, without the selection check.
    void ToggleCouple(int couple);
    void TimerTimer(int couple);
    void SetAmpel(int couple, LampState state);
    void BT_ResetClick();
    void TimeEditChange(int couple);
    // The projector buttons: mode 1 to 3 one couple, 4 two clocks, 5 all.
    void BeamerClick(int mode);
    void BT_HelpClick();
    void TimeFormatChanged(TimeFormat zeitformat) override;

    const FadeCouple& couple(int number) const { return *couples_[number - 1]; }
    // -1 except while the projector display is open.
    int projectorMode() const { return projectorMode_; }

    RoundedFrame* const LMDShapeControl1;
    QPushButton* const BT_Beamer2;
    QPushButton* const BT_BeamerAll;
    QCheckBox* const cbx_inverted;
    // The screen the projector display goes to.
    QLabel* const LB_BeamerScreen;
    QComboBox* const CO_BeamerScreen;
    QPushButton* const BT_Reset;
    QPushButton* const BT_Help;

protected:
    void applyLanguage() override;

private:
    FadeCouple& coupleAt(int number) { return *couples_[number - 1]; }
    std::unique_ptr<FadeCouple> makeCouple(int number);
    void addTrafficLight(FadeCouple& couple, int number);
    void placeControls();
    bool danceChosen() const;
    bool noDanceChosen() const;
    bool anyClockRuns() const;
    void setDanceSelectionEnabled(bool enabled);
    void showStartCaption(int couple);
    void showLamp(int couple, LampState state);
    void showUnitLabels(TimeFormat zeitformat);
    void showReading(int couple, TimeFormat zeitformat);
    void showOnBeamer();
    void listBeamerScreens();

    TfrmBeamer* beamer_ = nullptr;
    int projectorMode_ = -1;
};
