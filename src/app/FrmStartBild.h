#pragma once
#include <QDialog>

class QFrame;
class QLabel;
class QTimer;
class SvgPicture;

// The splash picture with the release number, shown once while the main
// window is being created; it closes itself after its time.
class TFrmStartBild : public QDialog {
    Q_OBJECT
public:
    static constexpr int SplashDurationMs = 3000;

    explicit TFrmStartBild(QWidget* parent = nullptr);

    // Centres the splash, shows it modally and returns once it has closed
    // itself after durationMs milliseconds.
    void ShowSplash(int durationMs = SplashDurationMs);

    SvgPicture* Image;
    QFrame* Shape1;
    QLabel* lbRelease;
    QTimer* Timer;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void TimerTimer();
};
