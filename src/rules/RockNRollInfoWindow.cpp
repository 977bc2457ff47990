#include "rules/RockNRollInfoWindow.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "RockNRollInfoWindow";
    config.fileName = "RockNRoll.dat";
    config.listHeight = 257;
    config.columns = {{QT_TRANSLATE_NOOP("RuleInfoWindow", "Klasse"), 100, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Fuß/Akro"), 120, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 80, true},
                      InfoColumn::OneLanguage("Metronom", 85, true),
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 100, true}};
    config.discipline = Discipline::RnR;
    config.chooseRound = true;
    config.note = QT_TRANSLATE_NOOP("NationalInfoWindow", "Rock'n'Roll hat immer einen 4/4-Takt");
    config.noteWidth = 257;
    return config;
}

} // namespace

RockNRollInfoWindow::RockNRollInfoWindow(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
