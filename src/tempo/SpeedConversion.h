#pragma once
#include <QString>
#include <optional>

class Messages;

// textToNumber that also tells whether the text was readable. A failure is
// reported to reportTo in the shared words (nothing is shown when it is null).
std::optional<double> readNumber(const QString& text, Messages* reportTo);

// The speed-conversion window's result: an explicit sign and the magnitude with
// two decimals ("+4,17", "-3,85", "+0,00"). nullopt when actual is not positive,
// since no playing speed turns a standing tempo into another one.
std::optional<QString> speedChangeText(float actual, float desired);

// The fixed-target dialog's adjustment: one decimal, a blank before "%", and a
// "+" unless the music must be slowed ("+4,2 %", "-3,8 %"). nullopt when
// actual is not positive.
std::optional<QString> fixedAdaptationText(float actual, float desired);

// The rule dialog's adjustment for a desired text of one tempo ("46" gives
// "+1,77%") or a range ("50-52" gives "-1,96% <-> +1,96%"). Parts that the
// shared conversion cannot read are reported there and used as it returns
// them. Empty when actual is not positive.
QString ruleAdaptationText(double actual, const QString& desiredText, Messages& messages);
