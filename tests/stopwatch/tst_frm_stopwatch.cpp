#include "RecordingHelp.h"
#include "stopwatch/FrmStopwatch.h"
#include "common/HelpViewer.h"
#include "ManualClock.h"
#include "stopwatch/PimStopWatch.h"
#include "common/ProgramState.h"
#include "RecordingMessages.h"
#include "widgets/StatusPanels.h"
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

// The stopwatches' ticks are called directly with a set clock.
class TestFrmStopwatch : public QObject {
    Q_OBJECT

private:
    ManualClock clock;
    RecordingMessages messages;
    RecordingHelp help;
    ProgramState state;
    std::unique_ptr<StatusPanels> statusBar;
    std::unique_ptr<TFrmStopwatch> window;

    TPimStopWatch* couple(int index) const { return std::array{window->SW1, window->SW2, window->SW3}[index]; }

    void tickAllAfter(int ms)
    {
        clock.advanceMs(ms);
        for (int index = 0; index < 3; ++index)
            if (couple(index)->timing())
                couple(index)->TimerTimer();
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
        state.ProgramFolder = "/opt/vantor/";
        state.Zeitformat = TimeFormat::Seconds;
        statusBar = std::make_unique<StatusPanels>(7, 100);
        for (int panel = 0; panel < 3; ++panel)
            statusBar->setPanelText(panel, QStringLiteral("Paar %1:").arg(panel + 1));
        window = std::make_unique<TFrmStopwatch>(state);
        QObject::connect(window.get(), &EmbeddedForm::statusTextChanged, statusBar.get(), &StatusPanels::setPanelText);
    }

    void cleanup()
    {
        window.reset();
        UseLanguage(Language::German);
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
        window->SetLanguage(LanguageFromStored(1 - flag));
        window->SetLanguage(LanguageFromStored(flag));
        QCOMPARE(QStringList({window->BT_Help->text(), window->BT_StartAll->text(), window->BT_StopAll->text(),
                              window->BT_ResetAll->text()}),
                 buttons);
        QCOMPARE(QStringList({window->SW1->title(), window->SW2->title(), window->SW3->title()}), couples);
        QCOMPARE(window->SW3->Reset->text(), resetOfCouple3);
        QCOMPARE(window->SW2->Start->text(), QStringLiteral("Start (&2)"));
    }

    void startAllAndStopAllLeaveTheOthersAlone()
    {
        window->SW2->DoStartStop();
        tickAllAfter(4000);
        window->BT_StartAllClick();
        tickAllAfter(1000);
        QCOMPARE(panels(), QStringList({"Paar 1: 1.0", "Paar 2: 5.0", "Paar 3: 1.0"}));
        window->SW1->DoStartStop();
        clock.advanceMs(500);
        window->BT_StopAllClick();
        QCOMPARE(panels(), QStringList({"Paar 1: 1.0", "Paar 2: 5.5", "Paar 3: 1.5"}));
        for (int index = 0; index < 3; ++index)
            QVERIFY(!couple(index)->timing());
    }

    void resetAllStopsAndZeroesEveryStartedStopwatch()
    {
        window->BT_StartAllClick();
        tickAllAfter(2000);
        window->BT_ResetAllClick();
        for (int index = 0; index < 3; ++index) {
            QVERIFY(!couple(index)->timing());
            QCOMPARE(couple(index)->MyEdit->text(), QStringLiteral("0.0"));
        }
        QCOMPARE(panels(), QStringList({"Paar 1: 0.0", "Paar 2: 0.0", "Paar 3: 0.0"}));
        // Each starts from zero again.
        window->BT_StartAllClick();
        tickAllAfter(300);
        QCOMPARE(window->SW2->MyEdit->text(), QStringLiteral("0.3"));
    }

    void resetAllKeepsTheInitialTextOfANeverStartedCouple()
    {
        window->SW1->DoStartStop();
        tickAllAfter(700);
        window->BT_ResetAllClick();
        QCOMPARE(panels(), QStringList({"Paar 1: 0.0", "Paar 2:", "Paar 3:"}));
    }

    void statusPanelFollowsTheProgramLanguage_data()
    {
        QTest::addColumn<int>("sprache");
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
        QFETCH(int, sprache);
        QFETCH(int, couple);
        QFETCH(QString, expected);
        // The label follows the program's language from its next reading on.
        window->SetLanguage(LanguageFromStored(1 - sprache));
        this->couple(couple)->DoStartStop();
        tickAllAfter(1000);
        state.Sprache = LanguageFromStored(sprache);
        UseLanguage(state.Sprache);
        tickAllAfter(1000);
        QCOMPARE(statusBar->panelText(couple), expected);
        for (int other = 0; other < 3; ++other)
            if (other != couple)
                QCOMPARE(statusBar->panelText(other), QStringLiteral("Paar %1:").arg(other + 1));
    }

    void aForeignSenderChangesNoPanel()
    {
        TPimStopWatch stranger(clock);
        window->SW1TimeChange(&stranger, "9.9");
        window->SW1TimeChange(nullptr, "9.9");
        QCOMPARE(panels(), QStringList({"Paar 1:", "Paar 2:", "Paar 3:"}));
    }

    void timeFormatReachesEveryStopwatch()
    {
        window->BT_StartAllClick();
        tickAllAfter(75000);
        window->TimeFormatChanged(TimeFormat::MinutesSeconds);
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(couple(index)->MyLabel->text(), QStringLiteral("mm:ss"));
            QCOMPARE(couple(index)->MyEdit->text(), QStringLiteral("01:15"));
        }
        QCOMPARE(statusBar->panelText(1), QStringLiteral("Paar 2: 01:15"));
        window->TimeFormatChanged(TimeFormat::Seconds);
        QCOMPARE(window->SW3->MyEdit->text(), QStringLiteral("75.0"));
    }

    void storedMinutesFormatAppliesFromTheStart()
    {
        state.Zeitformat = TimeFormat::MinutesSeconds;
        window = std::make_unique<TFrmStopwatch>(state);
        QObject::connect(window.get(), &EmbeddedForm::statusTextChanged, statusBar.get(), &StatusPanels::setPanelText);
        window->BT_StartAllClick();
        tickAllAfter(75000);
        for (int index = 0; index < 3; ++index) {
            QCOMPARE(couple(index)->MyLabel->text(), QStringLiteral("mm:ss"));
            QCOMPARE(couple(index)->MyEdit->text(), QStringLiteral("01:15"));
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
        window->SetLanguage(LanguageFromStored(flag));
        QTest::mouseClick(window->BT_Help, Qt::LeftButton);
        QCOMPARE(help.shown, QStringList{QDir::toNativeSeparators(expected)});
    }
};

QTEST_MAIN(TestFrmStopwatch)
#include "tst_frm_stopwatch.moc"
