#include "rules/FrmBoogieWoogieTaktZeitInfo.h"

namespace {

NationalInfoConfig configuration()
{
    NationalInfoConfig config;
    config.objectName = "FrmBoogieWoogieTaktZeitInfo";
    config.fileName = "BoogieWoogie.dat";
    config.listHeight = 258;
    config.columns = {{"Klasse", "Class", 100, false},
                      {"Runde", "Round", 120, false},
                      {"Taktzahl", "Bars/min.", 80, true},
                      InfoColumn::OneLanguage("Metronom", 85, true),
                      {"Tanzzeit", "Time", 100, true}};
    config.discipline = Discipline::Boogie;
    config.chooseRound = true;
    config.noteGerman = QStringLiteral("Boogie-Woogie hat immer einen 4/4-Takt");
    config.noteEnglish = QStringLiteral("Boogie-Woogie has a 4/4 bar scheme");
    config.noteWidth = 286;
    return config;
}

} // namespace

TFrmBoogieWoogieTaktZeitInfo::TFrmBoogieWoogieTaktZeitInfo(ProgramState& state, QWidget* parent)
    : NationalInfoWindow(state, configuration(), parent)
{
}
