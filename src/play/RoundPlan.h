#pragma once
#include "play/RunningOrder.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class StartPoint { FirstBeat, FileStart };
enum class BetweenHeats { Hold, Gap };

// What holds for every dance of a round.
struct RoundSettings {
    static constexpr double DefaultFadeSeconds = 5;
    static constexpr double DefaultChangeLimitPercent = 8;

    double fadeSeconds = DefaultFadeSeconds;
    StartPoint start = StartPoint::FirstBeat;
    // Between heats the player holds until the operator starts the next one,
    // or starts it by itself after gapSeconds.
    BetweenHeats betweenHeats = BetweenHeats::Hold;
    double gapSeconds = 0;
    // A larger change of speed is warned of and not made: the music is
    // played at the limit instead.
    double changeLimitPercent = DefaultChangeLimitPercent;
    // A target tempo typed for the round, in bars per minute, in place of the
    // middle of each dance's rule range.
    std::optional<double> typedTarget;

    bool operator==(const RoundSettings& other) const;
};

struct DancePlan {
    int heats = 1;
    // Heats take the tracks in turn: heat n plays tracks[n % count].
    QStringList tracks;
    // Whole seconds from the music's first heard frame to the end of its fade.
    int danceSeconds = 0;
    // A target typed for this dance; counts before the round's.
    std::optional<double> typedTarget;

    bool operator==(const DancePlan& other) const;
};

// The answer to a setting that was brought into its allowed range.
struct Clamped {
    int value = 0;
    bool clamped = false;
    // What the operator is told when it was clamped ("Tanzzeit auf 90 s
    // gesetzt: die Regel erlaubt 90–120 s."); empty otherwise.
    QString note;
};

// How a round is to be played: one DancePlan per dance of its running order.
struct RoundPlan {
    Q_DECLARE_TR_FUNCTIONS(RoundPlan)

public:
    static constexpr int MaxHeats = 20;

    RoundKey key;
    RoundSettings settings;
    QList<DancePlan> dances;

    // The defaults for a running order: one heat, no tracks, the shortest
    // dancing time the rules allow.
    static RoundPlan defaultFor(const RunningOrder& order);

    // Brings the plan to the order's dances after the rule tables changed: a
    // dance it lacks gets the defaults, one too many is dropped, dancing
    // times are clamped into the new ranges. Says what it clamped.
    QStringList fitTo(const RunningOrder& order);

    // The track of a heat; empty when the dance has none (or no such heat).
    QString trackOfHeat(int dance, int heat) const;
    int heatCount(int dance) const;

    bool operator==(const RoundPlan& other) const;
};

// The dancing time brought into the dance's range; a dance without one in the
// rules takes any positive time.
Clamped clampDanceSeconds(int seconds, const RunningDance& dance);
Clamped clampHeats(int heats);
// The target tempo of a dance: the dance's typed target, else the round's,
// else the middle of the rule range; nothing where none of them is known.
std::optional<double> targetTempo(const RunningDance& dance, const DancePlan& plan, const RoundSettings& settings);
