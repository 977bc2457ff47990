#include "SoundPlayerSamples.h"
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

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
    return size >= 16 && readU16(image, offset) == kPcmFormatTag && readU16(image, offset + 2) == 1
        && readU32(image, offset + 4) > 0 && readU16(image, offset + 14) == 16;
}

// value in [-1, 1), scaled as it was read (by 32768), so that 16-bit samples
// pass unchanged.
void writeSample(char* out, float value, QAudioFormat::SampleFormat format)
{
    switch (format) {
    case QAudioFormat::UInt8: {
        const quint8 v = quint8(qBound(0, qRound(value * 128.0f) + 128, 255));
        std::memcpy(out, &v, sizeof v);
        break;
    }
    case QAudioFormat::Int16: {
        const qint16 v = qint16(qBound(-32768, qRound(value * 32768.0f), 32767));
        std::memcpy(out, &v, sizeof v);
        break;
    }
    case QAudioFormat::Int32: {
        const qint32 v = qint32(qBound(-2147483648.0, std::round(value * 2147483648.0), 2147483647.0));
        std::memcpy(out, &v, sizeof v);
        break;
    }
    case QAudioFormat::Float:
        std::memcpy(out, &value, sizeof value);
        break;
    default:
        break;
    }
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

std::optional<PcmSound> ParseWave(const QByteArray& image)
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
        } else if (id == "data") {
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

QByteArray RenderForOutput(const PcmSound& sound, const QAudioFormat& format)
{
    const qint64 inputCount = sound.samples.size();
    if (inputCount == 0 || sound.sampleRate <= 0 || !format.isValid())
        return {};
    const double step = double(sound.sampleRate) / format.sampleRate();
    const qint64 frameCount = qint64(inputCount / step);
    const int channels = format.channelCount();
    const int bytesPerSample = format.bytesPerSample();
    QByteArray frames(frameCount * format.bytesPerFrame(), Qt::Uninitialized);
    char* out = frames.data();
    for (qint64 i = 0; i < frameCount; ++i) {
        const double at = i * step;
        const qint64 k = qint64(at);
        const double next = k + 1 < inputCount ? sound.samples[k + 1] : 0.0;
        const double value = sound.samples[k] + (next - sound.samples[k]) * (at - k);
        for (int c = 0; c < channels; ++c, out += bytesPerSample)
            writeSample(out, float(value / 32768.0), format.sampleFormat());
    }
    return frames;
}

QMap<QString, QByteArray> BuiltInWaveImages()
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

SampleSource::SampleSource(const QAudioFormat& format, QObject* parent)
    : QIODevice(parent),
      silence_(format.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0)),
      bytesPerPull_(std::max<qint64>(format.bytesForDuration(20000), 1))
{
}

void SampleSource::addSound(const QString& name, const QByteArray& frames)
{
    std::lock_guard<std::mutex> lock(mutex_);
    sounds_.insert(name.toUpper(), frames);
}

bool SampleSource::play(const QString& name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = sounds_.constFind(name.toUpper());
    if (found == sounds_.cend())
        return false;
    playing_ = *found;
    position_ = 0;
    return true;
}

qint64 SampleSource::bytesAvailable() const
{
    // An endless stream: silence is always there to read.
    return bytesPerPull_ + QIODevice::bytesAvailable();
}

qint64 SampleSource::readData(char* data, qint64 maxSize)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const qint64 fromSound = std::min(maxSize, playing_.size() - position_);
    std::memcpy(data, playing_.constData() + position_, size_t(fromSound));
    position_ += fromSound;
    std::memset(data + fromSound, silence_, size_t(maxSize - fromSound));
    return maxSize;
}

qint64 SampleSource::writeData(const char*, qint64)
{
    return -1;
}
