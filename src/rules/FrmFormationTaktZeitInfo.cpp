#include "rules/FrmFormationTaktZeitInfo.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "FrmFormationTaktZeitInfo";
    config.fileName = "Formationen.dat";
    config.listHeight = 273;
    config.columns = {{"Tanz", "Dance", 80, false},
                      {"Klasse", "Class", 75, false},
                      {"Paare", "#couples", 67, false},
                      {"Taktzahl", "Bars/min.", 80, true},
                      InfoColumn::OneLanguage("Metronom", 83, true),
                      {"Tanzzeit", "Time", 100, true}};
    return config;
}

} // namespace

TFrmFormationTaktZeitInfo::TFrmFormationTaktZeitInfo(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
