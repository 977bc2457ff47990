#include "app/WindowTable.h"
#include "common/HelpViewer.h"
#include "fade/FadeCouplesWindow.h"
#include "fade/FadeRockNRollWindow.h"
#include "music/MusicCheckWindow.h"
#include "play/PlayMusicWindow.h"
#include "rules/RuleInfoWindow.h"
#include "stopwatch/StopTimeWindow.h"
#include "tempo/CountBeatWindow.h"
#include "tempo/MetronomeWindow.h"
#include "tempo/SpeedConversionWindow.h"
#include <QCoreApplication>
#include <QtGlobal>
#include <algorithm>

namespace {

// The stand-in for the window that shows nothing.
class EmptyWindow : public EmbeddedForm {
public:
    EmptyWindow()
        : EmbeddedForm("EmptyWindow", QSize(0, 0))
    {
    }
};

template <typename Window>
std::function<EmbeddedForm*(ProgramState&)> made()
{
    return [](ProgramState& state) { return new Window(state); };
}

std::function<EmbeddedForm*(ProgramState&)> info(InfoWindow which)
{
    return [which](ProgramState& state) { return createInfoWindow(which, state); };
}

const char* const Measurements = QT_TRANSLATE_NOOP("MainMenu", "&Messungen");
const char* const BeatTimeInfo = QT_TRANSLATE_NOOP("MainMenu", "&Takt-/Zeit-Info");
const char* const InternationalInfo = QT_TRANSLATE_NOOP("MainMenu", "&Takt-/Zeit-Info|&International");

} // namespace

const char* const SelectorSectionCaptions[SelectorSectionCount] = {
    QT_TRANSLATE_NOOP("MainWindow", "Messungen"), QT_TRANSLATE_NOOP("MainWindow", "Takt- und Zeitdaten"),
    QT_TRANSLATE_NOOP("MainWindow", "International")};

const std::vector<WindowRow>& windowRows()
{
    using W = EmbeddedWindow;
    static const std::vector<WindowRow> rows = {
        {W::CountBeat, made<CountBeatWindow>(),
         SelectorEntry{0, 0, QT_TRANSLATE_NOOP("MainWindow", "Musik auszählen"),
                       QT_TRANSLATE_NOOP("MainWindow", " Musik auszählen")},
         MenuEntry{Measurements, QT_TRANSLATE_NOOP("MainMenu", "Musik &auszählen"), "countBeatAction", "Ctrl+A",
                   QT_TRANSLATE_NOOP("MainWindow", " Musik auszählen")},
         HelpEntry{"CountBeatWindow", QT_TRANSLATE_NOOP("CountBeatWindow", "Musik auszählen"),
                   "MusikauszaehlenHelp.rtf"}},
        {W::StopTime, made<StopTimeWindow>(),
         SelectorEntry{0, 1, QT_TRANSLATE_NOOP("MainWindow", "Zeit bestimmen"),
                       QT_TRANSLATE_NOOP("MainWindow", " Zeit bestimmen")},
         MenuEntry{Measurements, QT_TRANSLATE_NOOP("MainMenu", "&Zeit bestimmen"), "stopTimeAction", "Ctrl+Z",
                   QT_TRANSLATE_NOOP("MainWindow", " Zeitmessung")},
         HelpEntry{"StopTimeWindow", QT_TRANSLATE_NOOP("StopTimeWindow", "Zeit bestimmen"), "ZeitBestimmenHelp.rtf"}},
        {W::Metronome, made<MetronomeWindow>(),
         SelectorEntry{0, 2, QT_TRANSLATE_NOOP("MainWindow", "Metronom"), QT_TRANSLATE_NOOP("MainWindow", " Metronom")},
         MenuEntry{Measurements, QT_TRANSLATE_NOOP("MainMenu", "&Metronom"), "metronomeAction", "Ctrl+M",
                   QT_TRANSLATE_NOOP("MainWindow", " Metronom")},
         HelpEntry{"MetronomeWindow", QT_TRANSLATE_NOOP("MetronomeWindow", "Metronom"), "MetronomHelp.rtf"}},
        {W::SpeedConversion, made<SpeedConversionWindow>(),
         SelectorEntry{0, 3, QT_TRANSLATE_NOOP("MainWindow", "Takt-Anpassung"),
                       QT_TRANSLATE_NOOP("MainWindow", " Takt-Anpassung")},
         MenuEntry{Measurements, QT_TRANSLATE_NOOP("MainMenu", "&Takt-Anpassung"), "speedConversionAction", "Ctrl+T",
                   QT_TRANSLATE_NOOP("MainWindow", " Takt-Anpassung")},
         HelpEntry{"SpeedConversionWindow", QT_TRANSLATE_NOOP("SpeedConversionWindow", "Takt-Anpassung"),
                   "TaktAnpassungHelp.rtf"}},
        {W::FadeRockNRoll, made<FadeRockNRollWindow>(), std::nullopt,
         MenuEntry{Measurements, QT_TRANSLATE_NOOP("MainMenu", "Musik aus&blenden Rock'n'Roll"), "fadeRockNRollAction",
                   "Ctrl+R", QT_TRANSLATE_NOOP("MainWindow", " Musik ausblenden Rock'n'Roll"), true},
         HelpEntry{"FadeRockNRollWindow", QT_TRANSLATE_NOOP("FadeRockNRollWindow", "Rock'n'Roll ausblenden"),
                   "RnRAusblendenHelp.rtf"}},
        {W::FadeCouples, made<FadeCouplesWindow>(),
         SelectorEntry{0, 4, QT_TRANSLATE_NOOP("MainWindow", "Musik ausblenden"),
                       QT_TRANSLATE_NOOP("MainWindow", " Musik ausblenden")},
         MenuEntry{Measurements, QT_TRANSLATE_NOOP("MainMenu", "Musik ausblenden"), "fadeCouplesAction", "Ctrl+S",
                   QT_TRANSLATE_NOOP("MainWindow", " Musik ausblenden Standard/Latein/Boogie")},
         HelpEntry{"FadeCouplesWindow", QT_TRANSLATE_NOOP("FadeCouplesWindow", "Latein/Standard/Boogie ausblenden"),
                   "LateinAusblendenHelp.rtf"}},
        {W::MusicCheck, made<MusicCheckWindow>(),
         SelectorEntry{0, 5, QT_TRANSLATE_NOOP("MainWindow", "Musik prüfen"),
                       QT_TRANSLATE_NOOP("MainWindow", " Musik prüfen")},
         MenuEntry{Measurements, QT_TRANSLATE_NOOP("MainMenu", "Musik &prüfen"), "musicCheckAction", "Ctrl+P",
                   QT_TRANSLATE_NOOP("MainWindow", " Musik prüfen")},
         HelpEntry{"MusicCheckWindow", QT_TRANSLATE_NOOP("MusicCheckWindow", "Musik prüfen"), "MusikPruefenHelp.rtf"}},
        {W::PlayMusic, made<PlayMusicWindow>(),
         SelectorEntry{0, 6, QT_TRANSLATE_NOOP("MainWindow", "Musik abspielen"),
                       QT_TRANSLATE_NOOP("MainWindow", " Musik abspielen")},
         MenuEntry{Measurements, QT_TRANSLATE_NOOP("MainMenu", "Musik ab&spielen"), "playMusicAction", "Ctrl+L",
                   QT_TRANSLATE_NOOP("MainWindow", " Musik abspielen")},
         HelpEntry{"PlayMusicWindow", QT_TRANSLATE_NOOP("PlayMusicWindow", "Musik abspielen"),
                   "MusikAbspielenHelp.rtf"}},
        {W::RockNRollInfo, info(InfoWindow::RockNRoll),
         SelectorEntry{1, 0, QT_TRANSLATE_NOOP("MainWindow", "Rock'n'Roll"),
                       QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Rock'n'Roll")},
         MenuEntry{BeatTimeInfo, QT_TRANSLATE_NOOP("MainMenu", "&Rock'n'Roll"), "rockNRollInfoAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Rock'n'Roll")},
         std::nullopt},
        {W::BoogieWoogieInfo, info(InfoWindow::BoogieWoogie),
         SelectorEntry{1, 1, QT_TRANSLATE_NOOP("MainWindow", "Boogie-Woogie"),
                       QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Boogie-Woogie")},
         MenuEntry{BeatTimeInfo, QT_TRANSLATE_NOOP("MainMenu", "&Boogie-Woogie"), "boogieWoogieInfoAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Boogie-Woogie")},
         std::nullopt},
        {W::BallroomInfo, info(InfoWindow::Ballroom),
         SelectorEntry{1, 2, QT_TRANSLATE_NOOP("MainWindow", "Standard"),
                       QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Standardtänzen")},
         MenuEntry{BeatTimeInfo, QT_TRANSLATE_NOOP("MainMenu", "&Standard"), "ballroomInfoAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Standardtänzen")},
         std::nullopt},
        {W::LatinInfo, info(InfoWindow::Latin),
         SelectorEntry{1, 3, QT_TRANSLATE_NOOP("MainWindow", "Latein"),
                       QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Lateintänzen")},
         MenuEntry{BeatTimeInfo, QT_TRANSLATE_NOOP("MainMenu", "&Latein"), "latinInfoAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Lateintänzen")},
         std::nullopt},
        {W::FormationInfo, info(InfoWindow::Formation),
         SelectorEntry{1, 4, QT_TRANSLATE_NOOP("MainWindow", "Formationswettbewerb"),
                       QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Formationswettbewerben")},
         MenuEntry{BeatTimeInfo, QT_TRANSLATE_NOOP("MainMenu", "&Formationen"), "formationInfoAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " Takt- und Zeiteinheiten bei Formationswettbewerben")},
         std::nullopt},
        {W::InternationalRockNRoll, info(InfoWindow::InternationalRockNRoll),
         SelectorEntry{2, 0, QT_TRANSLATE_NOOP("MainWindow", "Rock'n'Roll"),
                       QT_TRANSLATE_NOOP("MainWindow", " International regulations for Rock'n'Roll")},
         MenuEntry{InternationalInfo, QT_TRANSLATE_NOOP("MainMenu", "&Rock'n'Roll"), "internationalRockNRollAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " International regulations for Rock'n'Roll")},
         std::nullopt},
        {W::InternationalBoogieWoogie, info(InfoWindow::InternationalBoogieWoogie),
         SelectorEntry{2, 1, QT_TRANSLATE_NOOP("MainWindow", "Boogie Woogie"),
                       QT_TRANSLATE_NOOP("MainWindow", " International regulations for Boogie-Woogie")},
         MenuEntry{InternationalInfo, QT_TRANSLATE_NOOP("MainMenu", "&Boogie Woogie"),
                   "internationalBoogieWoogieAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " International regulations for Boogie-Woogie")},
         std::nullopt},
        {W::InternationalBallroom, info(InfoWindow::InternationalBallroom),
         SelectorEntry{2, 2, QT_TRANSLATE_NOOP("MainWindow", "Ballroom"),
                       QT_TRANSLATE_NOOP("MainWindow", " International regulations for Ballroom")},
         MenuEntry{InternationalInfo, QT_TRANSLATE_NOOP("MainMenu", "B&allroom"), "internationalBallroomAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " International regulations for Ballroom")},
         std::nullopt},
        {W::InternationalLatin, info(InfoWindow::InternationalLatin),
         SelectorEntry{2, 3, QT_TRANSLATE_NOOP("MainWindow", "Latin"),
                       QT_TRANSLATE_NOOP("MainWindow", " International regulations for Latin")},
         MenuEntry{InternationalInfo, QT_TRANSLATE_NOOP("MainMenu", "&Latin"), "internationalLatinAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " International regulations for Latin")},
         std::nullopt},
        {W::InternationalFormations, info(InfoWindow::InternationalFormations),
         SelectorEntry{2, 4, QT_TRANSLATE_NOOP("MainWindow", "Formations"),
                       QT_TRANSLATE_NOOP("MainWindow", " International regulations for Formations")},
         MenuEntry{InternationalInfo, QT_TRANSLATE_NOOP("MainMenu", "&Formations"), "internationalFormationsAction", "",
                   QT_TRANSLATE_NOOP("MainWindow", " International regulations for Formations")},
         std::nullopt},
        {W::Empty, [](ProgramState&) { return new EmptyWindow; }, std::nullopt, std::nullopt, std::nullopt},
    };
    return rows;
}

const WindowRow& rowOf(EmbeddedWindow window)
{
    const auto& rows = windowRows();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [window](const WindowRow& r) { return r.window == window; });
    Q_ASSERT(row != rows.end());
    return *row;
}

EmbeddedForm* makeWindow(const WindowRow& row, ProgramState& state)
{
    EmbeddedForm* window = row.create(state);
    if (const std::optional<HelpEntry> help = row.help) {
        QObject::connect(window, &EmbeddedForm::helpRequested, window, [window, help, &state] {
            showToolHelp(state, window->language(), QCoreApplication::translate(help->context, help->title),
                         QString::fromLatin1(help->fileName));
        });
    }
    return window;
}

const WindowRow* selectorRow(int section, int item)
{
    for (const WindowRow& row : windowRows())
        if (row.selector && row.selector->section == section && row.selector->item == item)
            return &row;
    return nullptr;
}

int selectorItemCount(int section)
{
    const auto& rows = windowRows();
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [section](const WindowRow& row) {
        return row.selector && row.selector->section == section;
    }));
}
