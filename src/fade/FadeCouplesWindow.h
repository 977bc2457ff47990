#pragma once
#include "widgets/EmbeddedForm.h"
#include "common/StopwatchClock.h"
#include "fade/PlayerTime.h"
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
class ProjectorWindow;

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

    QGroupBox* group = nullptr;
    QLineEdit* timeEdit = nullptr;
    QLabel* unitLabel = nullptr; // unit: "sec." or "mm:ss"
    QPushButton* startButton = nullptr;
    QPushButton* projectorButton = nullptr;
    QFrame* lampHousing = nullptr; // housing of the traffic light
    LampShape* redLamp = nullptr;
    LampShape* amberLamp = nullptr;
    LampShape* greenLamp = nullptr;
    QTimer* clockTimer = nullptr;
    StopwatchClock clock;
    TrafficLight light;
};

// "Musik ausblenden" for Standard, Latin and Boogie-Woogie: a clock for each
// of up to three couples with a traffic light against the dancing time of
// the chosen dance, the clocks in the status bar, and the projector display.
// Couples are numbered 1 to 3 throughout. Following the player, the clocks
// count the time the hall hears: the first couple's starts with the music of
// a heat, the others' when the operator starts them, and all stop with it.
class FadeCouplesWindow : public EmbeddedForm {
    Q_OBJECT
    // First, because the controls are built from them.
    ProgramState& state_;
    PlayerTime time_;
    std::array<std::unique_ptr<FadeCouple>, 3> couples_;

public:
    explicit FadeCouplesWindow(ProgramState& state, QWidget* parent = nullptr);

    // The projector display, created by the main window; its hidden buttons
    // start, stop and reset the couples from here on.
    void setProjector(ProjectorWindow* projector);

    // Start button: refuses without a complete dance selection, else toggles.
    void startClicked(int couple);
    // Starts or stops one clock, without the selection check.
    void toggleCouple(int couple);
    void clockTimerFired(int couple);
    // While a heat has begun and not been heard yet: starts the first couple
    // once it is.
    void followTimerFired();
    void setLamp(int couple, LampState state);
    void resetClicked();
    void timeEditChanged(int couple);
    // The projector buttons: mode 1 to 3 one couple, 4 two clocks, 5 all.
    void projectorClicked(int mode);
    void timeFormatChanged(TimeFormat timeFormat) override;

    const FadeCouple& couple(int number) const { return *couples_[number - 1]; }
    // -1 except while the projector display is open.
    int projectorMode() const { return projectorMode_; }
    const PlayerTime& time() const { return time_; }

    RoundedFrame* const frame;
    QPushButton* const projectorTwoButton;
    QPushButton* const projectorAllButton;
    QCheckBox* const invertedCheck;
    QCheckBox* const followCheck;
    QTimer* const followTimer;
    // The screen the projector display goes to.
    QLabel* const projectorScreenLabel;
    QComboBox* const projectorScreenCombo;
    QPushButton* const resetButton;
    QPushButton* const helpButton;

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
    void showUnitLabels(TimeFormat timeFormat);
    void showReading(int couple, TimeFormat timeFormat);
    void showOnProjector();
    void listProjectorScreens();
    void heatBegun();
    void heatEnding();
    void showHeatOnProjector();

    ProjectorWindow* projector_ = nullptr;
    int projectorMode_ = -1;
};
