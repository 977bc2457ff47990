#pragma once
#include "widgets/EmbeddedForm.h"
#include "tempo/TapSeries.h"
#include <cstdint>

struct ProgramState;
class DelimitedListBox;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class AdaptFixedSpeedDialog;
class AdaptSpeedDialog;
class MeasuredTempo;

// Count beat: the user taps once per bar; each tap lists the bars so far, the
// time since the first tap, the current and the average tempo, coloured by
// whether the average lies in the chosen dance's tempo range.
class CountBeatWindow : public EmbeddedForm {
    Q_OBJECT
public:
    explicit CountBeatWindow(ProgramState& state, QWidget* parent = nullptr);

    // The evaluation's dialogs; the main window owns them.
    void setAdaptSpeed(AdaptSpeedDialog* dialog) { adaptSpeed_ = dialog; }
    void setAdaptFixSpeed(AdaptFixedSpeedDialog* dialog) { adaptFixSpeed_ = dialog; }
    // Each tap's average becomes the measured tempo.
    void setMeasuredTempo(MeasuredTempo* measured) { measured_ = measured; }

    void tap();
    void startClicked();
    void evaluateClicked();
    void resetClicked();
    void resetTimerFired();
    void barsPerAverageChanged();

    // Whether each tap's average goes onto the clipboard; a stored setting.
    bool copiesToClipboard() const;
    void setCopiesToClipboard(bool copies);

    const TapSeries& series() const { return series_; }
    bool keyReleased() const { return keyReleased_; }
    // "Bereit zum Auszählen" in the program's language.
    static QString readyPrompt();

    DelimitedListBox* tapList = nullptr;
    QSpinBox* barsPerAverageSpin = nullptr;
    QLabel* barsPerAverageLabel = nullptr;
    QLabel* averageCaptionLabel = nullptr;
    QLabel* spreadLabel = nullptr; // taps and spread beside the average
    QCheckBox* clipboardCheck = nullptr;
    QPushButton* startButton = nullptr;
    QPushButton* evaluateButton = nullptr;
    QPushButton* resetButton = nullptr;
    QPushButton* helpButton = nullptr;
    QTimer* resetTimer = nullptr;

protected:
    void applyLanguage() override;
    void windowShown() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOutControls();
    bool spaceFromElsewhere(QObject* watched, QEvent* event);
    void listKeyDown(const QKeyEvent& key);
    void listKeyUp(const QKeyEvent& key);
    void listEntered();
    void listLeft();
    QColor rowColour(const QStringList& fields) const;
    QStringList shownFields(const QStringList& fields) const;
    void evaluateTypedTarget();
    void evaluateRuleTarget();
    void keepRowsAfterEvaluation();
    void noBarsEntered();
    void warn(const QString& text);
    bool showsReadyPrompt() const;
    void showAverageInSpeedConversion(double barsPerMinute);
    void showSteadiness();
    void clearSeries();
    void scrollToNewest();
    double stopwatchSeconds() const;
    void restartStopwatch();

    ProgramState& state_;
    TapSeries series_;
    std::int64_t stopwatchStartNs_ = 0;
    bool keyReleased_ = true;
    AdaptSpeedDialog* adaptSpeed_ = nullptr;
    AdaptFixedSpeedDialog* adaptFixSpeed_ = nullptr;
    MeasuredTempo* measured_ = nullptr;
};
