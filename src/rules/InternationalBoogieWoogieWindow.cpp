#include "rules/InternationalBoogieWoogieWindow.h"

namespace {

InternationalInfoConfig configuration()
{
    InternationalInfoConfig config;
    config.objectName = "InternationalBoogieWoogieWindow";
    config.fileName = "I_BoogieWoogie.dat";
    config.listName = "InfoBox_Boogie";
    config.sourceLabelName = "LB_Info_Boogie";
    config.columns = {InfoColumn::OneLanguage("Class", 112, false), InfoColumn::OneLanguage("Round", 108, false),
                      InfoColumn::OneLanguage("Bars/min.", 80, true), InfoColumn::OneLanguage("Metronom", 85, true),
                      InfoColumn::OneLanguage("Time", 100, true)};
    return config;
}

} // namespace

InternationalBoogieWoogieWindow::InternationalBoogieWoogieWindow(ProgramState& state, QWidget* parent)
    : InternationalInfoWindow(state, configuration(), parent)
{
}
