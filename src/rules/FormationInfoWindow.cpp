#include "rules/FormationInfoWindow.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "FormationInfoWindow";
    config.fileName = "Formationen.dat";
    config.listHeight = 273;
    config.columns = {{QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanz"), 80, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Klasse"), 75, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Paare"), 67, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 80, true},
                      InfoColumn::OneLanguage("Metronom", 83, true),
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 100, true}};
    return config;
}

} // namespace

FormationInfoWindow::FormationInfoWindow(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
