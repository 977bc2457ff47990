#pragma once
#include "play/RoundPlan.h"
#include <QList>
#include <optional>

// A heat of a round: the dance's place in the running order and the heat's
// within the dance, both from 0.
struct HeatPlace {
    int dance = 0;
    int heat = 0;
    bool operator==(const HeatPlace& other) const { return dance == other.dance && heat == other.heat; }
    bool operator!=(const HeatPlace& other) const { return !(*this == other); }
};

// Where the round stands: the heat that is current (playing, or the one to
// play next) and the moves the player offers. Past the last heat the round is
// over; the cursor then has no current heat.
class RoundCursor {
public:
    RoundCursor() = default;
    explicit RoundCursor(const RoundPlan& plan);
    explicit RoundCursor(QList<int> heatsPerDance);

    // Takes the plan's heat counts again, keeping the place where it still exists.
    void setPlan(const RoundPlan& plan);

    std::optional<HeatPlace> current() const;
    bool finished() const;
    // The heat after the current one (next heat, or the next dance's first).
    std::optional<HeatPlace> nextHeatPlace() const;
    // The dance that follows the current one; nothing during the last.
    std::optional<int> nextDance() const;
    bool lastHeatOfDance() const;

    // Moves on by one heat; false when the round is over afterwards.
    bool advanceHeat();
    // Skips the current dance's remaining heats.
    bool skipToNextDance();
    // The current heat again, from its start; past the end, the last heat.
    HeatPlace replayHeat();
    void moveTo(HeatPlace place);
    void restart();

private:
    void normalise();

    QList<int> heats_;
    HeatPlace place_;
};
