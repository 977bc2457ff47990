#include "fade_latein_fixture.h"
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The couples' ticks are called directly with a set clock.
class TestFrmMusikAusblendenLatein : public QObject {
    Q_OBJECT

private:
    static QList<QColor> lamps(const FadeCouple& couple)
    {
        return {couple.Rot->brushColor(), couple.Gelb->brushColor(), couple.Gruen->brushColor()};
    }
    static QList<QColor> lit(LampState state)
    {
        const LampColors colors = ColorsOf(state);
        return {colors.red, colors.yellow, colors.green};
    }

private slots:
    void lampsAndProjectorDigitsFollowTheDancingTime()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(2);
        f.tickAfter(100);
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Gruen));
        QCOMPARE(f.beamer->clockLamp(2), LampState::Gruen);
        f.tickAfter(89900); // 90,0 s: not yet past the minimum
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Gruen));
        f.tickAfter(100);
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Gelb));
        QCOMPARE(f.beamer->clockLamp(2), LampState::Gelb);
        f.tickAfter(30000);
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Rot));
        QCOMPARE(f.beamer->clockLamp(2), LampState::Rot);
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Null));
        f.window->BT_ResetClick();
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Null));
        QCOMPARE(f.beamer->clockLamp(2), LampState::Null);
    }

    void startNeedsACompleteSelection_data()
    {
        QTest::addColumn<int>("typ");
        QTest::addColumn<int>("tanz");
        QTest::addColumn<int>("runde");
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
        QFETCH(int, typ);
        QFETCH(int, tanz);
        QFETCH(int, runde);
        QFETCH(int, language);
        QFETCH(QString, warning);
        FadeLateinFixture f;
        f.selection.chooseType(typ);
        f.selection.chooseDance(tanz);
        f.selection.chooseRound(runde);
        f.window->SetLanguage(LanguageFromStored(language));
        f.window->StartClick(1);
        QCOMPARE(f.messages.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
        QCOMPARE(f.runs(1), warning.isEmpty());
    }

    void danceSelectionLockedWhileAnyClockRuns()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        const auto unlocked = [&] { return !f.selection.locked(); };
        const auto locked = [&] { return f.selection.locked(); };
        f.window->StartClick(1);
        f.window->StartClick(2);
        QVERIFY(locked());
        QCOMPARE(f.window->couple(1).Start->text(), QStringLiteral("Stop (&1)"));
        f.window->StartClick(1);
        QVERIFY(locked());
        QCOMPARE(f.window->couple(1).Start->text(), QStringLiteral("Start (&1)"));
        f.window->StartClick(2);
        QVERIFY(unlocked());
        f.window->StartClick(3);
        QVERIFY(locked());
        f.window->BT_ResetClick();
        QVERIFY(unlocked());
        QCOMPARE(f.window->couple(3).Start->text(), QStringLiteral("Start (&3)"));
    }

    void startResumesFromTheStoppedReading()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(1);
        f.tickAfter(10000);
        f.window->StartClick(1);
        f.clock.advanceMs(100000);
        f.window->StartClick(1);
        f.tickAfter(5000);
        QCOMPARE(f.edit(1), QStringLiteral("15,0"));
    }

    void stopShowsTheStoppedReadingNotTheLastTick()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(1);
        f.tickAfter(14900);
        f.clock.advanceMs(100);
        f.window->StartClick(1);
        QCOMPARE(f.edit(1), QStringLiteral("15,0"));
        QCOMPARE(f.statusBar->panelText(3), QStringLiteral("Zeit 1: 15,0"));
    }

    // Couple 2 runs at 61.24 s, couple 1 is reset, couple 3 stopped at 50 s.
    void timeFormatSwitchRedrawsAtOnce()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(2);
        f.window->StartClick(3);
        f.tickAfter(50000);
        f.window->StartClick(3);
        f.clock.advanceMs(11240);

        f.state.Zeitformat = TimeFormat::MinutesSeconds;
        f.window->TimeFormatChanged(TimeFormat::MinutesSeconds);
        QCOMPARE(f.window->couple(1).Label->text(), QStringLiteral("mm:ss"));
        QCOMPARE(f.edit(1), QStringLiteral("00:00"));
        QCOMPARE(f.edit(2), QStringLiteral("01:01"));
        QCOMPARE(f.edit(3), QStringLiteral("00:50"));
        QCOMPARE(f.statusBar->panelText(4), QStringLiteral("Zeit 2: 01:01"));

        f.state.Zeitformat = TimeFormat::Seconds;
        f.window->TimeFormatChanged(TimeFormat::Seconds);
        QCOMPARE(f.window->couple(3).Label->text(), QStringLiteral("sec."));
        QCOMPARE(f.edit(1), QStringLiteral("0,0"));
        QCOMPARE(f.edit(2), QStringLiteral("61,2"));
        QCOMPARE(f.edit(3), QStringLiteral("50,0"));

        f.window->StartClick(3);
        f.tickAfter(1000);
        QCOMPARE(f.edit(3), QStringLiteral("51,0"));
    }

    void unitsAndIdleClocksFollowTheStoredFormat()
    {
        FadeLateinFixture f(2);
        QCOMPARE(f.window->couple(2).Label->text(), QStringLiteral("mm:ss"));
        QCOMPARE(f.edit(2), QStringLiteral("00:00"));
        // The status bar keeps its start-up text until a clock changes.
        QCOMPARE(f.statusBar->panelText(4), QString());
    }

    void resetWritesTheIdleTextOfTheFormat_data()
    {
        QTest::addColumn<int>("zeitformat");
        QTest::addColumn<QString>("idle");
        QTest::newRow("seconds") << 1 << QStringLiteral("0,0");
        QTest::newRow("minutes") << 2 << QStringLiteral("00:00");
    }

    void resetWritesTheIdleTextOfTheFormat()
    {
        QFETCH(int, zeitformat);
        QFETCH(QString, idle);
        FadeLateinFixture f(zeitformat);
        f.chooseDance(90, 120);
        for (int couple = 1; couple <= 3; ++couple)
            f.window->StartClick(couple);
        f.tickAfter(3000);
        f.window->BT_ResetClick();
        for (int couple = 1; couple <= 3; ++couple) {
            QCOMPARE(f.edit(couple), idle);
            QVERIFY(!f.runs(couple));
            QCOMPARE(f.statusBar->panelText(couple + 2), QStringLiteral("Zeit %1: ").arg(couple) + idle);
        }
        // After a reset a start counts from zero again.
        f.window->StartClick(1);
        f.tickAfter(1000);
        QCOMPARE(f.edit(1), zeitformat == 1 ? QStringLiteral("1,0") : QStringLiteral("00:01"));
    }

    void statusPanelsCarryTheClocksInTheProgramsLanguage_data()
    {
        QTest::addColumn<int>("sprache");
        QTest::addColumn<QString>("panel5");
        QTest::newRow("german") << 0 << QStringLiteral("Zeit 3: 2,5");
        QTest::newRow("english") << 1 << QStringLiteral("Time 3: 2,5");
    }

    void statusPanelsCarryTheClocksInTheProgramsLanguage()
    {
        QFETCH(int, sprache);
        FadeLateinFixture f;
        f.state.Sprache = LanguageFromStored(sprache);
        UseLanguage(f.state.Sprache);
        f.chooseDance(90, 120);
        f.statusBar->setPanelText(3, QStringLiteral("Rock'n'Roll"));
        f.window->StartClick(3);
        f.tickAfter(2500);
        QTEST(f.statusBar->panelText(5), "panel5");
        QCOMPARE(f.statusBar->panelText(3), QStringLiteral("Rock'n'Roll"));
    }

    void withoutADanceTheLampsStayAsTheyAre()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(1);
        for (const double ms : {100.0, 91000.0, 30000.0})
            f.tickAfter(ms);
        f.window->StartClick(1);
        f.selection.chooseType(FadeLateinFixture::NoDance);
        f.window->StartClick(2);
        f.tickAfter(100);
        QCOMPARE(lamps(f.window->couple(2)), lit(LampState::Null));
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Rot));
        // A reset still puts every light out: red over a zero clock would mislead.
        f.window->BT_ResetClick();
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Null));
        QCOMPARE(f.beamer->clockLamp(1), LampState::Null);
    }

    void languageAndHelp_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("group3");
        QTest::addColumn<QString>("beamerAll");
        QTest::addColumn<QString>("help");
        QTest::newRow("german") << 0 << "letztes Paar"
                                << "Beamer (alle Uhren)"
                                << "Latein/Standard/Boogie ausblenden|/opt/vantor/de/LateinAusblendenHelp.rtf";
        QTest::newRow("english") << 1 << "last couple"
                                 << "Beamer (all watches)"
                                 << "Fade music (Latin/Standard/Boogie)|/opt/vantor/en/LateinAusblendenHelp.rtf";
    }

    void languageAndHelp()
    {
        QFETCH(int, language);
        FadeLateinFixture f;
        f.window->SetLanguage(LanguageFromStored(language));
        QTEST(f.window->couple(3).GB->title(), "group3");
        QTEST(f.window->BT_BeamerAll->text(), "beamerAll");
        f.window->BT_HelpClick();
        QTEST(f.help.shown.value(0), "help");
    }
};

QTEST_MAIN(TestFrmMusikAusblendenLatein)
#include "tst_frm_musik_ausblenden_latein.moc"
