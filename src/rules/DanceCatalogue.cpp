#include "rules/DanceCatalogue.h"

namespace {

constexpr int FirstAcrobaticClass = 4; // "B-Klasse"
constexpr int BoogieYouthClass = 0;
constexpr int RockNRollClassesWithFinal = 3; // Schüler, Junioren, D-Klasse

} // namespace

QStringList DanceCatalogue::typeNames()
{
    return {tr("Rock'n'Roll"), tr("Boogie-Woogie"), tr("Standard"), tr("Latein"), tr("Solltempo"), tr("Kein Tanz")};
}

std::optional<Discipline> DanceCatalogue::disciplineOfType(int typeIndex)
{
    if (typeIndex < 0 || typeIndex >= DisciplineCount)
        return std::nullopt;
    return static_cast<Discipline>(typeIndex);
}

bool DanceCatalogue::isType(int typeIndex, DanceType type)
{
    return typeIndex == static_cast<int>(type);
}

bool DanceCatalogue::chosenByClass(Discipline discipline)
{
    return discipline == Discipline::RnR || discipline == Discipline::Boogie;
}

QStringList DanceCatalogue::danceNames(Discipline discipline)
{
    switch (discipline) {
    case Discipline::RnR:
        return {tr("Schüler"), tr("Junioren"), tr("D-Klasse"), tr("C-Klasse"), tr("B-Klasse"), tr("A-Klasse")};
    case Discipline::Boogie:
        return {tr("Jugendklasse"), tr("Hauptklasse"), tr("Oldieklasse")};
    case Discipline::Ballroom:
        return {tr("Langsamer Waltzer"),       tr("Tango"),    tr("Wiener Waltzer"),
                tr("Wiener Waltzer (Sen IV)"), tr("Slow Fox"), tr("Quickstep")};
    case Discipline::Latin:
        return {tr("Samba"), tr("Cha-Cha"), tr("Rumba"), tr("Paso Doble"), tr("Jive")};
    }
    return {};
}

QStringList DanceCatalogue::roundNames(Discipline discipline, int danceIndex)
{
    if (!hasRounds(discipline, danceIndex))
        return {};
    // The same German words name differently translated rounds in the two
    // disciplines, told apart by the disambiguation.
    if (discipline == Discipline::Boogie)
        return {tr("Vor-/Zwischenrunde", "Boogie-Woogie"), tr("Endrunde (schnell)"), tr("Endrunde (langsam)")};
    if (hasFootTechniqueRounds(danceIndex))
        return {tr("Fußtechnik"), tr("Akrobatik")};
    return {tr("Vor-/Zwischenrunde", "Rock'n'Roll"), tr("Endrunde")};
}

bool DanceCatalogue::hasRounds(Discipline discipline, int danceIndex)
{
    switch (discipline) {
    case Discipline::RnR:
        return (danceIndex >= 0 && danceIndex < RockNRollClassesWithFinal) || hasFootTechniqueRounds(danceIndex);
    case Discipline::Boogie:
        return danceIndex > BoogieYouthClass && danceIndex < 3;
    case Discipline::Ballroom:
    case Discipline::Latin:
        break;
    }
    return false;
}

bool DanceCatalogue::hasFootTechniqueRounds(int rockNRollClass)
{
    return rockNRollClass >= FirstAcrobaticClass && rockNRollClass < 6;
}
