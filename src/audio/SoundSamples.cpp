#include "audio/SoundSamples.h"
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kPcmFormatTag = 1;

quint16 readU16(const QByteArray& image, qint64 offset)
{
    return qFromLittleEndian<quint16>(image.constData() + offset);
}

quint32 readU32(const QByteArray& image, qint64 offset)
{
    return qFromLittleEndian<quint32>(image.constData() + offset);
}

bool isPcmMono16(const QByteArray& image, qint64 offset, qint64 size)
{
    return size >= 16 && readU16(image, offset) == kPcmFormatTag && readU16(image, offset + 2) == 1 &&
           readU32(image, offset + 4) > 0 && readU16(image, offset + 14) == 16;
}

} // namespace

// The resources live in a static library: without this reference the linker
// would drop them. Outside any namespace, as the macro requires.
static void initSoundResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(sounds);
        return true;
    }();
    Q_UNUSED(registered);
}

std::optional<PcmSound> parseWave(const QByteArray& image)
{
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return std::nullopt;
    bool formatSeen = false;
    PcmSound sound;
    // Chunks follow each other, each padded to an even length.
    for (qint64 offset = 12; offset + 8 <= image.size();) {
        const QByteArray id = image.mid(offset, 4);
        const qint64 size = readU32(image, offset + 4);
        const qint64 body = offset + 8;
        if (size > image.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (!isPcmMono16(image, body, size))
                return std::nullopt;
            sound.sampleRate = static_cast<int>(readU32(image, body + 4));
            formatSeen = true;
        }
        else if (id == "data") {
            if (!formatSeen)
                return std::nullopt;
            sound.samples.resize(size / 2);
            for (qint64 i = 0; i < sound.samples.size(); ++i)
                sound.samples[i] = qFromLittleEndian<qint16>(image.constData() + body + 2 * i);
            return sound;
        }
        offset = body + size + (size & 1);
    }
    return std::nullopt;
}

MonoSound renderForOutput(const PcmSound& sound, int outputRate)
{
    const qint64 inputCount = sound.samples.size();
    if (inputCount == 0 || sound.sampleRate <= 0 || outputRate <= 0)
        return {};
    const double step = double(sound.sampleRate) / outputRate;
    std::vector<float> frames(std::size_t(inputCount / step));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double at = i * step;
        const qint64 k = qint64(at);
        const double next = k + 1 < inputCount ? sound.samples[k + 1] : 0.0;
        frames[i] = float((sound.samples[k] + (next - sound.samples[k]) * (at - k)) / 32768.0);
    }
    return frames;
}

MonoSound standardBeep(int outputRate)
{
    constexpr double kPitchHz = 880.0;
    constexpr double kSeconds = 0.15;
    constexpr double kRampSeconds = 0.005;
    constexpr double kLevel = 0.5;
    if (outputRate <= 0)
        return {};
    std::vector<float> frames(std::size_t(kSeconds * outputRate));
    const double ramp = kRampSeconds * outputRate;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double edge = std::min({1.0, i / ramp, (frames.size() - 1 - i) / ramp});
        frames[i] = float(kLevel * edge * std::sin(2.0 * M_PI * kPitchHz * i / outputRate));
    }
    return frames;
}

QMap<QString, QByteArray> builtInWaveImages()
{
    initSoundResources();
    const QDir folder(QStringLiteral(":/sounds"));
    QMap<QString, QByteArray> images;
    for (const QFileInfo& info : folder.entryInfoList({QStringLiteral("*.wav")}, QDir::Files)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            images.insert(info.completeBaseName().toUpper(), file.readAll());
    }
    return images;
}
