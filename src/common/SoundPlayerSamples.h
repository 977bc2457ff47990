#pragma once
#include <QAudioFormat>
#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QMap>
#include <QString>
#include <QVector>
#include <mutex>
#include <optional>

// The samples of a WAVE image in the one format the built-in sounds use.
struct PcmSound {
    int sampleRate = 0;
    QVector<qint16> samples;
};

// Reads a RIFF WAVE image holding PCM, mono, 16 bits; nullopt for any other
// format and for a damaged image.
std::optional<PcmSound> ParseWave(const QByteArray& image);

// The sound as frames of the output format: resampled linearly to its rate and
// copied to each of its channels.
QByteArray RenderForOutput(const PcmSound& sound, const QAudioFormat& format);

// The WAVE images built into the program, by file name without extension in
// upper case ("TOMTOM_HI").
QMap<QString, QByteArray> BuiltInWaveImages();

// The stream one audio sink pulls from: the rest of the sound playing, then
// silence. Starting a sound replaces the one playing, from its first frame.
// The sink may pull on a thread of its own, hence the lock.
class SampleSource : public QIODevice {
public:
    explicit SampleSource(const QAudioFormat& format, QObject* parent = nullptr);

    // frames must be in the format given to the constructor.
    void addSound(const QString& name, const QByteArray& frames);
    // Names match without regard to case. False for an unknown name, which
    // leaves the sound playing as it is.
    bool play(const QString& name);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    QHash<QString, QByteArray> sounds_;
    const char silence_;
    const qint64 bytesPerPull_;

    std::mutex mutex_;
    QByteArray playing_;
    qint64 position_ = 0;
};
