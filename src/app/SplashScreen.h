#pragma once
#include <QDialog>

class QFrame;
class QLabel;
class QTimer;
class SvgPicture;

// The splash picture with the release number, shown once while the main
// window is being created; it closes itself after its time.
class SplashScreen : public QDialog {
    Q_OBJECT
public:
    static constexpr int SplashDurationMs = 3000;

    explicit SplashScreen(QWidget* parent = nullptr);

    // Centres the splash, shows it modally and returns once it has closed
    // itself after durationMs milliseconds.
    void showSplash(int durationMs = SplashDurationMs);

    SvgPicture* image;
    QFrame* border;
    QLabel* releaseLabel;
    QTimer* closeTimer;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void windowShown();
    void closeTimerFired();
};
