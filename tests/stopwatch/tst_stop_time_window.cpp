#include "RecordingHelp.h"
#include "TableWindow.h"
#include "stopwatch/StopTimeWindow.h"
#include "common/HelpViewer.h"
#include "ManualClock.h"
#include "stopwatch/StopwatchControl.h"
#include "common/ProgramState.h"
#include "RecordingMessages.h"
#include "widgets/StatusPanels.h"
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

// The stopwatches' ticks are called directly with a set clock.
class TestStopTimeWindow : public QObject {
    Q_OBJECT

private:
    ManualClock clock;
    RecordingMessages messages;
    RecordingHelp help;
    ProgramState state;
    std::unique_ptr<StatusPanels> statusBar;
    std::unique_ptr<StopTimeWindow> window;

    StopwatchControl* couple(int index) const
    {
        return std::array{window->coupleOne, window->coupleTwo, window->coupleThree}[index];
    }

    void tickAllAfter(int ms)
    {
        clock.advanceMs(ms);
        for (int index = 0; index < 3; ++index)
            if (couple(index)->timing())
                couple(index)->clockTimerFired();
    }

    QStringList panels() const { return {statusBar->panelText(0), statusBar->panelText(1), statusBar->panelText(2)}; }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        messages.clear();
        help.shown.clear();
        state = ProgramState();
        state.clock = &clock;
        state.messages = &messages;
        state.help = &help;
        state.programFolder = "/opt/vantor/";
        state.timeFormat = TimeFormat::Seconds;
        statusBar = std::make_unique<StatusPanels>(7, 100);
        for (int panel = 0; panel < 3; ++panel)
            statusBar->setPanelText(panel, QStringLiteral("Paar %1:").arg(panel + 1));
        window.reset(MakeTableWindow<StopTimeWindow>(EmbeddedWindow::StopTime, state));
        QObject::connect(window.get(), &EmbeddedForm::statusTextChanged, statusBar.get(), &StatusPanels::setPanelText);
    }

    void cleanup()
    {
        window.reset();
        useLanguage(Language::German);
    }

    void captions_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("couples");
        QTest::addColumn<QString>("resetOfCouple3");
        QTest::newRow("German") << 0 << QStringList{"H&ilfe", "alle &starten", "alle a&nhalten", "alle &zurücksetzen"}
                                << QStringList{"Paar 1", "Paar 2", "Paar 3"} << "Zurücksetzen (&6)";
        QTest::newRow("English") << 1 << QStringList{"He&lp", "&start all", "sto&p all", "&reset all"}
                                 << QStringList{"First couple", "Second couple", "Third couple"} << "Reset (&6)";
    }

    void captions()
    {
        QFETCH(int, flag);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, couples);
        QFETCH(QString, resetOfCouple3);
        window->setLanguage(languageFromStored(1 - flag));
        window->setLanguage(languageFromStored(flag));
        QCOMPARE(QStringList({window->helpButton->text(), window->startAllButton->text(), window->stopAllButton->text(),
                              window->resetAllButton->text()}),
                 buttons);
        QCOMPARE(QStringList({window->coupleOne->title(), window->coupleTwo->title(), window->coupleThree->title()}),
                 couples);
        QCOMPARE(window->coupleThree->resetButton->text(), resetOfCouple3);
        QCOMPARE(window->coupleTwo->startButton->text(), QStringLiteral("Start (&2)"));
    }

    void startAllAndStopAllLeaveTheOthersAlone()
    {
        window->coupleTwo->startOrStop();
        tickAllAfter(4000);
        window->startAllClicked();
        tickAllAfter(1000);
        QCOMPARE(panels(), QStringList({"Paar 1: 1.0", "Paar 2: 5.0", "Paar 3: 1.0"}));
        window->coupleOne->startOrStop();
        clock.advanceMs(500);
        window->stopAllClicked();
        QCOMPARE(panels(), QStringList({"Paar 1: 1.0", "Paar 2: 5.5", "Paar 3: 1.5"}));
        for (int index = 0; index < 3; ++index)
            QVERIFY(!couple(index)->timing());
    }

    void resetAllStopsAndZeroesEveryStartedStopwatch()
    {
        window->startAllClicked();
        tickAllAfter(2000);
        window->resetAllClicked();
        for (int index = 0; index < 3; ++index) {
            QVERIFY(!couple(index)->timing());
            QCOMPARE(couple(index)->readingLabel->text(), QStringLiteral("0.0"));
        }
        QCOMPARE(panels(), QStringList({"Paar 1: 0.0", "Paar 2: 0.0", "Paar 3: 0.0"}));
        // Each starts from zero again.
        window->startAllClicked();
        tickAllAfter(300);
        QCOMPARE(window->coupleTwo->readingLabel->text(), QStringLiteral("0.3"));
    }

    void resetAllKeepsTheInitialTextOfANeverStartedCouple()
    {
        window->coupleOne->startOrStop();
        tickAllAfter(700);
        window->resetAllClicked();
        QCOMPARE(panels(), QStringList({"Paar 1: 0.0", "Paar 2:", "Paar 3:"}));
    }

    void statusPanelFollowsTheProgramLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("couple");
        QTest::addColumn<QString>("expected");
        for (int index = 0; index < 3; ++index) {
            const QByteArray n = QByteArray::number(index + 1);
            QTest::newRow("German " + n) << 0 << index << QStringLiteral("Paar %1: 2.0").arg(index + 1);
            QTest::newRow("English " + n) << 1 << index << QStringLiteral("Couple %1: 2.0").arg(index + 1);
        }
    }

    void statusPanelFollowsTheProgramLanguage()
    {
        QFETCH(int, language);
        QFETCH(int, couple);
        QFETCH(QString, expected);
        // The label follows the program's language from its next reading on.
        window->setLanguage(languageFromStored(1 - language));
        this->couple(couple)->startOrStop();
        tickAllAfter(1000);
        state.language = languageFromStored(language);
        useLanguage(state.language);
        tickAllAfter(1000);
        QCOMPARE(statusBar->panelText(couple), expected);
        for (int other = 0; other < 3; ++other)
            if (other != couple)
                QCOMPARE(statusBar->panelText(other), QStringLiteral("Paar %1:").arg(other + 1));
    }

    void aForeignSenderChangesNoPanel()
    {
        StopwatchControl stranger(clock);
        window->coupleTimeChanged(&stranger, "9.9");
        window->coupleTimeChanged(nullptr, "9.9");
        QCOMPARE(panels(), QStringList({"Paar 1:", "Paar 2:", "Paar 3:"}));
    }

    void timeFormatReachesEveryStopwatch()
    {
        window->startAllClicked();
        tickAllAfter(75000);
        window->timeFormatChanged(TimeFormat::MinutesSeconds);
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(couple(index)->unitLabel->text(), QStringLiteral("mm:ss"));
            QCOMPARE(couple(index)->readingLabel->text(), QStringLiteral("01:15"));
        }
        QCOMPARE(statusBar->panelText(1), QStringLiteral("Paar 2: 01:15"));
        window->timeFormatChanged(TimeFormat::Seconds);
        QCOMPARE(window->coupleThree->readingLabel->text(), QStringLiteral("75.0"));
    }

    void storedMinutesFormatAppliesFromTheStart()
    {
        state.timeFormat = TimeFormat::MinutesSeconds;
        window.reset(MakeTableWindow<StopTimeWindow>(EmbeddedWindow::StopTime, state));
        QObject::connect(window.get(), &EmbeddedForm::statusTextChanged, statusBar.get(), &StatusPanels::setPanelText);
        window->startAllClicked();
        tickAllAfter(75000);
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(couple(index)->unitLabel->text(), QStringLiteral("mm:ss"));
            QCOMPARE(couple(index)->readingLabel->text(), QStringLiteral("01:15"));
        }
    }

    void helpButton_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German") << 0 << "Zeit bestimmen|/opt/vantor/de/ZeitBestimmenHelp.rtf";
        QTest::newRow("English") << 1 << "Stop time|/opt/vantor/en/ZeitBestimmenHelp.rtf";
    }

    void helpButton()
    {
        QFETCH(int, flag);
        QFETCH(QString, expected);
        window->setLanguage(languageFromStored(flag));
        QTest::mouseClick(window->helpButton, Qt::LeftButton);
        QCOMPARE(help.shown, QStringList{QDir::toNativeSeparators(expected)});
    }
};

QTEST_MAIN(TestStopTimeWindow)
#include "tst_stop_time_window.moc"
