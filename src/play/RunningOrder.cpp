#include "play/RunningOrder.h"
#include "music/MusicJudgement.h"
#include "rules/DanceCatalogue.h"
#include "rules/DanceSelection.h"

namespace {

// "Endrunde (langsam)" gives "Endrunde"; a text without a closing part in
// brackets stays as it is.
QString stemOf(const QString& text)
{
    const qsizetype open = text.lastIndexOf(QStringLiteral(" ("));
    return open > 0 && text.endsWith(QLatin1Char(')')) ? text.left(open) : text;
}

// "langsam" of "Endrunde (langsam)"; empty without a part in brackets.
QString partOf(const QString& text)
{
    const QString stem = stemOf(text);
    return stem.size() == text.size() ? QString() : text.mid(stem.size() + 2).chopped(1);
}

// Whether `name` is another dance named with a bracket after it, such as the
// seniors' "Wiener Waltzer (Sen IV)" of "Wiener Waltzer".
bool replaces(const QString& name, const QString& other)
{
    return !keysEqual(name, other) && keysEqual(stemOf(name), other);
}

bool replacesAnyOf(const QString& name, const QStringList& names)
{
    for (const QString& other : names) {
        if (replaces(name, other))
            return true;
    }
    return false;
}

RunningDance runningDanceOf(const RuleTable& table, int row, const QString& name)
{
    const RuleRow& rule = table.rows[static_cast<size_t>(row)];
    RunningDance dance;
    dance.name = name;
    dance.ruleRow = row;
    if (barsPerMinReadable(rule.barsPerMin))
        dance.tempo = parseBarsPerMin(rule.barsPerMin);
    if (danceTimeReadable(rule.danceTime)) {
        dance.danceTimeMin = parseDanceTime(rule.danceTime, 1);
        dance.danceTimeMax = parseDanceTime(rule.danceTime, 2);
    }
    dance.danceTimeText = rule.danceTime;
    dance.beatsPerBar = beatsPerBarOfRow(&rule);
    return dance;
}

int rowsOf(const RuleTable& table)
{
    return qBound(0, table.rowCount, table.capacity);
}

void orderByDance(const RuleTables& tables, RunningOrder& order)
{
    const Discipline discipline = order.key.discipline;
    const RuleTable& table = tables.table(discipline);
    const QString chosen = DanceCatalogue::danceNames(discipline).value(order.key.classIndex);
    QStringList names;
    for (int row = 0; row < rowsOf(table); ++row)
        names << table.rows[static_cast<size_t>(row)].name;
    for (int row = 0; row < rowsOf(table); ++row) {
        const QString& name = names[row];
        const bool replacement = replacesAnyOf(name, names);
        const bool replaced = !chosen.isEmpty() && replaces(chosen, name);
        if ((replacement && !keysEqual(name, chosen)) || replaced)
            continue;
        // A name twice in a table is one dance, danced once.
        if (names.indexOf(name) < row)
            continue;
        order.dances << runningDanceOf(table, row, name);
    }
}

void orderByClass(const RuleTables& tables, RunningOrder& order)
{
    const Discipline discipline = order.key.discipline;
    const RuleTable& table = tables.table(discipline);
    const QString danceName = DanceCatalogue::typeNames().value(static_cast<int>(discipline));
    const QString className = DanceCatalogue::danceNames(discipline).value(order.key.classIndex);
    if (!DanceCatalogue::hasRounds(discipline, order.key.classIndex)) {
        if (const auto row = tables.findChosenRow(discipline, className, std::nullopt))
            order.dances << runningDanceOf(table, *row, danceName);
        return;
    }
    const QString round = DanceCatalogue::roundNames(discipline, order.key.classIndex).value(order.key.roundIndex);
    if (partOf(round).isEmpty()) {
        if (const auto row = tables.findChosenRow(discipline, className, round))
            order.dances << runningDanceOf(table, *row, danceName);
        return;
    }
    for (int row = 0; row < rowsOf(table); ++row) {
        const RuleRow& rule = table.rows[static_cast<size_t>(row)];
        if (keysEqual(rule.name, className) && keysEqual(stemOf(rule.variant), stemOf(round)) &&
            !partOf(rule.variant).isEmpty())
            order.dances << runningDanceOf(table, row, danceName + QStringLiteral(" (") + partOf(rule.variant) + ')');
    }
}

} // namespace

std::optional<RoundKey> roundKeyOf(int typeIndex, int danceIndex, int roundIndex)
{
    const std::optional<Discipline> discipline = DanceCatalogue::disciplineOfType(typeIndex);
    if (!discipline)
        return std::nullopt;
    RoundKey key{*discipline, -1, -1};
    if (!DanceCatalogue::chosenByClass(*discipline)) {
        const QStringList names = DanceCatalogue::danceNames(*discipline);
        if (danceIndex >= 0 && danceIndex < names.size() && replacesAnyOf(names[danceIndex], names))
            key.classIndex = danceIndex;
        return key;
    }
    if (danceIndex < 0 || danceIndex >= DanceCatalogue::danceNames(*discipline).size())
        return std::nullopt;
    key.classIndex = danceIndex;
    const QStringList rounds = DanceCatalogue::roundNames(*discipline, danceIndex);
    if (rounds.isEmpty())
        return key;
    if (roundIndex < 0 || roundIndex >= rounds.size())
        return std::nullopt;
    // The parts of one round share its key: the first part in the catalogue.
    key.roundIndex = roundIndex;
    if (!partOf(rounds[roundIndex]).isEmpty()) {
        for (int i = 0; i < rounds.size(); ++i) {
            if (keysEqual(stemOf(rounds[i]), stemOf(rounds[roundIndex])) && !partOf(rounds[i]).isEmpty()) {
                key.roundIndex = i;
                break;
            }
        }
    }
    return key;
}

std::optional<RoundKey> roundKeyOf(const DanceSelection& selection)
{
    return roundKeyOf(selection.type(), selection.dance(), selection.round());
}

RunningOrder runningOrder(const RuleTables& tables, const RoundKey& key)
{
    RunningOrder order;
    order.key = key;
    if (DanceCatalogue::chosenByClass(key.discipline))
        orderByClass(tables, order);
    else
        orderByDance(tables, order);
    if (order.dances.isEmpty()) {
        order.problem = QCoreApplication::translate("RunningOrder", "Die Regeltabelle enthält die Runde „%1“ nicht.")
                            .arg(roundTitle(key));
    }
    return order;
}

QString roundTitle(const RoundKey& key)
{
    const int discipline = static_cast<int>(key.discipline);
    QStringList parts{DanceCatalogue::typeNames().value(discipline)};
    const QString dance = DanceCatalogue::danceNames(key.discipline).value(key.classIndex);
    if (!dance.isEmpty())
        parts << dance;
    const QStringList rounds = DanceCatalogue::roundNames(key.discipline, key.classIndex);
    const QString round = rounds.value(key.roundIndex);
    // A round of parts goes by the round's name ("Endrunde"), not its first part's.
    if (!round.isEmpty())
        parts << (partOf(round).isEmpty() ? round : stemOf(round));
    return parts.join(QStringLiteral(" – "));
}

std::optional<int> danceOfRow(const RunningOrder& order, const RuleTables& tables, const RuleRow* row)
{
    const RuleTable& table = tables.table(order.key.discipline);
    for (int dance = 0; dance < order.dances.size(); ++dance) {
        const int ruleRow = order.dances[dance].ruleRow;
        if (ruleRow >= 0 && row == &table.rows[static_cast<size_t>(ruleRow)])
            return dance;
    }
    return std::nullopt;
}
