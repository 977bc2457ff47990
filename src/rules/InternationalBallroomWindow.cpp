#include "rules/InternationalBallroomWindow.h"

namespace {

InternationalInfoConfig configuration()
{
    InternationalInfoConfig config;
    config.objectName = "InternationalBallroomWindow";
    config.fileName = "I_Standard.dat";
    config.listName = "InfoBox_Standard";
    config.sourceLabelName = "LB_Info_Standard";
    config.columns = {InfoColumn::OneLanguage("Dance", 93, false), InfoColumn::OneLanguage("Beat", 99, false),
                      InfoColumn::OneLanguage("Bars/min.", 89, true), InfoColumn::OneLanguage("Metronom", 95, true),
                      InfoColumn::OneLanguage("Time", 109, true)};
    config.list = QRect(24, 32, 489, 277);
    return config;
}

} // namespace

InternationalBallroomWindow::InternationalBallroomWindow(ProgramState& state, QWidget* parent)
    : InternationalInfoWindow(state, configuration(), parent)
{
}
