#pragma once
#include "play/RoundCursor.h"
#include "play/RoundPlan.h"
#include "play/TrackFigures.h"
#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "common/PlayingHeat.h"

class AudioOutput;
class TrackPlayback;

// Plays a round heat by heat on the program's audio output: each heat's
// track from its start position, stretched to its target, faded out so that
// it is silent when the dancing time ends; between heats it holds for the
// operator or starts the next by itself after the gap. What the hall hears
// is told to the PlayingHeat model that the fade windows and the projector
// follow.
class RoundPlayer : public QObject {
    Q_OBJECT

public:
    enum class Phase { Idle, Playing, Gap, Finished };
    // The figures of a dance's track, or nothing while they are not known
    // (the analysis still runs).
    using FiguresOf = std::function<std::optional<TrackFigures>(int dance, const QString& path)>;

    static constexpr double StopFadeSeconds = 0.3;
    static constexpr int TickMs = 20;

    RoundPlayer(AudioOutput* output, PlayingHeat* heat, QObject* parent = nullptr);
    ~RoundPlayer() override;

    // The round to play. Its place is kept where the round still has it.
    void setRound(const RoundPlan& plan, const RunningOrder& order, FiguresOf figures);

    Phase phase() const { return phase_; }
    const RoundCursor& cursor() const { return cursor_; }
    // The heat that plays, or the one that plays next.
    std::optional<HeatPlace> place() const { return playingPlace_ ? playingPlace_ : cursor_.current(); }
    // Why the last heat could not start or broke off; empty when all is well.
    const QString& problem() const { return problem_; }
    const std::optional<TrackFigures>& figures() const { return figures_; }
    // The tempo the hall hears now, with the operator's nudges.
    double heardTempo() const { return heardTempo_; }
    // Seconds of the heat's dancing time heard; held while the sound is away.
    std::optional<double> heardSeconds() const;
    int danceSeconds() const { return danceSeconds_; }
    // The output went away in the middle of a heat: it goes on where the
    // hall last heard it once the output is back (or Escape gives it up).
    bool waitingForSound() const { return waitingForSound_; }

    // The operator's commands.
    void startOrNext();
    void fadeNow();
    void stop();
    void replay();
    void skipDance();
    void nudgeTempo(double barsPerMinute);

signals:
    // The phase, the place, the figures or the problem changed.
    void changed();

private:
    void startHeat();
    bool startPlayback(const TrackFigures& figures, const DancePlan& plan);
    void tick();
    void heatEnded();
    void endPlayback();
    bool outputLost() const;
    void holdForSound();
    void resumeWhenSoundIsBack();
    PlaybackPlan resumedPlan() const;
    QString danceName(int dance) const;

    AudioOutput* output_;
    QPointer<PlayingHeat> heat_; // may go before the player
    RoundPlan plan_;
    RunningOrder order_;
    FiguresOf figuresOf_;
    RoundCursor cursor_;
    Phase phase_ = Phase::Idle;
    std::unique_ptr<TrackPlayback> playback_;
    std::optional<HeatPlace> playingPlace_;
    std::optional<HeatPlace> lastPlayed_;
    std::optional<TrackFigures> figures_;
    double heardTempo_ = 0;
    int danceSeconds_ = 0;
    // What the hall heard of the heat before the output went away.
    double heardBefore_ = 0;
    double lastHeard_ = 0;
    double lastMusicSeconds_ = 0;
    bool waitingForSound_ = false;
    QString problem_;
    QTimer ticker_;
    QTimer gap_;
};
