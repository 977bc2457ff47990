#pragma once
#include "tempo/AdaptDialog.h"
#include <optional>

struct ProgramState;
class RadioGroup;
class RuleTables;

// The BarsPerMin text of the rule row for the chosen dance type (0 Rock'n'Roll
// to 3 Latin), class or dance and round (none when the class has no round to
// choose): the row the dance selection panel shows. Empty for the other dance
// types and when no row matches.
QString LookupDesiredTempo(const RuleTables& rules, int typeIndex, const QString& classText,
                           const std::optional<QString>& round);

// The adjustment dialog whose desired tempo comes from the rule tables.
class TFrmAdaptSpeed : public AdaptDialog {
    Q_OBJECT
public:
    explicit TFrmAdaptSpeed(ProgramState& state, QWidget* parent = nullptr);

    // Fills the fields for the measured tempo and the dance chosen in the
    // three selectors and shows the dialog modally; returns when it is closed.
    void ShowRuleAdaptation(const QString& actualText, RadioGroup* typeSelector, RadioGroup* danceSelector,
                            RadioGroup* roundSelector);

private:
    // A zero measurement asks for the tempo; false when no usable one was given.
    bool askForTempo(QString& actualText);
    QString desiredTempoOfSelection() const;

    ProgramState& state_;
    RadioGroup* typeSelector_ = nullptr;
    RadioGroup* danceSelector_ = nullptr;
    RadioGroup* roundSelector_ = nullptr;
};
