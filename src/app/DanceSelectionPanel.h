#pragma once
#include "common/Language.h"
#include <QFrame>
#include <functional>

class QLabel;
class QLineEdit;
class RadioGroup;
class DanceSelection;
struct ProgramState;

// The dance selection below the display area, a view of the program's
// DanceSelection: the user picks discipline, class or dance and round (or
// types a free target tempo); the panel shows the chosen rule row's tempo and
// dancing time, and locks its choices while the selection is locked.
class DanceSelectionPanel : public QFrame {
    Q_OBJECT
public:
    DanceSelectionPanel(ProgramState& state, DanceSelection& selection, QWidget* parent = nullptr);

    // Change handlers of the three radio groups; also run from code where a
    // choice is set from code.
    void RG_TypChange();
    void RG_TanzChange();
    void RG_RundeChange();
    // Change handler of the free target tempo field.
    void ED_SolltempoChange();
    // The line naming the rules the Latin and Rock'n'Roll tables follow.
    void FillInfoLine();
    // Sets the panel's texts in the language and applies the choice again, so lists and values come from the tables
    // now loaded. Expects state.Sprache to be set to the same language.
    void SetLanguage(Language language);

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

private:
    static constexpr int NothingShown = -2;

    void showChoice();
    void showDancesOfType();
    void showRoundsOfDance();
    void showTarget();
    void restoreChoice(int typIndex, int tanzIndex, int rundeIndex);

    ProgramState& state_;
    DanceSelection& selection_;
    // What the lists show now: the type whose dances and the dance whose rounds.
    int shownType_ = NothingShown;
    int shownDance_ = NothingShown;
    bool listsOutdated_ = false;
};
