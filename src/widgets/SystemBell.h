#pragma once

class SoundPlayer;

// The system's bell, for a beep where the program's sound output is silent.
void systemBell();
// The player's beep, or the system's bell where there is no player.
void playStandardBeep(SoundPlayer* player);
