#include "SoundPlayer.h"
#include "SoundPlayerSamples.h"
#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

namespace {

constexpr int kBufferMicroseconds = 15000;

QAudioFormat outputFormat(const QAudioDevice& device)
{
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || device.isFormatSupported(format))
        return format;
    return device.preferredFormat();
}

QAudioDevice outputDevice()
{
    if (qEnvironmentVariable("QT_AUDIO_BACKEND") == QLatin1String("none"))
        return {};
    return QMediaDevices::defaultAudioOutput();
}

} // namespace

ResourceSoundPlayer::ResourceSoundPlayer()
{
    const QAudioDevice device = outputDevice();
    const QAudioFormat format = outputFormat(device);
    source_ = std::make_unique<SampleSource>(format);
    const auto images = BuiltInWaveImages();
    for (auto it = images.cbegin(); it != images.cend(); ++it) {
        if (const auto sound = ParseWave(it.value()))
            source_->addSound(it.key(), RenderForOutput(*sound, format));
    }
    source_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (device.isNull())
        return;
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->setBufferSize(format.bytesForDuration(kBufferMicroseconds));
    sink_->start(source_.get());
}

ResourceSoundPlayer::~ResourceSoundPlayer()
{
    if (sink_)
        sink_->stop();
}

void ResourceSoundPlayer::PlayResourceSound(const QString& name)
{
    source_->play(name);
}
