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
    return playback_ ? playback_->heardSeconds() : std::nullopt;
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
    if (!playback_)
        return;
    playback_->poll();
    if (playback_->finished())
        heatEnded();
}

void RoundPlayer::heatEnded()
{
    const DecodeFailure failure = playback_->track().failure();
    if (failure != DecodeFailure::None)
        problem_ = tr("Die Musik brach ab: %1").arg(failureText(failure, playback_->track().failureDetail()));
    else if (playback_->state() == TrackPlayback::State::Failed)
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
