#pragma once
#include "rules/RuleTables.h"
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <optional>

class DanceSelection;

// A round by the dance selection's places in the catalogue, the same in every
// language, so that a plan saved in German is found again in English.
// Ballroom and Latin rounds are all their dances: the class is -1 except where
// the chosen dance replaces another one in the round (the seniors' Viennese
// Waltz). A round whose rules split it into parts, such as Boogie-Woogie's
// final (slow and quick), is one key, with the first of its parts as round.
struct RoundKey {
    Discipline discipline = Discipline::RnR;
    int classIndex = -1;
    int roundIndex = -1;

    bool operator==(const RoundKey& other) const
    {
        return discipline == other.discipline && classIndex == other.classIndex && roundIndex == other.roundIndex;
    }
    bool operator!=(const RoundKey& other) const { return !(*this == other); }
};

// The key of a choice: type, class or dance, round as DanceSelection holds
// them. Nothing for a typed target, no dance, or a choice that still lacks
// the class (Rock'n'Roll, Boogie-Woogie) or the round.
std::optional<RoundKey> roundKeyOf(int typeIndex, int danceIndex, int roundIndex);
std::optional<RoundKey> roundKeyOf(const DanceSelection& selection);

// One dance of a round as the loaded rule tables give it.
struct RunningDance {
    // What the round calls it in the language of the tables: the dance
    // ("Tango"), or for Rock'n'Roll and Boogie-Woogie the discipline with the
    // part of the round where it has several ("Boogie-Woogie (langsam)").
    QString name;
    int ruleRow = -1;     // row of the discipline's table
    TempoRange tempo;     // bars per minute; not valid where the row's text is no tempo
    int danceTimeMin = 0; // whole seconds; 0 where the row gives none
    int danceTimeMax = 0;
    QString danceTimeText; // as the row writes it ("90-120s")
    int beatsPerBar = 4;
};

struct RunningOrder {
    RoundKey key;
    QList<RunningDance> dances;
    // Why a key gives no dances (a class or round the tables lack); empty otherwise.
    QString problem;
    bool valid() const { return !dances.isEmpty(); }
};

// The dances of a round in the order they are danced, from the rule tables
// loaded now: Ballroom and Latin in their tables' order, the seniors' row in
// place of the one it replaces; Rock'n'Roll and Boogie-Woogie the row (or the
// rows of the parts, in table order) the class and round stand for.
RunningOrder runningOrder(const RuleTables& tables, const RoundKey& key);

// The dance of the order that a rule row of its discipline's table stands
// for (each part of a split round is a dance of its own); nothing for a row
// of another table or none.
std::optional<int> danceOfRow(const RunningOrder& order, const RuleTables& tables, const RuleRow* row);

// "Rock'n'Roll – Schüler – Endrunde", "Standard", "Latein" in the language in use.
QString roundTitle(const RoundKey& key);
