#pragma once
#include "app/WindowTable.h"
#include "widgets/EmbeddedForm.h"

// A window made as the main window makes it, from its row of the window
// table: its help button opens the row's help.
template <typename Window>
Window* MakeTableWindow(EmbeddedWindow which, ProgramState& state)
{
    return qobject_cast<Window*>(makeWindow(rowOf(which), state));
}
