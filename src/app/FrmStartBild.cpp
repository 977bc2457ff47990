#include "app/FrmStartBild.h"
#include "app/FrmIndividualHelp.h"
#include "widgets/Pictures.h"
#include <QFrame>
#include <QLabel>
#include <QTimer>

TFrmStartBild::TFrmStartBild(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FrmStartBild"));
    setFixedSize(321, 230);

    Image = new SvgPicture(SplashPicture, this);
    Image->setGeometry(rect());

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(0, 0, 145, 22);
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 1px solid white; background: transparent; }"));

    lbRelease = new QLabel(QStringLiteral("Release 2.2.6"), this);
    lbRelease->setObjectName(QStringLiteral("lbRelease"));
    QFont font = lbRelease->font();
    font.setPixelSize(19);
    font.setBold(true);
    lbRelease->setFont(font);
    lbRelease->setStyleSheet(QStringLiteral("color: white;"));
    lbRelease->setGeometry(Shape1->geometry());
    lbRelease->setAlignment(Qt::AlignCenter);

    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(SplashDurationMs);
    connect(Timer, &QTimer::timeout, this, &TFrmStartBild::TimerTimer);
}

void TFrmStartBild::ShowSplash(int durationMs)
{
    Timer->setInterval(durationMs);
    CentreOnScreen(*this);
    exec();
}

void TFrmStartBild::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFrmStartBild::FormShow()
{
    Timer->start();
}

void TFrmStartBild::TimerTimer()
{
    Timer->stop();
    accept();
}
