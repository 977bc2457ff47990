#include "rules/InternationalRockNRollWindow.h"

namespace {

InternationalInfoConfig configuration()
{
    InternationalInfoConfig config;
    config.objectName = "InternationalRockNRollWindow";
    config.fileName = "I_RockNRoll.dat";
    config.listName = "InfoBox_RockNRoll";
    config.sourceLabelName = "LB_Info_RockNRoll";
    config.columns = {InfoColumn::OneLanguage("Class", 93, false), InfoColumn::OneLanguage("Foot/Acro", 145, false),
                      InfoColumn::OneLanguage("Bars/min.", 80, true), InfoColumn::OneLanguage("Metronom", 82, true),
                      InfoColumn::OneLanguage("Time", 86, true)};
    return config;
}

} // namespace

InternationalRockNRollWindow::InternationalRockNRollWindow(ProgramState& state, QWidget* parent)
    : InternationalInfoWindow(state, configuration(), parent)
{
}
