#include "app/SplashScreen.h"
#include "app/HelpWindow.h"
#include "widgets/Pictures.h"
#include <QFrame>
#include <QLabel>
#include <QTimer>

SplashScreen::SplashScreen(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(321, 230);

    image = new SvgPicture(SplashPicture, this);
    image->setGeometry(rect());

    border = new QFrame(this);
    border->setObjectName(QStringLiteral("border"));
    border->setGeometry(0, 0, 145, 22);
    border->setStyleSheet(QStringLiteral("QFrame#border { border: 1px solid white; background: transparent; }"));

    releaseLabel = new QLabel(QStringLiteral("Release 2.2.6"), this);
    releaseLabel->setObjectName(QStringLiteral("lbRelease"));
    QFont font = releaseLabel->font();
    font.setPixelSize(19);
    font.setBold(true);
    releaseLabel->setFont(font);
    releaseLabel->setStyleSheet(QStringLiteral("color: white;"));
    releaseLabel->setGeometry(border->geometry());
    releaseLabel->setAlignment(Qt::AlignCenter);

    closeTimer = new QTimer(this);
    closeTimer->setSingleShot(true);
    closeTimer->setInterval(SplashDurationMs);
    connect(closeTimer, &QTimer::timeout, this, &SplashScreen::closeTimerFired);
}

void SplashScreen::showSplash(int durationMs)
{
    closeTimer->setInterval(durationMs);
    centreOnScreen(*this);
    exec();
}

void SplashScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    windowShown();
}

void SplashScreen::windowShown()
{
    closeTimer->start();
}

void SplashScreen::closeTimerFired()
{
    closeTimer->stop();
    accept();
}
