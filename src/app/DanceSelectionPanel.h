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
    void typeChanged();
    void danceChanged();
    void roundChanged();
    // Change handler of the free target tempo field.
    void targetTempoChanged();
    // The line naming the rules the Latin and Rock'n'Roll tables follow, or
    // while the choice is locked, why.
    void fillInfoLine();
    static QString lockedText();
    // Sets the panel's texts in the language and applies the choice again, so lists and values come from the tables
    // now loaded. Expects state.Sprache to be set to the same language.
    void setLanguage(Language language);

    // The standard beep of a refused target tempo; tests count it.
    std::function<void()> beep;

    // The controls, reachable as on a form.
    QLabel* targetTempoLabel;
    QLineEdit* tempoEdit;
    QLabel* danceTimeLabel;
    QLineEdit* durationEdit;
    RadioGroup* typeGroup;
    QLineEdit* targetTempoEdit;
    RadioGroup* danceGroup;
    RadioGroup* roundGroup;
    QLabel* infoLabel;

private:
    static constexpr int NothingShown = -2;

    void layOut();
    void themeChanged();
    void reserveListRoom();
    void showChoice();
    void showLock();
    void showDancesOfType();
    void showRoundsOfDance();
    void showTarget();
    void restoreChoice(int typeIndex, int danceIndex, int roundIndex);

    ProgramState& state_;
    DanceSelection& selection_;
    // What the lists show now: the type whose dances and the dance whose rounds.
    int shownType_ = NothingShown;
    int shownDance_ = NothingShown;
    bool listsOutdated_ = false;
    QWidget* choiceArea_ = nullptr; // the dance and the round box
};
