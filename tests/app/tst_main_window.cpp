#include "widgets/DisplayArea.h"
#include "widgets/EmbeddedForm.h"
#include "stopwatch/StopTimeWindow.h"
#include "stopwatch/StopwatchControl.h"
#include "app/MainWindow.h"
#include "RecordingMessages.h"
#include "rules/RuleTables.h"
#include "widgets/SelectorBar.h"
#include "widgets/StatusPanels.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// Counts how often a window is shown.
class ShowCounter : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

QString dataFolder()
{
    return qEnvironmentVariable("VANTOR_DATA_DIR");
}

// A copy of the delivered data files (the program folder's .dat files and
// the two language folders) in target.
void copyDataFolder(const QString& target)
{
    const QDir source(dataFolder());
    for (const QString& name : source.entryList({"*.dat"}, QDir::Files))
        QFile::copy(source.filePath(name), QDir(target).filePath(name));
    for (const QString language : {"de", "en"}) {
        QDir(target).mkpath(language);
        const QDir folder(source.filePath(language));
        for (const QString& name : folder.entryList(QDir::Files))
            QFile::copy(folder.filePath(name), QDir(target).filePath(language + "/" + name));
    }
}

QString firstRuleRowName(MainWindow& form, Discipline discipline)
{
    return form.state().rules->table(discipline).rows[0].name;
}

// The window in the display area, by its own name: a window registered out of
// order shows under another's name.
QString shownWindowName(const MainWindow& form)
{
    return form.embedded(form.shownWindow())->objectName();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    RecordingMessages messages_;

    QString settingsFile() const { return dir_.filePath("Vantor.conf"); }

    std::unique_ptr<MainWindow> start(const QString& programFolder = dataFolder())
    {
        MainWindowOptions options;
        options.programFolder = programFolder;
        options.settingsFile = settingsFile();
        options.splashMs = 0;
        options.messages = &messages_;
        auto form = std::make_unique<MainWindow>(options);
        if (form->startupError().isEmpty()) {
            form->show();
            if (!QTest::qWaitForWindowExposed(form.get()))
                qWarning("the main window was not exposed");
        }
        return form;
    }

    void store(const QString& key, const QString& value)
    {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.setValue(key, value);
    }

    QString stored(const QString& key)
    {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        return settings.value(key).toString();
    }

private slots:
    void init()
    {
        QFile::remove(settingsFile());
        messages_.clear();
    }

    void firstShowShowsCountBeatWithGermanTexts()
    {
        auto form = start();
        QCOMPARE(form->shownWindow(), EmbeddedWindow::CountBeat);
        QCOMPARE(form->headerText(), QString(" Musik auszählen"));
        const QStringList expected = {"Paar 1:", "Paar 2:", "Paar 3:", "Zeit 1:", "Zeit 2:", "Zeit 3:", ""};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(form->statusPanels()->panelText(i), expected[i]);
        QCOMPARE(form->displayArea()->count(), EmbeddedWindowCount);
        QVERIFY(!form->storesPosition());
    }

    void selectorChoosesWindowAndHeader_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("window");
        QTest::newRow("metronome de") << 0 << 0 << 2 << " Metronom"
                                      << "MetronomeWindow";
        QTest::newRow("fade is the Std/Latin one") << 0 << 0 << 4 << " Musik ausblenden"
                                                   << "FadeCouplesWindow";
        QTest::newRow("stop time en") << 1 << 0 << 1 << " Stop time"
                                      << "StopTimeWindow";
        QTest::newRow("rnr info de") << 0 << 1 << 0 << " Takt- und Zeiteinheiten bei Rock'n'Roll"
                                     << "RockNRollInfoWindow";
        QTest::newRow("formation info en") << 1 << 1 << 4 << " Beat and time regulations for formation competitions"
                                           << "FormationInfoWindow";
        QTest::newRow("international latin") << 0 << 2 << 3 << " International regulations for Latin"
                                             << "InternationalLatinWindow";
        QTest::newRow("music check en") << 1 << 0 << 5 << " Check music"
                                        << "MusicCheckWindow";
    }

    void selectorChoosesWindowAndHeader()
    {
        QFETCH(int, language);
        QFETCH(int, section);
        QFETCH(int, item);
        QFETCH(QString, header);
        QFETCH(QString, window);
        store("Defaults/Sprache", QString::number(language));
        auto form = start();
        form->selectorItemClicked(section, item);
        QCOMPARE(form->headerText(), header);
        QCOMPARE(shownWindowName(*form), window);
        QCOMPARE(form->selectorSection(), section);
        QCOMPARE(form->selectorItem(), item);
    }

    // Each of the selector's own buttons, clicked as the user does, opens its own window.
    void everySelectorButtonOpensItsOwnWindow()
    {
        const QList<QStringList> windowOfItem = {{"CountBeatWindow", "StopTimeWindow", "MetronomeWindow",
                                                  "SpeedConversionWindow", "FadeCouplesWindow", "MusicCheckWindow"},
                                                 {"RockNRollInfoWindow", "BoogieWoogieInfoWindow", "BallroomInfoWindow",
                                                  "LatinInfoWindow", "FormationInfoWindow"},
                                                 {"InternationalRockNRollWindow", "InternationalBoogieWoogieWindow",
                                                  "InternationalBallroomWindow", "InternationalLatinWindow",
                                                  "InternationalFormationsWindow"}};
        auto form = start();
        SelectorBar* selector = form->selector();
        QCOMPARE(selector->sectionCount(), windowOfItem.size());
        for (int section = 0; section < windowOfItem.size(); ++section) {
            selector->setCurrentIndex(section);
            for (int item = 0; item < windowOfItem[section].size(); ++item) {
                selector->itemButton(section, item)->click();
                QCOMPARE(shownWindowName(*form), windowOfItem[section][item]);
                QCOMPARE(form->selectorSection(), section);
                QCOMPARE(form->selectorItem(), item);
            }
        }
    }

    void menuCommandsWriteHeadersInTheirLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("window");
        QTest::newRow("stop time de") << 0 << "stopTimeActionGerman"
                                      << " Zeitmessung"
                                      << "StopTimeWindow";
        QTest::newRow("stop time en") << 1 << "stopTimeActionEnglish"
                                      << " Stop time"
                                      << "StopTimeWindow";
        QTest::newRow("rnr fade en") << 1 << "fadeRockNRollActionEnglish"
                                     << " Fade music Rock'n'Roll"
                                     << "FadeRockNRollWindow";
        QTest::newRow("std fade de") << 0 << "fadeCouplesActionGerman"
                                     << " Musik ausblenden Standard/Latein/Boogie"
                                     << "FadeCouplesWindow";
        QTest::newRow("latin info en") << 1 << "latinInfoActionEnglish"
                                       << " Beat and time regulations for latin"
                                       << "LatinInfoWindow";
        QTest::newRow("music check en") << 1 << "musicCheckActionEnglish"
                                        << " Check music"
                                        << "MusicCheckWindow";
        QTest::newRow("international formations de") << 0 << "internationalFormationsActionGerman"
                                                     << " International regulations for Formations"
                                                     << "InternationalFormationsWindow";
        QTest::newRow("international ballroom en") << 1 << "internationalBallroomActionEnglish"
                                                   << " International regulations for Ballroom"
                                                   << "InternationalBallroomWindow";
    }

    void menuCommandsWriteHeadersInTheirLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, action);
        QFETCH(QString, header);
        QFETCH(QString, window);
        store("Defaults/Sprache", QString::number(language));
        auto form = start();
        form->action(action)->trigger();
        QCOMPARE(form->headerText(), header);
        QCOMPARE(shownWindowName(*form), window);
        QCOMPARE(form->selectorSection(), 0);
        QCOMPARE(form->selectorItem(), 0);
    }

    void selectorShowsAgainButMenuDoesNot()
    {
        auto form = start();
        ShowCounter counter;
        form->embedded(EmbeddedWindow::Metronome)->installEventFilter(&counter);
        form->selectorItemClicked(0, 2);
        QCOMPARE(counter.shows, 1);
        form->selectorItemClicked(0, 2);
        QCOMPARE(counter.shows, 2);
        form->action("metronomeActionGerman")->trigger();
        QCOMPARE(counter.shows, 2);
        QCOMPARE(form->shownWindow(), EmbeddedWindow::Metronome);
    }

    void ctrlRReachesHiddenFadeInBothLanguages_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("German") << 0;
        QTest::newRow("English") << 1;
    }

    void ctrlRReachesHiddenFadeInBothLanguages()
    {
        QFETCH(int, language);
        store("Defaults/Sprache", QString::number(language));
        auto form = start();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(form->shownWindow(), EmbeddedWindow::FadeRockNRoll);
        QTest::keyClick(form.get(), Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(form->shownWindow(), EmbeddedWindow::Metronome);
    }

    void languageSwitchRelabelsStatusAndKeepsNumbers()
    {
        auto form = start();
        form->statusPanels()->setPanelText(1, "Paar 2: 00:45");
        form->statusPanels()->setPanelText(6, "Zeit: 12,3"); // the Rock'n'Roll clock's own panel
        form->toEnglishClicked();
        QCOMPARE(form->statusPanels()->panelText(1), QString("Couple 2: 00:45"));
        QCOMPARE(form->statusPanels()->panelText(4), QString("Time 2:"));
        QCOMPARE(form->statusPanels()->panelText(6), QString("Time: 12,3"));
        // The chosen tool's header follows the language at once.
        QCOMPARE(form->headerText(), QString(" Count Beat"));
        form->toGermanClicked();
        QCOMPARE(form->headerText(), QString(" Musik auszählen"));
        QCOMPARE(form->statusPanels()->panelText(1), QString("Paar 2: 00:45"));
        QCOMPARE(form->statusPanels()->panelText(3), QString("Zeit 1:"));
        // So does the header a menu command wrote.
        form->action("fadeCouplesActionGerman")->trigger();
        form->toEnglishClicked();
        QCOMPARE(form->headerText(), QString(" Fade music Standard/Latin/Boogie"));
    }

    void englishSwitchRepeatsInformationChoice()
    {
        auto form = start();
        form->selectorItemClicked(1, 2);
        form->toEnglishClicked();
        QCOMPARE(form->headerText(), QString(" Beat and time regulations for ballroom"));
    }

    void storedPositionIsAppliedAndWrittenBack()
    {
        store("Position/left", "0x20");
        store("Position/top", "40");
        store("Position/width", "-1");
        store("Position/height", "700");
        {
            auto form = start();
            QCOMPARE(form->x(), 32);
            QCOMPARE(form->height(), 700);
            QVERIFY(form->storesPosition());
            QVERIFY(form->action("storePositionActionGerman")->isChecked());
            QVERIFY(form->action("storePositionActionEnglish")->isChecked());
        }
        QCOMPARE(stored("Position/left"), QString("32"));
        QCOMPARE(stored("Position/height"), QString("700"));
    }

    void badStoredPlaceOrSizeIsMendedAndNotWrittenBack_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("size");
        QTest::newRow("left off every screen") << "-5000"
                                               << "100"
                                               << "600";
        QTest::newRow("top off every screen") << "100"
                                              << "9000"
                                              << "600";
        QTest::newRow("huge size") << "10"
                                   << "10"
                                   << "100000";
        QTest::newRow("huge size off every screen") << "-5000"
                                                    << "100"
                                                    << "100000";
    }

    void badStoredPlaceOrSizeIsMendedAndNotWrittenBack()
    {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(QString, size);
        store("Position/left", left);
        store("Position/top", top);
        store("Position/width", size);
        store("Position/height", size);
        QRect screen;
        {
            auto form = start();
            screen = form->screen()->availableGeometry();
            QVERIFY(screen.contains(form->frameGeometry().topLeft()));
            QVERIFY(form->width() <= screen.width());
            QVERIFY(form->height() <= screen.height());
        }
        QVERIFY(screen.contains(QPoint(stored("Position/left").toInt(), stored("Position/top").toInt())));
        QVERIFY(stored("Position/width").toInt() <= screen.width());
        QVERIFY(stored("Position/height").toInt() <= screen.height());
    }

    void storedMinutesFormatReachesTheStopwatchesAtStart()
    {
        store("Defaults/Zeitformat", "2");
        auto form = start();
        auto* stopTime = qobject_cast<StopTimeWindow*>(form->embedded(EmbeddedWindow::StopTime));
        for (const StopwatchControl* stopwatch : {stopTime->coupleOne, stopTime->coupleTwo, stopTime->coupleThree})
            QCOMPARE(stopwatch->unitLabel->text(), QString("mm:ss"));
    }

    void widthWithoutHeightDoesNotStorePosition()
    {
        store("Position/width", "700");
        {
            auto form = start();
            QVERIFY(!form->storesPosition());
        }
        for (const char* key : {"Position/left", "Position/top", "Position/width", "Position/height"})
            QCOMPARE(stored(key), QString("-1"));
    }

    void onTopStoredAsTwoStartsTopmost()
    {
        store("Position/onTop", "2");
        {
            auto form = start();
            QVERIFY(form->stayOnTop());
            QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
            QVERIFY(form->action("stayOnTopActionGerman")->isChecked());
        }
        QCOMPARE(stored("Position/onTop"), QString("1"));
    }

    void timeFormatCommandsSetChecksInBothMenus()
    {
        store("Defaults/Zeitformat", "2");
        auto form = start();
        QVERIFY(form->action("minutesSecondsFormatActionGerman")->isChecked());
        QVERIFY(form->action("minutesSecondsFormatActionEnglish")->isChecked());
        QVERIFY(!form->action("secondsFormatActionGerman")->isChecked());
        form->action("secondsFormatActionEnglish")->trigger();
        QCOMPARE(form->state().timeFormat, TimeFormat::Seconds);
        QVERIFY(form->action("secondsFormatActionGerman")->isChecked());
        QVERIFY(!form->action("minutesSecondsFormatActionGerman")->isChecked());
    }

    void languageEntriesKeepTheirMenusCheckMark()
    {
        auto form = start();
        form->action("toGermanActionGerman")->trigger(); // choosing the checked language again
        QVERIFY(form->action("toGermanActionGerman")->isChecked());
        QVERIFY(!form->action("toEnglishActionGerman")->isChecked());
        form->action("toEnglishActionGerman")->trigger();
        QCOMPARE(form->language(), Language::English);
        QVERIFY(!form->action("toEnglishActionGerman")->isChecked());
        QVERIFY(form->action("toEnglishActionEnglish")->isChecked());
    }

    // Both menus exist at once: each command and submenu has a name of its own,
    // ending with its menu's language, by which action() finds that very command.
    void menuObjectsHaveOneNameEach_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("German menu") << 0 << "German";
        QTest::newRow("English menu") << 1 << "English";
    }

    void menuObjectsHaveOneNameEach()
    {
        QFETCH(int, language);
        QFETCH(QString, suffix);
        store("Defaults/Sprache", QString::number(language));
        auto form = start();
        const QRegularExpression actionName("^[a-z][A-Za-z]*Action" + suffix + "$");
        const QRegularExpression menuName("^[a-z][A-Za-z]*Menu" + suffix + "$");
        QStringList names;
        QList<QMenu*> menus;
        for (QAction* top : form->menuBar()->actions())
            menus << top->menu();
        for (int index = 0; index < menus.size(); ++index) { // grows by the submenus
            QMenu* menu = menus[index];
            QVERIFY2(menuName.match(menu->objectName()).hasMatch(),
                     qPrintable(menu->title() + " " + menu->objectName()));
            names << menu->objectName();
            for (QAction* action : menu->actions()) {
                if (action->menu())
                    menus << action->menu();
                else if (!action->isSeparator()) {
                    QVERIFY2(actionName.match(action->objectName()).hasMatch(),
                             qPrintable(action->text() + " " + action->objectName()));
                    QCOMPARE(form->action(action->objectName()), action);
                    names << action->objectName();
                }
            }
        }
        // The command the menu leaves out, reached by its key.
        const QString hiddenFade = "fadeRockNRollAction" + suffix;
        QVERIFY(form->actions().contains(form->action(hiddenFade)));
        names << hiddenFade;
        QCOMPARE(names.size(), 10 + 29);
        names.removeDuplicates();
        QCOMPARE(names.size(), 10 + 29);
    }

    // Installed: the program in bin/, its data in share/vantor/, the user's
    // saved rule files read first.
    void installedProgramReadsTheUsersSavedRulesFirst_data()
    {
        QTest::addColumn<bool>("userSaved");
        QTest::newRow("nothing saved yet") << false;
        QTest::newRow("saved by the user") << true;
    }
    void installedProgramReadsTheUsersSavedRulesFirst()
    {
        QFETCH(bool, userSaved);
        QTemporaryDir root;
        QDir().mkpath(root.filePath("usr/bin"));
        QDir().mkpath(root.filePath("usr/share/vantor"));
        copyDataFolder(root.filePath("usr/share/vantor"));
        if (userSaved) {
            QDir().mkpath(root.filePath("home/Vantor"));
            copyDataFolder(root.filePath("home/Vantor"));
            QFile latin(root.filePath("home/Vantor/de/Latein.dat"));
            QVERIFY(latin.open(QIODevice::WriteOnly));
            latin.write("Saved by the user\r\nSamba;2/4;50-52;100-104;90-120s;\r\n");
        }
        MainWindowOptions options;
        options.programFolder = root.filePath("usr/bin");
        options.userDataFolder = root.filePath("home/Vantor");
        options.settingsFile = settingsFile();
        options.splashMs = 0;
        options.messages = &messages_;
        MainWindow form(options);
        QCOMPARE(form.startupError(), QString());
        QCOMPARE(QDir::cleanPath(form.state().programFolder), root.filePath("usr/share/vantor"));
        QCOMPARE(QDir::cleanPath(form.state().userDataFolder), root.filePath("home/Vantor"));
        const RuleTable& latin = form.state().rules->table(Discipline::Latin);
        QCOMPARE(latin.source == "Saved by the user", userSaved);
        QCOMPARE(latin.rowCount == 1, userSaved);
    }

    // Extras lists the screens in both languages; a stored screen that is
    // gone falls back quietly, and the choice is kept by name at exit.
    void projectorScreenFromExtrasKeptByName()
    {
        store("Defaults/Beamer", "HDMI-9");
        const QString primary = QGuiApplication::primaryScreen()->name();
        {
            auto form = start();
            QCOMPARE(form->findChild<QMenu*>("projectorScreenMenuEnglish")->title(),
                     QStringLiteral("&Projector screen"));
            auto* screens = form->findChild<QMenu*>("projectorScreenMenuGerman");
            QCOMPARE(screens->title(), QStringLiteral("&Beamer-Bildschirm"));
            emit screens->aboutToShow();
            QCOMPARE(screens->actions().size(), QGuiApplication::screens().size());
            QVERIFY(screens->actions().first()->isChecked());
            QVERIFY(screens->actions().first()->text().startsWith(primary + " ("));
            QVERIFY(messages_.warnings.isEmpty() && messages_.infos.isEmpty());
            screens->actions().first()->trigger();
        }
        QCOMPARE(stored("Defaults/Beamer"), primary);
    }

    // Headphones chosen last time but not plugged in now: none, said where
    // the operator pre-listens, and none stored.
    void missingPrelistenDeviceFallsBackToNone()
    {
        store("Defaults/Vorhoeren", "vantor_left_at_home");
        {
            auto form = start();
            QWidget* play = form->embedded(EmbeddedWindow::PlayMusic);
            QTRY_COMPARE(play->findChild<QLabel*>("prelistenLabel")->text(),
                         QString("„vantor_left_at_home“ ist nicht da: Extras > Vorhören"));
            QVERIFY(!play->findChild<QPushButton*>("prelistenButton")->isEnabled());
            QVERIFY2(messages_.warnings.isEmpty(), qPrintable(messages_.warnings.join('|')));
        }
        QCOMPARE(stored("Defaults/Vorhoeren"), QString());
    }

    // A broken English folder never gives a program half German, half English.
    void brokenEnglishAtSwitchKeepsGermanWhole()
    {
        QTemporaryDir data;
        copyDataFolder(data.path());
        auto form = start(data.path());
        QVERIFY(QFile::remove(data.filePath("en/Standard.dat")));
        form->action("toEnglishActionGerman")->trigger();

        QCOMPARE(form->language(), Language::German);
        QCOMPARE(form->state().languageFolder, QString("de") + QDir::separator());
        QCOMPARE(form->menuBar()->actions().first()->text(), QString("&Datei"));
        QCOMPARE(firstRuleRowName(*form, Discipline::RnR), QString("Schüler"));
        QCOMPARE(firstRuleRowName(*form, Discipline::Latin), QString("Samba"));
        QCOMPARE(firstRuleRowName(*form, Discipline::Ballroom), QString("Langsamer Waltzer"));
        QCOMPARE(messages_.warnings.size(), 1);
        QVERIFY2(messages_.warnings.first().startsWith("Die Sprache wird nicht gewechselt"),
                 qPrintable(messages_.warnings.first()));
        QVERIFY(messages_.warnings.first().contains("Standard.dat"));
    }

    void brokenStoredEnglishStartsGermanAndKeepsTheStoredLanguage()
    {
        QTemporaryDir data;
        copyDataFolder(data.path());
        QVERIFY(QFile::remove(data.filePath("en/Standard.dat")));
        store("Defaults/Sprache", "1");
        {
            auto form = start(data.path());
            QVERIFY(form->startupError().isEmpty());
            QCOMPARE(form->language(), Language::German);
            QCOMPARE(form->menuBar()->actions().first()->text(), QString("&Datei"));
            QCOMPARE(form->statusPanels()->panelText(3), QString("Zeit 1:"));
            QCOMPARE(firstRuleRowName(*form, Discipline::Boogie), QString("Jugendklasse"));
            QCOMPARE(messages_.warnings.size(), 1);
            QVERIFY(messages_.warnings.first().contains("Standard.dat"));
            QVERIFY(messages_.warnings.first().contains("starts in German"));
        }
        QCOMPARE(stored("Defaults/Sprache"), QString("1"));

        // A later choice of the user is what is stored.
        {
            auto form = start(data.path());
            form->action("toGermanActionGerman")->trigger();
        }
        QCOMPARE(stored("Defaults/Sprache"), QString("0"));
    }

    // Only the save's own temporaries go, and the user is told; a name a
    // user may have chosen stays.
    void startRemovesLeftoversOfACutOffSave()
    {
        QTemporaryDir data;
        copyDataFolder(data.path());
        for (const QString name : {"de/RockNRoll.dat.NaCmHu.vantor-tmp", "en/Latein.dat.abcDEF.vantor-tmp",
                                   "de/RockNRoll.dat.keep", "de/Standard.dat.Sicher"}) {
            QFile file(data.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        auto form = start(data.path());
        QVERIFY(!QFile::exists(data.filePath("de/RockNRoll.dat.NaCmHu.vantor-tmp")));
        QVERIFY(!QFile::exists(data.filePath("en/Latein.dat.abcDEF.vantor-tmp")));
        QVERIFY(QFile::exists(data.filePath("de/RockNRoll.dat.keep")));
        QVERIFY(QFile::exists(data.filePath("de/Standard.dat.Sicher")));
        QTRY_COMPARE(messages_.infos.size(), 2);
        QVERIFY2(messages_.infos.first().contains("verworfen"), qPrintable(messages_.infos.first()));
    }

    void missingRuleFilesEndTheStartWithTheirText()
    {
        QTemporaryDir empty;
        auto form = start(empty.path());
        QVERIFY(form->startupError().contains("kann nicht geöffnet werden"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
