#include "widgets/SystemBell.h"
#include "common/SoundPlayer.h"
#include <QApplication>

void SystemBell()
{
    QApplication::beep();
}

void PlayStandardBeep(SoundPlayer* player)
{
    if (player)
        player->Beep();
    else
        SystemBell();
}
