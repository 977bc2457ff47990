#include "play/Prelistener.h"
#include "audio/AudioOutput.h"
#include "music/MusicJudgement.h"
#include <algorithm>

Prelistener::Prelistener(AudioOutput* output, QObject* parent)
    : QObject(parent),
      output_(output)
{
    ticker_.setInterval(TickMs);
    connect(&ticker_, &QTimer::timeout, this, &Prelistener::tick);
}

Prelistener::~Prelistener() = default;

QString Prelistener::deviceName() const
{
    return output_ && output_->device() ? QString::fromStdString(*output_->device()) : QString();
}

bool Prelistener::play(PlaybackPlan plan)
{
    stop();
    plan_ = std::move(plan);
    // Heard to its end: the operator stops it.
    plan_.stopAfterSeconds = 0;
    plan_.fadeSeconds = 0;
    lastMusicSeconds_ = plan_.track.startSeconds;
    start();
    return playing();
}

void Prelistener::start()
{
    problem_.clear();
    if (!output_ || !output_->device() || output_->device()->empty())
        problem_ = tr("Kein Gerät zum Vorhören gewählt (Extras > Vorhören).");
    else if (!output_->ensureOpen(true))
        problem_ = tr("Das Gerät zum Vorhören „%1“ ist nicht da.").arg(deviceName());
    else
        playback_ = std::make_unique<TrackPlayback>(*output_, plan_);
    playingOn_ = deviceName();
    // Polled often until it sounds: each poll may be the one that hands it to the output.
    if (playback_)
        ticker_.start(StartTickMs);
    emit changed();
}

void Prelistener::seek(double seconds)
{
    if (!playback_)
        return;
    plan_.track.startSeconds = std::max(0.0, musicSeconds() + seconds);
    lastMusicSeconds_ = plan_.track.startSeconds;
    playback_.reset();
    start();
}

void Prelistener::stop()
{
    ticker_.stop();
    if (!playback_)
        return;
    playback_.reset();
    emit changed();
}

double Prelistener::musicSeconds() const
{
    const auto heard = playback_ ? playback_->heardMusicSeconds() : std::nullopt;
    return heard ? *heard : lastMusicSeconds_;
}

void Prelistener::tick()
{
    if (!playback_)
        return;
    playback_->poll();
    if (playback_->state() != TrackPlayback::State::Preparing && ticker_.interval() != TickMs)
        ticker_.setInterval(TickMs);
    if (const auto heard = playback_->heardMusicSeconds())
        lastMusicSeconds_ = *heard;
    if (!playback_->finished())
        return;
    if (playback_->state() == TrackPlayback::State::Failed) {
        const DecodeFailure failure = playback_->track().failure();
        problem_ = failure != DecodeFailure::None
                       ? tr("Die Musik brach ab: %1").arg(failureText(failure, playback_->track().failureDetail()))
                       : tr("Das Gerät zum Vorhören „%1“ ist weg.").arg(playingOn_);
    }
    stop();
}
