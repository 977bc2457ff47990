#include "common/Language.h"
#include "fade/FadeRockNRollWindow.h"
#include "common/HelpViewer.h"
#include "ManualClock.h"
#include "TableWindow.h"
#include "common/ProgramState.h"
#include "widgets/RadioGroup.h"
#include "RecordingMessages.h"
#include "RecordingSounds.h"
#include "rules/RuleFiles.h"
#include "rules/RuleTables.h"
#include "widgets/StatusPanels.h"
#include "common/ThreadTimer.h"
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

namespace {

class RecordingHelp : public HelpViewer {
public:
    bool showHelp(const QString& title, const QString& filePath) override
    {
        shown << title + "|" + filePath;
        return true;
    }
    QStringList shown;
};

// The German Rock'n'Roll table as delivered, with a foot-technique tempo
// that sets it apart from acrobatics.
void fillGermanTable(RuleTables& rules)
{
    RuleTable& t = rules.table(Discipline::RnR);
    t.source = "TSO 1.6";
    const RuleRow rows[] = {
        {"Schüler", "Vor-/Zwischenrunde", "47", "188", "90-105s"},
        {"Schüler", "Endrunde", "47-48", "188-192", "90-105s"},
        {"C-Klasse", "-", "48", "192", "90s"},
        {"B-Klasse", "Fußtechnik", "50-52", "200-208", "60-75s"},
        {"B-Klasse", "Akrobatik", "48-50", "192-200", "90-105s"},
        {"A-Klasse", "Fußtechnik", "50-52", "200-208", "60-75s"},
        {"A-Klasse", "Akrobatik", "49", "196", "90 s"},
        {"D-Klasse", "-", "48", "192", "abc"},
    };
    t.rowCount = int(std::size(rows));
    for (int i = 0; i < t.rowCount; ++i)
        t.rows[size_t(i)] = rows[i];
}

QColor digitColour(const FadeRockNRollWindow& window, int digit)
{
    return window.digitLabels[size_t(digit)]->palette().color(QPalette::WindowText);
}

const QColor kOrange(252, 114, 12);
const QColor kLightGreen(0, 255, 64);
const QColor kLightRed(255, 140, 140);
const QColor kGreen(0, 128, 0);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

} // namespace

// Ticks are called directly with a set clock; the thread timer's own ticks
// never reach the window, since no test runs the event loop.
class TestRnRFade : public QObject {
    Q_OBJECT

private:
    ManualClock clock;
    RecordingMessages messages;
    RecordingHelp help;
    RuleTables rules;
    std::unique_ptr<StatusPanels> statusBar;
    ProgramState state;
    std::unique_ptr<FadeRockNRollWindow> window;
    RecordingSounds sounds;
    int& beeps = sounds.beeps;

    static void choose(RadioGroup* group, int index) { group->button(index)->click(); }

    // A dance of 49 bars per minute and 90 s: A-Klasse, Akrobatik.
    void chooseA49()
    {
        choose(window->classGroup, 5);
        choose(window->roundGroup, 1);
    }

    // Ticks every 100 ms while the thread timer is enabled, as it would.
    void tickFor(int ms)
    {
        for (int t = 0; t < ms && window->clockTimer->isEnabled(); t += 100) {
            clock.advanceMs(100);
            window->clockTimerFired();
        }
    }

    // The digits lit now (in the lit colours).
    QList<int> litDigits() const
    {
        QList<int> lit;
        for (int digit = 9; digit >= 0; --digit) {
            const QColor c = digitColour(*window, digit);
            if (c == kLightGreen || c == kOrange || c == kLightRed)
                lit << digit;
        }
        return lit;
    }

    void typeTempo(const QString& text)
    {
        window->barsEdit->setText(text);
        window->barsEdit->setModified(true);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void init()
    {
        useLanguage(Language::German);
        messages.clear();
        help.shown.clear();
        rules = RuleTables();
        fillGermanTable(rules);
        statusBar = std::make_unique<StatusPanels>(7, 80);
        state = ProgramState();
        state.clock = &clock;
        state.messages = &messages;
        state.help = &help;
        state.rules = &rules;
        state.programFolder = "/opt/vantor/";
        window.reset(MakeTableWindow<FadeRockNRollWindow>(EmbeddedWindow::FadeRockNRoll, state));
        QObject::connect(window.get(), &EmbeddedForm::statusTextChanged, statusBar.get(), &StatusPanels::setPanelText);
        beeps = 0;
        state.sounds = &sounds; // the window's own beep, through the program's output
    }

    void cleanup() { window.reset(); }

    void lookUp_data()
    {
        QTest::addColumn<int>("danceClass");
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("tempo");
        QTest::addColumn<QString>("dauer");
        QTest::addColumn<QString>("bars");

        QTest::newRow("class without rounds takes its last row") << 0 << -1 << "47,5"
                                                                 << "90"
                                                                 << "71";
        QTest::newRow("single tempo") << 3 << -1 << "48"
                                      << "90"
                                      << "72";
        QTest::newRow("German foot technique finds Fußtechnik") << 4 << 0 << "51"
                                                                << "60"
                                                                << "51";
        QTest::newRow("range of tempo and time") << 4 << 1 << "49"
                                                 << "90"
                                                 << "73";
        QTest::newRow("time with a blank before the unit") << 5 << 1 << "49"
                                                           << "90"
                                                           << "73";
        QTest::newRow("B class without round") << 4 << -1 << ""
                                               << ""
                                               << "";
        QTest::newRow("class missing from the table") << 1 << -1 << ""
                                                      << ""
                                                      << "";
    }

    void lookUp()
    {
        QFETCH(int, danceClass);
        QFETCH(int, round);
        choose(window->classGroup, danceClass);
        if (round >= 0)
            choose(window->roundGroup, round);
        QTEST(window->barsEdit->text(), "tempo");
        QTEST(window->durationEdit->text(), "dauer");
        QTEST(window->remainingBarsEdit->text(), "bars");
        QCOMPARE(messages.warnings, QStringList());
        QCOMPARE(window->roundGroup->isHidden(), danceClass < 4);
    }

    void unreadableDanceTimeIsReportedAndNotCounted()
    {
        choose(window->classGroup, 2);
        QCOMPARE(messages.warnings, QStringList{"Ungültige Tanzzeit in den Regeldaten: 'abc'"});
        QCOMPARE(window->durationEdit->text(), QString());
        window->startClicked();
        QVERIFY(!window->running());
    }

    void choicesAreSavedForTheNextShowing()
    {
        choose(window->classGroup, 4);
        choose(window->roundGroup, 1);
        QCOMPARE(state.savedTypeIndex, 0);
        QCOMPARE(state.savedDanceIndex, 4);
        QCOMPARE(state.savedRoundIndex, 1);
    }

    void formShow_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dance");
        QTest::addColumn<int>("round");
        QTest::addColumn<int>("danceClass");
        QTest::addColumn<int>("chosenRound");
        QTest::addColumn<QString>("tempo");

        QTest::newRow("Rock'n'Roll class and round") << 0 << 4 << 1 << 4 << 1 << "49";
        QTest::newRow("index past the last item") << 0 << 9 << 7 << 5 << 1 << "49";
        QTest::newRow("another discipline clears the choice") << 2 << 4 << 1 << -1 << -1 << "0";
    }

    void formShow()
    {
        QFETCH(int, type);
        QFETCH(int, dance);
        QFETCH(int, round);
        state.savedTypeIndex = type;
        state.savedDanceIndex = dance;
        state.savedRoundIndex = round;
        window->show();
        QCOMPARE(window->infoLabel->text(), QString("TSO 1.6"));
        QTEST(window->classGroup->itemIndex(), "danceClass");
        QTEST(window->roundGroup->itemIndex(), "chosenRound");
        QTEST(window->barsEdit->text(), "tempo");
    }

    void showingWhileRunningKeepsTheDance()
    {
        chooseA49();
        window->startClicked();
        state.savedDanceIndex = 4;
        state.savedRoundIndex = -1;
        window->show();
        QCOMPARE(window->barsEdit->text(), QString("49"));
        QCOMPARE(window->durationEdit->text(), QString("90"));
        tickFor(90000);
        QVERIFY(!window->running());
        QCOMPARE(messages.warnings, QStringList());
    }

    void startRefusesWithoutADance_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("de") << 0 << "Sie müssen zuerst einen Tanz auswählen";
        QTest::newRow("en") << 1 << "Please select a dance first";
    }

    void startRefusesWithoutADance()
    {
        QFETCH(int, language);
        window->setLanguage(languageFromStored(language));
        choose(window->classGroup, 4);
        window->startClicked();
        QVERIFY(!window->running());
        QCOMPARE(window->startButton->text(), QString("Start (&1)"));
        QTEST(messages.warnings.value(0), "message");
    }

    void typedTempo_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("bars");
        QTest::addColumn<QStringList>("warnings");

        QTest::newRow("whole number") << "50"
                                      << "75" << QStringList();
        QTest::newRow("decimal point") << "48.5"
                                       << "72" << QStringList();
        QTest::newRow("unreadable") << "abc"
                                    << ""
                                    << QStringList{"Fehler bei Typumwandlung",
                                                   "Sie müssen eine gültige ganzzahlige Taktzahl angeben"};
        QTest::newRow("zero") << "0"
                              << "" << QStringList{"Sie müssen eine gültige ganzzahlige Taktzahl angeben"};
    }

    void typedTempo()
    {
        QFETCH(QString, typed);
        chooseA49();
        typeTempo(typed);
        window->barsEdited();
        QTEST(window->remainingBarsEdit->text(), "bars");
        QTEST(messages.warnings, "warnings");
    }

    void startTakesATempoTypedButNotLeft()
    {
        chooseA49();
        typeTempo("60");
        window->startClicked();
        QVERIFY(window->running());
        QCOMPARE(window->remainingBarsEdit->text(), QString("90"));
        tickFor(100);
        QCOMPARE(window->remainingBarsEdit->text(), QString("90")); // 89.9 s x 60/60 + the bar under way
    }

    void startRefusesAnUnreadableTempo()
    {
        chooseA49();
        typeTempo("-5");
        window->barsEdited();
        messages.clear();
        window->startClicked();
        QVERIFY(!window->running());
        QCOMPARE(messages.warnings, QStringList{"Sie müssen eine gültige ganzzahlige Taktzahl angeben"});
    }

    void runningLocksTheSelection()
    {
        chooseA49();
        window->startClicked();
        QCOMPARE(window->startButton->text(), QString("Stop (&1)"));
        QVERIFY(window->clockTimer->isEnabled());
        QVERIFY(!window->classGroup->isEnabled());
        QVERIFY(!window->roundGroup->isEnabled());
        QVERIFY(!window->barsEdit->isEnabled());
        window->startClicked();
        QCOMPARE(window->startButton->text(), QString("Start (&1)"));
        QVERIFY(!window->clockTimer->isEnabled());
        QVERIFY(window->classGroup->isEnabled() && window->roundGroup->isEnabled() && window->barsEdit->isEnabled());
    }

    void countdown_data()
    {
        QTest::addColumn<int>("ms");
        QTest::addColumn<QString>("remaining");
        QTest::addColumn<QList<int>>("lit");
        QTest::addColumn<int>("beeps");

        QTest::newRow("first tick: the bar under way counts") << 100 << "74" << QList<int>{} << 0;
        QTest::newRow("just before nine bars remain") << 78900 << "10" << QList<int>{} << 0;
        QTest::newRow("nine bars remain") << 79000 << "9" << QList<int>{9} << 1;
        QTest::newRow("fading starts") << 84000 << "5" << QList<int>{5} << 5;
        QTest::newRow("last bar") << 88800 << "1" << QList<int>{1} << 9;
        QTest::newRow("end") << 90000 << "0" << QList<int>{0} << 10;
    }

    void countdown()
    {
        QFETCH(int, ms);
        chooseA49();
        window->beepCheck->setChecked(true);
        window->startClicked();
        tickFor(ms);
        QTEST(window->remainingBarsEdit->text(), "remaining");
        QTEST(litDigits(), "lit");
        QTEST(beeps, "beeps");
    }

    void digitsGoBackToTheirOwnColours()
    {
        chooseA49();
        window->startClicked();
        tickFor(84000); // 5 lit, 6 back to green
        QCOMPARE(digitColour(*window, 6), kGreen);
        QCOMPARE(digitColour(*window, 5), kOrange);
        tickFor(1300); // 4 lit, 5 back to yellow
        QCOMPARE(digitColour(*window, 5), kYellow);
        QCOMPARE(digitColour(*window, 0), kRed);
    }

    void noBeepWithoutTheCheckBox()
    {
        chooseA49();
        window->startClicked();
        tickFor(90000);
        QCOMPARE(litDigits(), QList<int>{0});
        QCOMPARE(beeps, 0);
    }

    void theClockStopsItselfAtTheEnd()
    {
        chooseA49();
        window->startClicked();
        tickFor(90000);
        QVERIFY(!window->running());
        QVERIFY(!window->clockTimer->isEnabled());
        QCOMPARE(window->startButton->text(), QString("Start (&1)"));
        QVERIFY(window->classGroup->isEnabled());
        QCOMPARE(window->timeEdit->text(), QString("90,0"));
    }

    // The next round, chosen without a Reset, gets a countdown of its own.
    void startingAfterTheEndBeginsANewCountdown()
    {
        chooseA49();
        window->beepCheck->setChecked(true);
        window->startClicked();
        tickFor(90000);
        choose(window->classGroup, 4);
        choose(window->roundGroup, 0); // B-Klasse, Fußtechnik: 50-52 bars a minute, 60 s
        window->startClicked();
        QVERIFY(window->running());
        QCOMPARE(litDigits(), QList<int>{});
        tickFor(100);
        QCOMPARE(window->timeEdit->text(), QString("0,1"));
        QCOMPARE(window->remainingBarsEdit->text(), QString("51"));
        tickFor(60000);
        QVERIFY(!window->running());
        QCOMPARE(litDigits(), QList<int>{0});
        QCOMPARE(beeps, 20);
    }

    void startingAgainAfterTheEndOfTheSameRoundCountsAnew()
    {
        chooseA49();
        window->startClicked();
        tickFor(90000);
        window->startClicked();
        tickFor(100);
        QVERIFY(window->running());
        QCOMPARE(window->timeEdit->text(), QString("0,1"));
        QCOMPARE(window->remainingBarsEdit->text(), QString("74"));
    }

    void showsTheClassAndRoundInUse_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("danceClass");
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("shown");
        QTest::newRow("class with round") << 0 << 5 << 1 << "Uhr für: A-Klasse, Akrobatik";
        QTest::newRow("class without rounds") << 0 << 3 << -1 << "Uhr für: C-Klasse";
        QTest::newRow("English") << 1 << 4 << 0 << "Clock for: B Class, foot technique";
        QTest::newRow("round not chosen yet") << 0 << 4 << -1 << "";
    }

    void showsTheClassAndRoundInUse()
    {
        QFETCH(int, flag);
        QFETCH(int, danceClass);
        QFETCH(int, round);
        choose(window->classGroup, danceClass); // looked up in the German table
        if (round >= 0)
            choose(window->roundGroup, round);
        window->setLanguage(languageFromStored(flag));
        QTEST(window->danceLabel->text(), "shown");
        // Another discipline chosen elsewhere clears the choices, not the dance the clock would use.
        state.savedTypeIndex = 2;
        window->hide();
        window->show();
        QTEST(window->danceLabel->text(), "shown");
    }

    void lateTickLightsTheCurrentBar()
    {
        chooseA49();
        window->startClicked();
        tickFor(78000);
        clock.advanceMs(4000); // the user-interface thread was held up
        window->clockTimerFired();
        QCOMPARE(window->remainingBarsEdit->text(), QString("7"));
        QCOMPARE(litDigits(), QList<int>{7});
        tickFor(10000);
        QCOMPARE(litDigits(), QList<int>{0});
    }

    void stopAndResume()
    {
        chooseA49();
        window->startClicked();
        tickFor(10000);
        window->startClicked();
        clock.advanceMs(5000);
        window->startClicked();
        tickFor(100);
        QCOMPARE(window->timeEdit->text(), QString("10,1"));
    }

    void resetBeforeAnyRunChangesNothing()
    {
        chooseA49();
        statusBar->setPanelText(6, "Zeit: 12,0");
        window->resetClicked();
        QCOMPARE(window->timeEdit->text(), QString("0.0"));
        QCOMPARE(statusBar->panelText(6), QString("Zeit: 12,0"));
    }

    void resetAfterARun()
    {
        chooseA49();
        window->startClicked();
        tickFor(85000);
        window->resetClicked();
        QVERIFY(!window->running());
        QVERIFY(!window->clockTimer->isEnabled());
        QCOMPARE(window->startButton->text(), QString("Start (&1)"));
        QCOMPARE(window->timeEdit->text(), QString("0,0"));
        QCOMPARE(window->remainingBarsEdit->text(), QString("73"));
        QCOMPARE(litDigits(), QList<int>{});
        QVERIFY(window->fade().atZero());
        window->startClicked();
        tickFor(79000);
        QCOMPARE(litDigits(), QList<int>{9});
    }

    void statusPanel_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("panel");
        QTest::newRow("de") << 0 << "Zeit: 0,1";
        QTest::newRow("en") << 1 << "Time: 0,1";
    }

    void statusPanel()
    {
        QFETCH(int, language);
        state.language = languageFromStored(language);
        chooseA49();
        window->startClicked();
        useLanguage(state.language); // the program's language, which the status bar speaks
        tickFor(100);
        QTEST(statusBar->panelText(6), "panel");
        QCOMPARE(statusBar->panelText(3), QString()); // the first couple's of the three-couple window
    }

    void languageTexts_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("de") << 0
                            << QStringList{"Zurücksetzen (&2)",
                                           "Verbleibende Takte:",
                                           "Turniermusik",
                                           "gleichmäßig ausblenden",
                                           "Ende",
                                           "Takte &pro Minute:",
                                           "Dauer:",
                                           "Sek.",
                                           "Akustisches &Signal",
                                           "&Klasse",
                                           "Schüler|A-Klasse",
                                           "R&unde",
                                           "Beintechnik|Akrobatik",
                                           "H&ilfe"};
        QTest::newRow("en") << 1 << QStringList{"Reset (&2)",
                                                "Remaining bars:",
                                                "comp. music",
                                                "faded constantly",
                                                "End",
                                                "Bars per &minute:",
                                                "Dur.:",
                                                "sec.",
                                                "Bee&p",
                                                "&Class",
                                                "Youth|A Class",
                                                "&Round",
                                                "foot technique|acrobatics",
                                                "He&lp"};
    }

    void languageTexts()
    {
        QFETCH(int, flag);
        chooseA49();
        window->setLanguage(languageFromStored(1 - flag));
        rules.table(Discipline::RnR).source = "reloaded";
        window->setLanguage(languageFromStored(flag));
        QCOMPARE(window->infoLabel->text(), QString("reloaded"));
        const auto& w = *window;
        const QStringList texts{w.resetButton->text(),
                                w.remainingBarsLabel->text(),
                                w.lastFourGroup->title(),
                                w.fiveToEightGroup->title(),
                                w.ninthGroup->title(),
                                w.barsLabel->text(),
                                w.durationLabel->text(),
                                w.secondsLabel->text(),
                                w.beepCheck->text(),
                                w.classGroup->title(),
                                w.classGroup->itemText(0) + "|" + w.classGroup->itemText(5),
                                w.roundGroup->title(),
                                w.roundGroup->items().join("|"),
                                w.helpButton->text()};
        QTEST(texts, "texts");
        QCOMPARE(w.timeGroup->title(), QString(flag == 1 ? "T&ime" : "&Zeit"));
        QCOMPARE(w.timeUnitLabel->text(), QString("sec."));
        QCOMPARE(w.classGroup->itemIndex(), 5);
        QCOMPARE(w.roundGroup->itemIndex(), 1);
    }

    void helpButton_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("shown");
        QTest::newRow("de") << 0
                            << "Rock'n'Roll ausblenden|" +
                                   QDir::toNativeSeparators("/opt/vantor/de/RnRAusblendenHelp.rtf");
        QTest::newRow("en") << 1
                            << "Fade music (Rock'n'Roll)|" +
                                   QDir::toNativeSeparators("/opt/vantor/en/RnRAusblendenHelp.rtf");
    }

    void helpButton()
    {
        QFETCH(int, flag);
        window->setLanguage(languageFromStored(flag));
        window->helpButton->click();
        QTEST(help.shown.value(0), "shown");
    }

    void everyClassAndRoundCountsBarsFromTheDeliveredFiles_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("folder");
        QTest::newRow("de") << 0 << "de";
        QTest::newRow("en") << 1 << "en";
    }

    void everyClassAndRoundCountsBarsFromTheDeliveredFiles()
    {
        QFETCH(int, flag);
        QFETCH(QString, folder);
        const QString dataDir = qEnvironmentVariable("VANTOR_DATA_DIR");
        if (dataDir.isEmpty())
            QSKIP("VANTOR_DATA_DIR is not set");
        const FileResult loaded = loadRuleTables(rules, QDir(dataDir).filePath(folder));
        QVERIFY2(loaded.ok(), qPrintable(loaded.error));
        window->setLanguage(languageFromStored(flag));

        QStringList counted;
        for (int danceClass = 0; danceClass < window->classGroup->count(); ++danceClass) {
            choose(window->classGroup, danceClass);
            const int rounds = window->roundGroup->isHidden() ? 1 : window->roundGroup->count();
            for (int round = 0; round < rounds; ++round) {
                if (!window->roundGroup->isHidden())
                    choose(window->roundGroup, round);
                counted << window->barsEdit->text() + "/" + window->durationEdit->text() + "/" +
                               window->remainingBarsEdit->text();
            }
        }
        // The B and A classes: foot technique 50-52 in 60 s, acrobatics 48-50 in 90 s.
        const QStringList expected{"47,5/90/71", "47,5/90/71", "48,5/90/72", "48/90/72",
                                   "51/60/51",   "49/90/73",   "51/60/51",   "49/90/73"};
        QCOMPARE(counted, expected);
        QCOMPARE(messages.warnings, QStringList());
    }
};

QTEST_MAIN(TestRnRFade)
#include "tst_rnr_fade.moc"
