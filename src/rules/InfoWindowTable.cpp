#include "rules/RuleInfoWindow.h"
#include <variant>
#include <vector>

namespace {

using InfoWindowConfig = std::variant<NationalInfoConfig, InternationalInfoConfig>;

InfoColumn caption(const char* text, int width, bool centred)
{
    return {text, width, centred};
}

InfoColumn english(const char* text, int width, bool centred)
{
    return InfoColumn::oneLanguage(text, width, centred);
}

// One row a window, in the order of InfoWindow. National: object name, file
// in the language folder, list height, columns, the discipline a double click
// chooses, whether it chooses the round too, the note under the list and its
// width. International: object name, file in the program folder, the list's
// and the source label's object names, columns, and where they differ from
// the rest, the list's place and the source label's width.
const std::vector<InfoWindowConfig>& infoWindowRows()
{
    static const std::vector<InfoWindowConfig> rows = {
        NationalInfoConfig{"RockNRollInfoWindow",
                           "RockNRoll.dat",
                           257,
                           {caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Klasse"), 100, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Fuß/Akro"), 120, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 80, true),
                            english("Metronom", 85, true),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 100, true)},
                           Discipline::RnR,
                           true,
                           QT_TRANSLATE_NOOP("NationalInfoWindow", "Rock'n'Roll hat immer einen 4/4-Takt"),
                           257},
        NationalInfoConfig{"BoogieWoogieInfoWindow",
                           "BoogieWoogie.dat",
                           258,
                           {caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Klasse"), 100, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Runde"), 120, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 80, true),
                            english("Metronom", 85, true),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 100, true)},
                           Discipline::Boogie,
                           true,
                           QT_TRANSLATE_NOOP("NationalInfoWindow", "Boogie-Woogie hat immer einen 4/4-Takt"),
                           286},
        NationalInfoConfig{"BallroomInfoWindow",
                           "Standard.dat",
                           281,
                           {caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanz"), 124, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Takt"), 75, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 96, true),
                            english("Metronom", 89, true),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 101, true)},
                           Discipline::Ballroom},
        NationalInfoConfig{"LatinInfoWindow",
                           "Latein.dat",
                           281,
                           {caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanz"), 113, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Takt"), 75, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 93, true),
                            english("Metronom", 95, true),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 109, true)},
                           Discipline::Latin},
        NationalInfoConfig{"FormationInfoWindow",
                           "Formationen.dat",
                           273,
                           {caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanz"), 80, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Klasse"), 75, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Paare"), 67, false),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 80, true),
                            english("Metronom", 83, true),
                            caption(QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 100, true)},
                           std::nullopt},
        InternationalInfoConfig{"InternationalRockNRollWindow",
                                "I_RockNRoll.dat",
                                "InfoBox_RockNRoll",
                                "LB_Info_RockNRoll",
                                {english("Class", 93, false), english("Foot/Acro", 145, false),
                                 english("Bars/min.", 80, true), english("Metronom", 82, true),
                                 english("Time", 86, true)}},
        InternationalInfoConfig{"InternationalBoogieWoogieWindow",
                                "I_BoogieWoogie.dat",
                                "InfoBox_Boogie",
                                "LB_Info_Boogie",
                                {english("Class", 112, false), english("Round", 108, false),
                                 english("Bars/min.", 80, true), english("Metronom", 85, true),
                                 english("Time", 100, true)}},
        InternationalInfoConfig{"InternationalBallroomWindow",
                                "I_Standard.dat",
                                "InfoBox_Standard",
                                "LB_Info_Standard",
                                {english("Dance", 93, false), english("Beat", 99, false),
                                 english("Bars/min.", 89, true), english("Metronom", 95, true),
                                 english("Time", 109, true)},
                                QRect(24, 16, 489, 277)},
        InternationalInfoConfig{"InternationalLatinWindow",
                                "I_Latein.dat",
                                "InfoBox_Latein",
                                "LB_Info_Latein",
                                {english("Dance", 91, false), english("Beat", 101, false),
                                 english("Bars/min.", 96, true), english("Metronom", 88, true),
                                 english("Time", 110, true)},
                                QRect(23, 16, 490, 273),
                                440},
        InternationalInfoConfig{"InternationalFormationsWindow",
                                "I_Formationen.dat",
                                "InfoBox_Formations",
                                "LB_Info_Formationen",
                                {english("Dance", 71, false), english("Class", 97, false),
                                 english("# Couples", 82, false), english("Bars/min.", 78, true),
                                 english("Metronom", 84, true), english("Time", 73, true)}},
    };
    return rows;
}

} // namespace

RuleInfoWindow* createInfoWindow(InfoWindow which, ProgramState& state, QWidget* parent)
{
    const InfoWindowConfig& config = infoWindowRows().at(static_cast<size_t>(which));
    if (const auto* national = std::get_if<NationalInfoConfig>(&config))
        return new NationalInfoWindow(state, *national, parent);
    return new InternationalInfoWindow(state, std::get<InternationalInfoConfig>(config), parent);
}
