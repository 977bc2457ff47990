#pragma once
#include <QString>

// How a tempo stands against the rules' range: no range to judge against
// (black), inside it (green) or outside (red). Count beat and the music check
// show their rows in these colours.
enum class RowTone { Black, Green, Red };

// Where a tempo lies against an inclusive range.
enum class TempoSide { Inside, TooSlow, TooFast };
TempoSide tempoSide(double tempo, double lower, double upper);

// The verdict beside its colour, so that it reads without colour vision: a
// tick inside the range, else an arrow and by how many bars per minute the
// tempo lies below or above it: "✓", "▼ 1,5", "▲ 0,5".
QString tempoVerdictMark(double tempo, double lower, double upper);

// The change of playing speed that turns the actual tempo into the desired one,
// in percent of the actual tempo; positive means faster.
double adaptationPercent(double actual, double desired);

// The rule dialog's percent: two decimals, "+" for p >= 0, followed by "%".
QString rulePercentText(double percent);
