#include "rules/InternationalLatinWindow.h"

namespace {

InternationalInfoConfig configuration()
{
    InternationalInfoConfig config;
    config.objectName = "InternationalLatinWindow";
    config.fileName = "I_Latein.dat";
    config.listName = "InfoBox_Latein";
    config.sourceLabelName = "LB_Info_Latein";
    config.columns = {InfoColumn::OneLanguage("Dance", 91, false), InfoColumn::OneLanguage("Beat", 101, false),
                      InfoColumn::OneLanguage("Bars/min.", 96, true), InfoColumn::OneLanguage("Metronom", 88, true),
                      InfoColumn::OneLanguage("Time", 110, true)};
    config.list = QRect(23, 32, 490, 273);
    config.sourceLabelWidth = 440;
    return config;
}

} // namespace

InternationalLatinWindow::InternationalLatinWindow(ProgramState& state, QWidget* parent)
    : InternationalInfoWindow(state, configuration(), parent)
{
}
