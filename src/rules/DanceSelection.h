#pragma once
#include "rules/RuleTables.h"
#include <QObject>
#include <QString>
#include <optional>

struct ProgramState;

// The dance the operator has chosen: a discipline (or a typed target tempo,
// or no dance), a class or dance and a round, by their places in the
// catalogue. It looks up the chosen rule row and holds the target it gives
// (tempo range, dancing time); the choice to store goes to the program state.
// The selection panel is a view of it; the tool windows read it and the
// three-couple fade window locks it while a clock runs.
class DanceSelection : public QObject {
    Q_OBJECT
public:
    explicit DanceSelection(ProgramState& state, QObject* parent = nullptr);

    int type() const { return type_; }
    int dance() const { return dance_; }
    int round() const { return round_; }

    // Each choice clears the ones below it (and a choice of type the typed
    // target) and recomputes the target.
    void chooseType(int typeIndex);
    void chooseDance(int danceIndex);
    void chooseRound(int roundIndex);
    // The free target tempo as typed; it counts while the type is the typed target.
    void setTypedTarget(const QString& text);
    // Computes the target again from the tables now loaded, as after a
    // change of language.
    void update();

    // What the choice still asks for: a class or dance, a round.
    bool asksForDance() const;
    bool asksForRound() const;
    bool choiceIsComplete() const;
    bool noDance() const;
    bool typedTargetChosen() const;
    // The row of the rule tables the choice stands for; null while it is
    // incomplete or names no row.
    const RuleRow* chosenRow() const;
    // The chosen row while its tempo is readable: what the panel shows.
    const RuleRow* shownRow() const { return shownRow_; }
    const QString& typedTarget() const { return typedTarget_; }
    // The last typed target that was a tempo: a view sets it back when the
    // operator types something else.
    const QString& validTypedTarget() const { return validTypedTarget_; }

    // The tempo range to judge against; not valid while the choice gives none
    // (no dance, a typed target not yet a tempo, a rule row without a tempo).
    const TempoRange& tempoRange() const { return tempoRange_; }
    // The dancing time of the last chosen rule row: a choice without a row
    // (no dance, a typed target) leaves it as it was.
    const DanceTime& danceTime() const { return danceTime_; }
    // Each choice sets both; set directly, they hold until the next choice.
    void setTempoRange(const TempoRange& range);
    void setDanceTime(const DanceTime& time);

    // While locked the choice must not change; views disable their controls.
    bool locked() const { return locked_; }
    void setLocked(bool locked);

    // A typed target tempo T counts as the range T - 1 to T + 1 bars per minute.
    static constexpr double TypedTargetTolerance = 1.0;
    // A typed target tempo: digits with at most one "." or "," as the
    // separator, whatever the locale's separator is. A text that only starts a
    // number, such as "12,", passes, so that the user can type on; a sign never
    // does, however the text arrives (typed, pasted or dropped).
    static bool isTargetTempoText(const QString& text);
    // The typed target as a number; nothing for an empty or zero target.
    static std::optional<double> typedTargetTempo(const QString& text);

signals:
    // Type, dance or round changed, by a view or by code.
    void choiceChanged();
    // The target was recomputed; row is the chosen rule row, or null.
    void targetChanged(const RuleRow* row);
    void tempoRangeChanged(const TempoRange& range);
    void danceTimeChanged(const DanceTime& time);
    void lockChanged(bool locked);

private:
    void takeRow(const RuleRow& row);
    void takeTargetWithoutRow();

    ProgramState& state_;
    int type_ = -1;
    int dance_ = -1;
    int round_ = -1;
    QString typedTarget_;
    QString validTypedTarget_;
    const RuleRow* shownRow_ = nullptr;
    TempoRange tempoRange_;
    DanceTime danceTime_;
    bool locked_ = false;
};
