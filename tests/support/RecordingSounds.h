#pragma once
#include "common/SoundPlayer.h"
#include <QStringList>

// Records the names of the sounds asked for, and counts the beeps, instead of
// playing them.
class RecordingSounds : public SoundPlayer {
public:
    void playResourceSound(const QString& name) override { played << name; }
    void beep() override { ++beeps; }

    QStringList played;
    int beeps = 0;
};
