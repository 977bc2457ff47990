#include "rules/BallroomInfoWindow.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "BallroomInfoWindow";
    config.fileName = "Standard.dat";
    config.listHeight = 281;
    config.columns = {{QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanz"), 124, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Takt"), 75, false},
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Taktzahl"), 96, true},
                      InfoColumn::OneLanguage("Metronom", 89, true),
                      {QT_TRANSLATE_NOOP("RuleInfoWindow", "Tanzzeit"), 101, true}};
    config.discipline = Discipline::Ballroom;
    return config;
}

} // namespace

BallroomInfoWindow::BallroomInfoWindow(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
