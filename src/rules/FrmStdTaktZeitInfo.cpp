#include "rules/FrmStdTaktZeitInfo.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "FrmStdTaktZeitInfo";
    config.fileName = "Standard.dat";
    config.listHeight = 281;
    config.columns = {{"Tanz", "Dance", 124, false},
                      {"Takt", "Beat", 75, false},
                      {"Taktzahl", "Bars/min.", 96, true},
                      InfoColumn::OneLanguage("Metronom", 89, true),
                      {"Tanzzeit", "Time", 101, true}};
    config.discipline = Discipline::Ballroom;
    return config;
}

} // namespace

TFrmStdTaktZeitInfo::TFrmStdTaktZeitInfo(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
