#pragma once
#include <QString>
#include <memory>

class QAudioSink;
class SampleSource;

// Plays one of the program's built-in sounds by name; returns at once.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Names match without regard to case; an unknown name plays nothing.
    virtual void PlayResourceSound(const QString& name) = 0;
};

// The built-in sounds on the default audio output: one sink, opened once and
// fed with silence between sounds, so that a sound starts within the sink's
// small buffer and a new sound cuts off the one playing. The sounds are
// decoded once, here. Without an audio device (or with QT_AUDIO_BACKEND=none,
// as the tests run) it plays nothing.
class ResourceSoundPlayer : public SoundPlayer {
public:
    ResourceSoundPlayer();
    ~ResourceSoundPlayer() override;

    void PlayResourceSound(const QString& name) override;
    bool hasOutput() const { return sink_ != nullptr; }

private:
    std::unique_ptr<SampleSource> source_;
    std::unique_ptr<QAudioSink> sink_;
};
