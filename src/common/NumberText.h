#pragma once
#include <QString>
#include <optional>

class Messages;

// An integer as the conversions of the program read it: optional leading
// blanks and sign, then decimal digits only, fitting 32 bits signed.
std::optional<qint32> parseInt32(const QString& text);

// The shared conversion of a typed decimal number with "." or "," as the
// separator. On a bad text it warns ("Fehler bei Typumwandlung" /
// "Error during type conversion") and returns the value as it stood at the
// failure: -1, or the integer part when only the fraction failed.
double textToNumber(const QString& text, Messages& messages);
// The same conversion without a word to the user: nothing where it would warn.
std::optional<double> decimalValue(const QString& text);

// Fixed-point text of value with the given count of decimals, rounded half
// away from zero from the exact decimal expansion, with the decimal separator
// of QLocale(); scientific notation when the value has more significant
// digits than precision.
QString formatFixed(double value, int decimals, int precision = 15);
