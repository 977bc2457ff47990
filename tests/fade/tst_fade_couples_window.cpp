#include "fade_couples_fixture.h"
#include "fade/LampLook.h"
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The couples' ticks are called directly with a set clock.
class TestFadeCouplesWindow : public QObject {
    Q_OBJECT

private:
    static QList<QColor> lamps(const FadeCouple& couple)
    {
        return {couple.redLamp->brushColor(), couple.amberLamp->brushColor(), couple.greenLamp->brushColor()};
    }
    static QList<QColor> lit(LampState state)
    {
        const LampColors colors = colorsOf(state);
        return {colors.red, colors.yellow, colors.green};
    }

private slots:
    void lampsAndProjectorDigitsFollowTheDancingTime()
    {
        FadeCouplesFixture f;
        f.chooseDance(90, 120);
        f.window->startClicked(2);
        f.tickAfter(100);
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Green));
        QCOMPARE(f.projector->clockLamp(2), LampState::Green);
        f.tickAfter(89900); // 90,0 s: not yet past the minimum
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Green));
        f.tickAfter(100);
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Amber));
        QCOMPARE(f.projector->clockLamp(2), LampState::Amber);
        f.tickAfter(30000);
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Red));
        QCOMPARE(f.projector->clockLamp(2), LampState::Red);
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Null));
        f.window->resetClicked();
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Null));
        QCOMPARE(f.projector->clockLamp(2), LampState::Null);
    }

    void startNeedsACompleteSelection_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dance");
        QTest::addColumn<int>("round");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("warning");
        const QString german = QStringLiteral("Sie müssen zuerst einen Tanz auswählen");
        QTest::newRow("no dance") << 5 << -1 << -1 << 0 << QString();
        QTest::newRow("nothing chosen") << -1 << -1 << -1 << 0 << german;
        QTest::newRow("no dance chosen") << 3 << -1 << -1 << 0 << german;
        QTest::newRow("dance, no round asked") << 3 << 1 << -1 << 0 << QString();
        QTest::newRow("round asked, none chosen") << 0 << 1 << -1 << 0 << german;
        QTest::newRow("round chosen") << 0 << 1 << 0 << 0 << QString();
        QTest::newRow("english") << 3 << -1 << -1 << 1 << QStringLiteral("Please select a dance first");
    }

    void startNeedsACompleteSelection()
    {
        QFETCH(int, type);
        QFETCH(int, dance);
        QFETCH(int, round);
        QFETCH(int, language);
        QFETCH(QString, warning);
        FadeCouplesFixture f;
        f.selection.chooseType(type);
        f.selection.chooseDance(dance);
        f.selection.chooseRound(round);
        f.window->setLanguage(languageFromStored(language));
        f.window->startClicked(1);
        QCOMPARE(f.messages.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
        QCOMPARE(f.runs(1), warning.isEmpty());
    }

    void danceSelectionLockedWhileAnyClockRuns()
    {
        FadeCouplesFixture f;
        f.chooseDance(90, 120);
        const auto unlocked = [&] { return !f.selection.locked(); };
        const auto locked = [&] { return f.selection.locked(); };
        f.window->startClicked(1);
        f.window->startClicked(2);
        QVERIFY(locked());
        QCOMPARE(f.window->couple(1).startButton->text(), QStringLiteral("Stop (&1)"));
        f.window->startClicked(1);
        QVERIFY(locked());
        QCOMPARE(f.window->couple(1).startButton->text(), QStringLiteral("Start (&1)"));
        f.window->startClicked(2);
        QVERIFY(unlocked());
        f.window->startClicked(3);
        QVERIFY(locked());
        f.window->resetClicked();
        QVERIFY(unlocked());
        QCOMPARE(f.window->couple(3).startButton->text(), QStringLiteral("Start (&3)"));
    }

    void startResumesFromTheStoppedReading()
    {
        FadeCouplesFixture f;
        f.chooseDance(90, 120);
        f.window->startClicked(1);
        f.tickAfter(10000);
        f.window->startClicked(1);
        f.clock.advanceMs(100000);
        f.window->startClicked(1);
        f.tickAfter(5000);
        QCOMPARE(f.edit(1), QStringLiteral("15,0"));
    }

    void stopShowsTheStoppedReadingNotTheLastTick()
    {
        FadeCouplesFixture f;
        f.chooseDance(90, 120);
        f.window->startClicked(1);
        f.tickAfter(14900);
        f.clock.advanceMs(100);
        f.window->startClicked(1);
        QCOMPARE(f.edit(1), QStringLiteral("15,0"));
        QCOMPARE(f.statusBar->panelText(3), QStringLiteral("Zeit 1: 15,0"));
    }

    // Couple 2 runs at 61.24 s, couple 1 is reset, couple 3 stopped at 50 s.
    void timeFormatSwitchRedrawsAtOnce()
    {
        FadeCouplesFixture f;
        f.chooseDance(90, 120);
        f.window->startClicked(2);
        f.window->startClicked(3);
        f.tickAfter(50000);
        f.window->startClicked(3);
        f.clock.advanceMs(11240);

        f.state.timeFormat = TimeFormat::MinutesSeconds;
        f.window->timeFormatChanged(TimeFormat::MinutesSeconds);
        QCOMPARE(f.window->couple(1).unitLabel->text(), QStringLiteral("mm:ss"));
        QCOMPARE(f.edit(1), QStringLiteral("00:00"));
        QCOMPARE(f.edit(2), QStringLiteral("01:01"));
        QCOMPARE(f.edit(3), QStringLiteral("00:50"));
        QCOMPARE(f.statusBar->panelText(4), QStringLiteral("Zeit 2: 01:01"));

        f.state.timeFormat = TimeFormat::Seconds;
        f.window->timeFormatChanged(TimeFormat::Seconds);
        QCOMPARE(f.window->couple(3).unitLabel->text(), QStringLiteral("sec."));
        QCOMPARE(f.edit(1), QStringLiteral("0,0"));
        QCOMPARE(f.edit(2), QStringLiteral("61,2"));
        QCOMPARE(f.edit(3), QStringLiteral("50,0"));

        f.window->startClicked(3);
        f.tickAfter(1000);
        QCOMPARE(f.edit(3), QStringLiteral("51,0"));
    }

    void unitsAndIdleClocksFollowTheStoredFormat()
    {
        FadeCouplesFixture f(2);
        QCOMPARE(f.window->couple(2).unitLabel->text(), QStringLiteral("mm:ss"));
        QCOMPARE(f.edit(2), QStringLiteral("00:00"));
        // The status bar keeps its start-up text until a clock changes.
        QCOMPARE(f.statusBar->panelText(4), QString());
    }

    void resetWritesTheIdleTextOfTheFormat_data()
    {
        QTest::addColumn<int>("timeFormat");
        QTest::addColumn<QString>("idle");
        QTest::newRow("seconds") << 1 << QStringLiteral("0,0");
        QTest::newRow("minutes") << 2 << QStringLiteral("00:00");
    }

    void resetWritesTheIdleTextOfTheFormat()
    {
        QFETCH(int, timeFormat);
        QFETCH(QString, idle);
        FadeCouplesFixture f(timeFormat);
        f.chooseDance(90, 120);
        for (int couple = 1; couple <= 3; ++couple)
            f.window->startClicked(couple);
        f.tickAfter(3000);
        f.window->resetClicked();
        for (int couple = 1; couple <= 3; ++couple) {
            QCOMPARE(f.edit(couple), idle);
            QVERIFY(!f.runs(couple));
            QCOMPARE(f.statusBar->panelText(couple + 2), QStringLiteral("Zeit %1: ").arg(couple) + idle);
        }
        // After a reset a start counts from zero again.
        f.window->startClicked(1);
        f.tickAfter(1000);
        QCOMPARE(f.edit(1), timeFormat == 1 ? QStringLiteral("1,0") : QStringLiteral("00:01"));
    }

    void statusPanelsCarryTheClocksInTheProgramsLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("panel5");
        QTest::newRow("german") << 0 << QStringLiteral("Zeit 3: 2,5");
        QTest::newRow("english") << 1 << QStringLiteral("Time 3: 2,5");
    }

    void statusPanelsCarryTheClocksInTheProgramsLanguage()
    {
        QFETCH(int, language);
        FadeCouplesFixture f;
        f.state.language = languageFromStored(language);
        useLanguage(f.state.language);
        f.chooseDance(90, 120);
        f.statusBar->setPanelText(3, QStringLiteral("Rock'n'Roll"));
        f.window->startClicked(3);
        f.tickAfter(2500);
        QTEST(f.statusBar->panelText(5), "panel5");
        QCOMPARE(f.statusBar->panelText(3), QStringLiteral("Rock'n'Roll"));
    }

    void withoutADanceTheLampsStayAsTheyAre()
    {
        FadeCouplesFixture f;
        f.chooseDance(90, 120);
        f.window->startClicked(1);
        for (const double ms : {100.0, 91000.0, 30000.0})
            f.tickAfter(ms);
        f.window->startClicked(1);
        f.selection.chooseType(FadeCouplesFixture::NoDance);
        f.window->startClicked(2);
        f.tickAfter(100);
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Null));
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Red));
        // A reset still puts every light out: red over a zero clock would mislead.
        f.window->resetClicked();
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Null));
        QCOMPARE(f.projector->clockLamp(1), LampState::Null);
    }

    // At the start no dance was ever chosen: the clock runs, the program does not hang on the lamps.
    void noDanceEverChosenLeavesTheLampsOut()
    {
        FadeCouplesFixture f;
        f.selection.chooseType(FadeCouplesFixture::NoDance);
        f.window->startClicked(1);
        f.tickAfter(100);
        f.tickAfter(200);
        QCOMPARE(f.edit(1), QStringLiteral("0,3"));
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Null));
    }

    void languageAndHelp_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("group3");
        QTest::addColumn<QString>("beamerAll");
        QTest::addColumn<QString>("help");
        QTest::addColumn<QString>("coupleProjector");
        QTest::newRow("german") << 0 << "letztes Paar"
                                << "Beamer (a&lle Uhren)"
                                << "Latein/Standard/Boogie ausblenden|/opt/vantor/de/LateinAusblendenHelp.rtf"
                                << "Beamer &5";
        QTest::newRow("english") << 1 << "last couple"
                                 << "Pro&jector (all clocks)"
                                 << "Fade music (Latin/Standard/Boogie)|/opt/vantor/en/LateinAusblendenHelp.rtf"
                                 << "Projector &5";
    }

    void languageAndHelp()
    {
        QFETCH(int, language);
        FadeCouplesFixture f;
        f.window->setLanguage(languageFromStored(language));
        QTEST(f.window->couple(3).group->title(), "group3");
        QTEST(f.window->projectorAllButton->text(), "beamerAll");
        QTEST(f.window->couple(2).projectorButton->text(), "coupleProjector");
        f.window->helpButton->click();
        QTEST(f.help.shown.value(0), "help");
    }
};

QTEST_MAIN(TestFadeCouplesWindow)
#include "tst_fade_couples_window.moc"
