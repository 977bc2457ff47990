#pragma once
#include <QString>

class Messages;

// The shared conversion of a typed decimal number with "." or "," as the
// separator. On a bad text it warns ("Fehler bei Typumwandlung" /
// "Error during type conversion", by sprache) and returns the value as it
// stood at the failure: -1, or the integer part when only the fraction failed.
double TextToNumber(const QString& text, Messages& messages, int sprache);

// Fixed-point text of value with the given count of decimals, rounded half
// away from zero from the exact decimal expansion, with the decimal separator
// of QLocale(); scientific notation when the value has more significant
// digits than precision.
QString FormatFixed(double value, int decimals, int precision = 15);
