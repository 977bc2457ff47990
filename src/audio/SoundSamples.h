#pragma once
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVector>
#include <optional>
#include <vector>

// The samples of a WAVE image in the one format the built-in sounds use.
struct PcmSound {
    int sampleRate = 0;
    QVector<qint16> samples;
};

// Mono samples in [-1, 1] at the output's rate.
using MonoSound = std::vector<float>;

// Reads a RIFF WAVE image holding PCM, mono, 16 bits; nullopt for any other
// format and for a damaged image.
std::optional<PcmSound> parseWave(const QByteArray& image);

// The sound as mono samples in [-1, 1) at the output's rate, resampled linearly.
MonoSound renderForOutput(const PcmSound& sound, int outputRate);

// The standard beep: a short tone that starts and ends softly, so that it
// does not crack.
MonoSound standardBeep(int outputRate);

// The WAVE images built into the program, by file name without extension in
// upper case ("TOMTOM_HI").
QMap<QString, QByteArray> builtInWaveImages();
