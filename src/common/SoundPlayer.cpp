#include "common/SoundPlayer.h"
#include <QApplication>

void SoundPlayer::Beep()
{
    QApplication::beep();
}

void PlayStandardBeep(SoundPlayer* player)
{
    if (player)
        player->Beep();
    else
        QApplication::beep();
}
