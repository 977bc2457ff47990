#include "rules/InternationalFormationsWindow.h"

namespace {

InternationalInfoConfig configuration()
{
    InternationalInfoConfig config;
    config.objectName = "InternationalFormationsWindow";
    config.fileName = "I_Formationen.dat";
    config.listName = "InfoBox_Formations";
    config.sourceLabelName = "LB_Info_Formationen";
    config.columns = {InfoColumn::OneLanguage("Dance", 71, false),     InfoColumn::OneLanguage("Class", 97, false),
                      InfoColumn::OneLanguage("# Couples", 82, false), InfoColumn::OneLanguage("Bars/min.", 78, true),
                      InfoColumn::OneLanguage("Metronom", 84, true),   InfoColumn::OneLanguage("Time", 73, true)};
    return config;
}

} // namespace

InternationalFormationsWindow::InternationalFormationsWindow(ProgramState& state, QWidget* parent)
    : InternationalInfoWindow(state, configuration(), parent)
{
}
