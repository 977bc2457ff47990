#include "rules/FrmLateinTaktZeitInfo.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "FrmLateinTaktZeitInfo";
    config.fileName = "Latein.dat";
    config.listHeight = 281;
    config.columns = {{"Tanz", "Dance", 113, false},
                      {"Takt", "Beat", 75, false},
                      {"Taktzahl", "Bars/min.", 93, true},
                      InfoColumn::OneLanguage("Metronom", 95, true),
                      {"Tanzzeit", "Time", 109, true}};
    config.discipline = Discipline::Latin;
    return config;
}

} // namespace

TFrmLateinTaktZeitInfo::TFrmLateinTaktZeitInfo(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
