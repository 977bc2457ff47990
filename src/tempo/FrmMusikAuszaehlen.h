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
class TFrmAdaptFixSpeed;
class TFrmAdaptSpeed;
class TFrmGeschwindigkeitsumrechnung;

// Count beat: the user taps once per bar; each tap lists the bars so far, the
// time since the first tap, the current and the average tempo, coloured by
// whether the average lies in the chosen dance's tempo range.
class TFrmMusikAuszaehlen : public EmbeddedForm {
    Q_OBJECT
public:
    explicit TFrmMusikAuszaehlen(ProgramState& state, QWidget* parent = nullptr);

    // The evaluation's dialogs; the main window owns them.
    void setAdaptSpeed(TFrmAdaptSpeed* dialog) { adaptSpeed_ = dialog; }
    void setAdaptFixSpeed(TFrmAdaptFixSpeed* dialog) { adaptFixSpeed_ = dialog; }
    // Where each tap's average is shown as the actual tempo.
    void setSpeedConversion(TFrmGeschwindigkeitsumrechnung* window) { speedConversion_ = window; }

    void Tap();
    void BT_StartClick();
    void BT_EvaluateClick();
    void BT_ResetClick();
    void BT_HelpClick();
    void ResetTimerTimer();
    void SE_TakteAktuellChange();

    // Whether each tap's average goes onto the clipboard; a stored setting.
    bool copiesToClipboard() const;
    void setCopiesToClipboard(bool copies);

    const TapSeries& series() const { return series_; }
    bool keyReleased() const { return KeyReleased; }
    // "Bereit zum Auszählen" in the program's language.
    static QString ReadyPrompt();

    DelimitedListBox* List = nullptr;
    QSpinBox* SE_TakteAktuell = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LB_Streuung = nullptr; // taps and spread beside the average
    QCheckBox* CB_Zwischenablage = nullptr;
    QPushButton* BT_Start = nullptr;
    QPushButton* BT_Evaluate = nullptr;
    QPushButton* BT_Reset = nullptr;
    QPushButton* BT_Help = nullptr;
    QTimer* ResetTimer = nullptr;

protected:
    void applyLanguage() override;
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void ListKeyDown(const QKeyEvent& key);
    void ListKeyUp(const QKeyEvent& key);
    void ListEnter();
    void ListExit();
    QColor rowColour(const QStringList& fields) const;
    void evaluateTypedTarget();
    void evaluateRuleTarget();
    void noBarsEntered();
    void warn(const QString& text);
    bool showsReadyPrompt() const;
    void showAverageInSpeedConversion(const QString& text);
    void showSteadiness();
    void clearSeries();
    void scrollToNewest();
    double stopwatchSeconds() const;
    void restartStopwatch();

    ProgramState& state_;
    TapSeries series_;
    std::int64_t stopwatchStartNs_ = 0;
    bool KeyReleased = true;
    TFrmAdaptSpeed* adaptSpeed_ = nullptr;
    TFrmAdaptFixSpeed* adaptFixSpeed_ = nullptr;
    TFrmGeschwindigkeitsumrechnung* speedConversion_ = nullptr;
};
