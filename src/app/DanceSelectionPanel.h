#pragma once
#include "common/Language.h"
#include <QFrame>
#include <functional>

class QLabel;
class QLineEdit;
class RadioGroup;
struct ProgramState;
struct RuleRow;

// The dance selection below the display area: the user picks discipline,
// class or dance and round (or types a free target tempo); the panel looks
// the rule row up, shows its tempo and dancing time and keeps them as numbers
// in the program state, which the tool windows read.
class DanceSelectionPanel : public QFrame {
    Q_OBJECT
public:
    explicit DanceSelectionPanel(ProgramState& state, QWidget* parent = nullptr);
    ~DanceSelectionPanel() override;

    // Change handlers of the three radio groups; also run from code where a
    // choice is set from code.
    void RG_TypChange();
    void RG_TanzChange();
    void RG_RundeChange();
    // Recomputes the two text fields and the target state from the choice.
    void UpdateTargetValues();
    // Change handler of the free target tempo field.
    void ED_SolltempoChange();
    // The line naming the rules the Latin and Rock'n'Roll tables follow.
    void FillInfoLine();
    // Sets the panel's texts in the language and applies the choice again, so lists and values come from the tables
    // now loaded. Expects state.Sprache to be set to the same language.
    void SetLanguage(Language language);

    // A typed target tempo T counts as the range T - 1 to T + 1 bars per minute.
    static constexpr double TypedTargetTolerance = 1.0;

    // The standard beep of a refused target tempo; tests count it.
    std::function<void()> beep;

    // The controls, reachable as on a form.
    QLabel* lb_solltempo;
    QLineEdit* ED_Tempo;
    QLabel* lb_tanzzeit;
    QLineEdit* ED_Dauer;
    RadioGroup* RG_Typ;
    QLineEdit* ED_Solltempo;
    RadioGroup* RG_Tanz;
    RadioGroup* RG_Runde;
    QLabel* lb_info;

signals:
    // The target state was recomputed; row is the chosen rule row, or null.
    void targetChanged(const RuleRow* row);

private:
    const RuleRow* chosenRuleRow() const;
    bool choiceIsComplete() const;
    void showRuleRow(const RuleRow& row);
    void clearValueFields();
    void setTargetTempoOfChoiceWithoutRow();
    void restoreChoice(int typIndex, int tanzIndex, int rundeIndex);

    ProgramState& state_;
};
