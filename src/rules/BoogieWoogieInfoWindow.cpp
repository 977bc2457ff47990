#include "rules/BoogieWoogieInfoWindow.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "BoogieWoogieInfoWindow";
    config.fileName = "BoogieWoogie.dat";
    config.listHeight = 258;
    config.columns = {{QT_TRANSLATE_NOOP("RuleInfoWindow", "Klasse"), 100, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Runde"), 120, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 80, true},
                      InfoColumn::OneLanguage("Metronom", 85, true),
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 100, true}};
    config.discipline = Discipline::Boogie;
    config.chooseRound = true;
    config.note = QT_TRANSLATE_NOOP("NationalInfoWindow", "Boogie-Woogie hat immer einen 4/4-Takt");
    config.noteWidth = 286;
    return config;
}

} // namespace

BoogieWoogieInfoWindow::BoogieWoogieInfoWindow(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
