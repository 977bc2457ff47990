#include "rules/FrmRnRTaktZeitInfo.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "FrmRnRTaktZeitInfo";
    config.fileName = "RockNRoll.dat";
    config.listHeight = 257;
    config.columns = {{"Klasse", "Class", 100, false},
                      {"Fuß/Akro", "Foot/Acro", 120, false},
                      {"Taktzahl", "Bars/min.", 80, true},
                      InfoColumn::OneLanguage("Metronom", 85, true),
                      {"Tanzzeit", "Time", 100, true}};
    config.discipline = Discipline::RnR;
    config.chooseRound = true;
    config.noteGerman = QStringLiteral("Rock'n'Roll hat immer einen 4/4-Takt");
    config.noteEnglish = QStringLiteral("Rock'n'Roll has a 4/4 bar scheme");
    config.noteWidth = 257;
    return config;
}

} // namespace

TFrmRnRTaktZeitInfo::TFrmRnRTaktZeitInfo(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
