#pragma once
#include "rules/DanceSelection.h"

// Chooses as the user would: the type, then (where given, not -1) the class or
// dance and the round.
inline void ChooseDance(DanceSelection& selection, int type, int dance = -1, int round = -1)
{
    selection.chooseType(type);
    if (dance >= 0)
        selection.chooseDance(dance);
    if (round >= 0)
        selection.chooseRound(round);
}

// Sets the target a rule row would give, without a table to choose it from: the
// tempo range and the dancing time as the row writes it ("90-120s").
inline void SetTarget(DanceSelection& selection, const TempoRange& tempo, const QString& danceTime = QString())
{
    selection.setTempoRange(tempo);
    selection.setDanceTime(DanceTime{danceTime});
}
