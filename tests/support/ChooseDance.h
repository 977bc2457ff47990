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
