#include "rules/LatinInfoWindow.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "LatinInfoWindow";
    config.fileName = "Latein.dat";
    config.listHeight = 281;
    config.columns = {{QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanz"), 113, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Takt"), 75, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 93, true},
                      InfoColumn::OneLanguage("Metronom", 95, true),
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 109, true}};
    config.discipline = Discipline::Latin;
    return config;
}

} // namespace

LatinInfoWindow::LatinInfoWindow(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
