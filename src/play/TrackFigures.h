#pragma once
#include "audio/TrackPlayback.h"
#include "music/MusicAnalysis.h"
#include "music/OctaveChoice.h"
#include "play/RoundPlan.h"
#include "play/TrackTags.h"
#include "rules/TempoVerdict.h"
#include <QCoreApplication>
#include <QStringList>
#include <optional>

// What may be wrong with a track for a dance; several at once.
enum class TrackWarning {
    Unreadable = 0x01,      // the analysis failed (see failureText)
    TempoUnknown = 0x02,    // no steady pulse: played unchanged
    ChangeOverLimit = 0x04, // the change to the target is larger than the limit
    OutOfRange = 0x08,      // at the change played, the tempo is outside the rules
    TooShort = 0x10,        // from its start, at the speed played, shorter than dancing time + fade
    TooQuiet = 0x20,        // cannot be raised to the loudness target
    TooLoud = 0x40,         // cannot be lowered to it
    TempoUncertain = 0x80,  // two readings disagree: played unchanged
};
Q_DECLARE_FLAGS(TrackWarnings, TrackWarning)
Q_DECLARE_OPERATORS_FOR_FLAGS(TrackWarnings)

// A track's figures for one dance of a round.
struct TrackFigures {
    Q_DECLARE_TR_FUNCTIONS(TrackFigures)

public:
    // Loudness the player brings every track to, and how far from it a
    // track may stay before it is warned of; gains beyond MaxGainDb in either
    // direction are not made (an analysis gone wrong must not blast or mute).
    static constexpr double TargetLufs = -18;
    static constexpr double LoudnessToleranceLu = 3;
    static constexpr double MaxGainDb = 12;

    QString path;
    TrackTags tags;
    double fileSeconds = 0;

    // A tempo is known to play by; an uncertain one is not (its readings are
    // in choice and alternativeBars, for the warning).
    bool tempoKnown = false;
    bool tempoTapped = false; // by the operator's ear, not detected
    double alternativeBars = 0;
    OctaveChoice choice;          // the measured tempo in bars/min, octave chosen by metre and range
    std::optional<double> target; // bars/min
    // Percent of playing speed, positive faster: the change the target
    // asks for, and the one played (at most the limit either way).
    double wantedChangePercent = 0;
    double changePercent = 0;
    double resultBars = 0;         // the tempo heard
    double timeRatio = 1;          // heard duration over music duration, for the player
    RowTone tone = RowTone::Black; // the tempo heard against the rule range
    QString verdictMark;           // the same without colour: "✓", "▼ 0,4"; empty with no range

    double gainDb = 0;
    double startSeconds = 0;
    // From the start position, at the speed played.
    double playedSeconds = 0;

    TrackWarnings warnings;
    QString failure; // the analysis's failure text, where Unreadable

    double measuredBars() const { return choice.barsPerMinute; }
    bool inRange() const { return tone == RowTone::Green; }
    float linearGain() const;
    // The change as the speed-conversion dialogs write it ("+4,2 %").
    QString changeText() const;
    // One text per warning, in the language in use.
    QStringList warningTexts() const;
};

// The figures of an analysed track for a dance, its plan and the round's
// settings (pure: no file is read).
TrackFigures trackFigures(const FileAnalysis& analysis, const TrackTags& tags, const RunningDance& dance,
                          const DancePlan& plan, const RoundSettings& settings);

// How the player plays a heat with these figures: it stops after the
// dancing time, the fade (never longer than the dancing time) ending there.
PlaybackPlan playbackPlan(const TrackFigures& figures, const DancePlan& plan, const RoundSettings& settings);
