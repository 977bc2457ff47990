#pragma once
#include "rules/TempoVerdict.h"
#include <QColor>

// The colour a window shows a row of the given tone in.
QColor toneColour(RowTone tone);
