#include "rules/DanceSelection.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "rules/DanceCatalogue.h"
#include <QLocale>
#include <QRegularExpression>

DanceSelection::DanceSelection(ProgramState& state, QObject* parent)
    : QObject(parent),
      state_(state)
{
}

bool DanceSelection::isTargetTempoText(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[0-9]*([.,][0-9]*)?$"));
    return decimal.match(text).hasMatch() && text.contains(QRegularExpression(QStringLiteral("[0-9]")));
}

std::optional<double> DanceSelection::typedTargetTempo(const QString& text)
{
    if (!isTargetTempoText(text))
        return std::nullopt;
    const double value = QLocale::c().toDouble(QString(text).replace(',', '.'));
    return value > 0 ? std::optional<double>(value) : std::nullopt;
}

void DanceSelection::chooseType(int typeIndex)
{
    type_ = typeIndex;
    dance_ = round_ = -1;
    typedTarget_.clear();
    state_.savedTypeIndex = typeIndex;
    emit choiceChanged();
    update();
}

void DanceSelection::chooseDance(int danceIndex)
{
    dance_ = danceIndex;
    round_ = -1;
    state_.savedDanceIndex = danceIndex;
    emit choiceChanged();
    update();
}

void DanceSelection::chooseRound(int roundIndex)
{
    round_ = roundIndex;
    state_.savedRoundIndex = roundIndex;
    emit choiceChanged();
    update();
}

void DanceSelection::setTypedTarget(const QString& text)
{
    typedTarget_ = text;
    if (!text.isEmpty() && isTargetTempoText(text))
        validTypedTarget_ = text;
    if (!typedTargetChosen())
        return;
    takeTargetWithoutRow();
    emit targetChanged(nullptr);
}

void DanceSelection::update()
{
    const RuleRow* row = choiceIsComplete() ? chosenRow() : nullptr;
    if (row)
        takeRow(*row);
    else
        takeTargetWithoutRow();
    emit targetChanged(row);
}

bool DanceSelection::asksForDance() const
{
    return DanceCatalogue::disciplineOfType(type_).has_value();
}

bool DanceSelection::asksForRound() const
{
    const std::optional<Discipline> discipline = DanceCatalogue::disciplineOfType(type_);
    return discipline && DanceCatalogue::hasRounds(*discipline, dance_);
}

bool DanceSelection::choiceIsComplete() const
{
    return asksForDance() && dance_ >= 0 && (!asksForRound() || round_ >= 0);
}

bool DanceSelection::noDance() const
{
    return DanceCatalogue::isType(type_, DanceType::NoDance);
}

bool DanceSelection::typedTargetChosen() const
{
    return DanceCatalogue::isType(type_, DanceType::TargetTempo);
}

const RuleRow* DanceSelection::chosenRow() const
{
    if (!choiceIsComplete())
        return nullptr;
    const Discipline discipline = *DanceCatalogue::disciplineOfType(type_);
    const std::optional<QString> round =
        asksForRound() ? std::optional<QString>(DanceCatalogue::roundNames(discipline, dance_).value(round_))
                       : std::nullopt;
    const RuleTables& rules = *state_.rules;
    const std::optional<int> index =
        rules.findChosenRow(discipline, DanceCatalogue::danceNames(discipline).value(dance_), round);
    return index ? &rules.table(discipline).rows[static_cast<size_t>(*index)] : nullptr;
}

void DanceSelection::setTempoRange(const TempoRange& range)
{
    if (range.min == tempoRange_.min && range.max == tempoRange_.max)
        return;
    tempoRange_ = range;
    emit tempoRangeChanged(tempoRange_);
}

void DanceSelection::setDanceTime(const DanceTime& time)
{
    if (time.text == danceTime_.text)
        return;
    danceTime_ = time;
    emit danceTimeChanged(danceTime_);
}

void DanceSelection::setLocked(bool locked)
{
    if (locked == locked_)
        return;
    locked_ = locked;
    emit lockChanged(locked);
}

void DanceSelection::takeRow(const RuleRow& row)
{
    bool tempoOk = true;
    const TempoRange tempo = parseBarsPerMin(row.barsPerMin, &tempoOk);
    if (!tempoOk) {
        // A broken range in the rule data: no half-updated target, nothing shown.
        shownRow_ = nullptr;
        takeTargetWithoutRow();
        state_.messages->warning(tr("Ungültige Tempoangabe in den Regeldaten: '%1'").arg(row.barsPerMin));
        return;
    }
    shownRow_ = &row;
    setTempoRange(tempo);
    setDanceTime(DanceTime{row.danceTime});
}

// Count beat judges against the target tempo range: with a typed target it is
// that tempo give or take TypedTargetTolerance, the half width of the rules'
// usual ranges (50-52); otherwise there is none, rather than the range of a
// dance that is no longer chosen.
void DanceSelection::takeTargetWithoutRow()
{
    shownRow_ = nullptr;
    const std::optional<double> target = typedTargetChosen() ? typedTargetTempo(typedTarget_) : std::nullopt;
    setTempoRange(target ? TempoRange{*target - TypedTargetTolerance, *target + TypedTargetTolerance} : TempoRange{});
}
