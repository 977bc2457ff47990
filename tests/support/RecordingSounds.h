#pragma once
#include "SoundPlayer.h"
#include <QStringList>

// Records the names of the sounds asked for instead of playing them.
class RecordingSounds : public SoundPlayer {
public:
    void PlayResourceSound(const QString& name) override { played << name; }

    QStringList played;
};
