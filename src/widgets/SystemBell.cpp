#include "widgets/SystemBell.h"
#include "common/SoundPlayer.h"
#include <QApplication>

void systemBell()
{
    QApplication::beep();
}

void playStandardBeep(SoundPlayer* player)
{
    if (player)
        player->beep();
    else
        systemBell();
}
