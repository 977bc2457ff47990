#pragma once
#include "rules/RuleTables.h"
#include <QCoreApplication>
#include <QStringList>
#include <optional>

// The vocabulary of the dance selection: what the discipline selector offers,
// the classes or dances of each discipline and the rounds of each class. The
// class, dance and round names are the keys of the rule tables of the language
// in use, so they come in that language (German is written here, the others
// come from the translation files).
enum class DanceType { RockNRoll, BoogieWoogie, Ballroom, Latin, TargetTempo, NoDance };
constexpr int DanceTypeCount = 6;

class DanceCatalogue {
    Q_DECLARE_TR_FUNCTIONS(DanceCatalogue)

public:
    // The items of the discipline selector, in the order of DanceType.
    static QStringList typeNames();
    // The discipline whose rule table a type index stands for; none for a typed
    // target tempo, no dance or no choice.
    static std::optional<Discipline> disciplineOfType(int typeIndex);
    static bool isType(int typeIndex, DanceType type);

    // Whether the discipline is chosen by class (Rock'n'Roll, Boogie-Woogie)
    // rather than by dance.
    static bool chosenByClass(Discipline discipline);
    // The classes or dances of a discipline.
    static QStringList danceNames(Discipline discipline);

    // The rounds to choose for a class or dance; empty when it has none to choose.
    // Boogie-Woogie's youth class is danced in one round.
    static QStringList roundNames(Discipline discipline, int danceIndex);
    static bool hasRounds(Discipline discipline, int danceIndex);

    // Rock'n'Roll's acrobatic classes (B and A) dance a foot-technique and an
    // acrobatic round to music of different lengths; the other classes' rounds
    // share their music. These two rounds are roundNames of such a class.
    static bool hasFootTechniqueRounds(int rockNRollClass);
};
