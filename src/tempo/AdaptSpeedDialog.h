#pragma once
#include "tempo/AdaptDialog.h"

struct ProgramState;

// The adjustment dialog whose desired tempo comes from the rule tables: the
// row of the dance chosen in the program's dance selection.
class AdaptSpeedDialog : public AdaptDialog {
    Q_OBJECT
public:
    explicit AdaptSpeedDialog(ProgramState& state, QWidget* parent = nullptr);

    // Fills the fields for the measured tempo and the chosen dance and shows
    // the dialog modally; returns when it is closed.
    void showRuleAdaptation(const QString& actualText);

private:
    // A zero measurement asks for the tempo; false when no usable one was given.
    bool askForTempo(QString& actualText);
    QString desiredTempoOfSelection() const;

    ProgramState& state_;
};
