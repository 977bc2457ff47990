#include "play/RoundPlayer.h"
#include "audio/AudioOutput.h"
#include "audio/TrackPlayback.h"
#include "common/PlayingHeat.h"
#include "music/MusicJudgement.h"

RoundPlayer::RoundPlayer(AudioOutput* output, PlayingHeat* heat, QObject* parent)
    : QObject(parent),
      output_(output),
      heat_(heat)
{
    ticker_.setInterval(TickMs);
    connect(&ticker_, &QTimer::timeout, this, &RoundPlayer::tick);
    gap_.setSingleShot(true);
    connect(&gap_, &QTimer::timeout, this, &RoundPlayer::startHeat);
}

RoundPlayer::~RoundPlayer()
{
    endPlayback();
}

void RoundPlayer::setRound(const RoundPlan& plan, const RunningOrder& order, FiguresOf figures)
{
    const bool sameRound = plan.key == plan_.key && order.dances.size() == order_.dances.size();
    plan_ = plan;
    order_ = order;
    figuresOf_ = std::move(figures);
    if (sameRound) {
        cursor_.setPlan(plan_);
    }
    else {
        endPlayback();
        cursor_ = RoundCursor(plan_);
        phase_ = cursor_.finished() ? Phase::Finished : Phase::Idle;
        problem_.clear();
    }
    emit changed();
}

QString RoundPlayer::danceName(int dance) const
{
    return dance >= 0 && dance < order_.dances.size() ? order_.dances[dance].name : QString();
}

std::optional<double> RoundPlayer::heardSeconds() const
{
    const auto now = playback_ ? playback_->heardSeconds() : std::nullopt;
    if (now)
        return heardBefore_ + *now;
    return heardBefore_ > 0 ? std::optional<double>(heardBefore_) : std::nullopt;
}

void RoundPlayer::startOrNext()
{
    if (phase_ == Phase::Playing)
        return;
    if (phase_ == Phase::Finished)
        cursor_.restart();
    gap_.stop();
    startHeat();
}

void RoundPlayer::startHeat()
{
    const auto place = cursor_.current();
    if (!place) {
        phase_ = Phase::Finished;
        emit changed();
        return;
    }
    problem_.clear();
    const DancePlan& plan = plan_.dances[place->dance];
    const QString track = plan_.trackOfHeat(place->dance, place->heat);
    figures_ = track.isEmpty() || !figuresOf_ ? std::nullopt : figuresOf_(place->dance, track);
    if (track.isEmpty())
        problem_ = tr("%1 hat keine Musik.").arg(danceName(place->dance));
    else if (!figures_)
        problem_ = tr("Die Musik von %1 wird noch geprüft.").arg(danceName(place->dance));
    else if (figures_->warnings.testFlag(TrackWarning::Unreadable))
        problem_ = tr("%1 lässt sich nicht spielen: %2").arg(figures_->tags.displayText(), figures_->failure);
    if (!problem_.isEmpty() || !startPlayback(*figures_, plan)) {
        phase_ = Phase::Idle;
        emit changed();
        return;
    }
    playingPlace_ = place;
    phase_ = Phase::Playing;
    const auto next = cursor_.nextDance();
    if (heat_)
        heat_->begin(danceName(place->dance), next ? danceName(*next) : QString(), danceSeconds_,
                     [this] { return heardSeconds(); });
    ticker_.start();
    emit changed();
}

bool RoundPlayer::startPlayback(const TrackFigures& figures, const DancePlan& plan)
{
    if (!output_ || !output_->ensureOpen(true)) {
        problem_ = tr("Keine Tonausgabe.");
        return false;
    }
    playback_ = std::make_unique<TrackPlayback>(*output_, playbackPlan(figures, plan, plan_.settings));
    heardTempo_ = figures.resultBars;
    danceSeconds_ = plan.danceSeconds;
    return true;
}

void RoundPlayer::tick()
{
    if (waitingForSound_) {
        resumeWhenSoundIsBack();
        return;
    }
    if (!playback_)
        return;
    playback_->poll();
    if (const auto heard = playback_->heardSeconds()) {
        lastHeard_ = *heard;
        lastMusicSeconds_ = playback_->heardMusicSeconds().value_or(lastMusicSeconds_);
    }
    if (!playback_->finished())
        return;
    if (outputLost())
        holdForSound();
    else
        heatEnded();
}

bool RoundPlayer::outputLost() const
{
    if (playback_->state() != TrackPlayback::State::Failed)
        return false;
    if (playback_->startFrame())
        return playback_->track().failure() == DecodeFailure::None;
    return heardBefore_ > 0; // lost again before the rest of the heat sounded
}

void RoundPlayer::holdForSound()
{
    heardBefore_ += lastHeard_;
    lastHeard_ = 0;
    playback_.reset();
    if (heardBefore_ >= danceSeconds_) {
        heatEnded();
        return;
    }
    waitingForSound_ = true;
    problem_ = tr("Die Tonausgabe ist verloren gegangen. Die Musik geht weiter, wo sie zuletzt zu hören war, "
                  "sobald die Tonausgabe wieder da ist; Esc beendet den Durchgang.");
    emit changed();
}

void RoundPlayer::resumeWhenSoundIsBack()
{
    if (!output_->ensureOpen(false))
        return;
    waitingForSound_ = false;
    problem_.clear();
    playback_ = std::make_unique<TrackPlayback>(*output_, resumedPlan());
    emit changed();
}

// The rest of the heat from the music heard last, at the tempo heard then,
// its fade still ending with the dancing time.
PlaybackPlan RoundPlayer::resumedPlan() const
{
    PlaybackPlan plan = playbackPlan(*figures_, plan_.dances[playingPlace_->dance], plan_.settings);
    plan.track.startSeconds = lastMusicSeconds_;
    if (figures_->tempoKnown)
        plan.track.timeRatio = figures_->measuredBars() / heardTempo_;
    plan.stopAfterSeconds = danceSeconds_ - heardBefore_;
    plan.fadeSeconds = std::min(plan.fadeSeconds, plan.stopAfterSeconds);
    return plan;
}

void RoundPlayer::heatEnded()
{
    // Without a playback the heat ended while the sound was away.
    const DecodeFailure failure = playback_ ? playback_->track().failure() : DecodeFailure::None;
    if (failure != DecodeFailure::None)
        problem_ = tr("Die Musik brach ab: %1").arg(failureText(failure, playback_->track().failureDetail()));
    else if (playback_ && playback_->state() == TrackPlayback::State::Failed)
        problem_ = tr("Die Tonausgabe ist verloren gegangen.");
    lastPlayed_ = playingPlace_;
    endPlayback();
    cursor_.advanceHeat();
    if (cursor_.finished()) {
        phase_ = Phase::Finished;
    }
    else if (plan_.settings.betweenHeats == BetweenHeats::Gap && problem_.isEmpty()) {
        phase_ = Phase::Gap;
        gap_.start(int(plan_.settings.gapSeconds * 1000));
    }
    else {
        phase_ = Phase::Idle;
    }
    emit changed();
}

void RoundPlayer::endPlayback()
{
    ticker_.stop();
    playback_.reset();
    waitingForSound_ = false;
    heardBefore_ = lastHeard_ = lastMusicSeconds_ = 0;
    playingPlace_.reset();
    if (heat_)
        heat_->end();
}

void RoundPlayer::fadeNow()
{
    if (playback_)
        playback_->fadeOutNow(plan_.settings.fadeSeconds);
}

void RoundPlayer::stop()
{
    gap_.stop();
    if (waitingForSound_) {
        problem_.clear();
        heatEnded();
        return;
    }
    if (playback_)
        playback_->fadeOutNow(StopFadeSeconds);
    else if (phase_ == Phase::Gap)
        phase_ = Phase::Idle;
    emit changed();
}

void RoundPlayer::replay()
{
    gap_.stop();
    // The heat playing, or else the one just played, which the cursor has left behind.
    const auto again = playingPlace_ ? playingPlace_ : lastPlayed_;
    endPlayback();
    if (again)
        cursor_.moveTo(*again);
    startHeat();
}

void RoundPlayer::skipDance()
{
    gap_.stop();
    endPlayback();
    cursor_.skipToNextDance();
    phase_ = cursor_.finished() ? Phase::Finished : Phase::Idle;
    emit changed();
}

void RoundPlayer::nudgeTempo(double barsPerMinute)
{
    if (!playback_ || !figures_ || !figures_->tempoKnown)
        return;
    heardTempo_ = std::max(1.0, heardTempo_ + barsPerMinute);
    playback_->setTimeRatio(figures_->measuredBars() / heardTempo_);
    emit changed();
}
