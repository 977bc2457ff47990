#pragma once
#include <QString>

// How a tempo stands against the rules' range: no range to judge against
// (black), inside it (green) or outside (red). Count beat and the music check
// show their rows in these colours.
enum class RowTone { Black, Green, Red };

// The change of playing speed that turns the actual tempo into the desired one,
// in percent of the actual tempo; positive means faster.
double adaptationPercent(double actual, double desired);

// The rule dialog's percent: two decimals, "+" for p >= 0, followed by "%".
QString rulePercentText(double percent);
