#include "rules/FrmIntInfoFormations.h"

namespace {

InternationalInfoConfig configuration()
{
    InternationalInfoConfig config;
    config.objectName = "FrmIntInfoFormations";
    config.fileName = "I_Formationen.dat";
    config.listName = "InfoBox_Formations";
    config.sourceLabelName = "LB_Info_Formationen";
    config.columns = {InfoColumn::OneLanguage("Dance", 71, false),     InfoColumn::OneLanguage("Class", 97, false),
                      InfoColumn::OneLanguage("# Couples", 82, false), InfoColumn::OneLanguage("Bars/min.", 78, true),
                      InfoColumn::OneLanguage("Metronom", 84, true),   InfoColumn::OneLanguage("Time", 73, true)};
    return config;
}

} // namespace

TFrmIntInfoFormations::TFrmIntInfoFormations(ProgramState& state, QWidget* parent)
    : InternationalInfoWindow(state, configuration(), parent)
{
}
