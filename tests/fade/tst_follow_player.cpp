#include "fade_couples_fixture.h"
#include "fade/FadeRockNRollWindow.h"
#include "fade/LampLook.h"
#include "HeardHeat.h"
#include "common/ThreadTimer.h"
#include "widgets/RadioGroup.h"
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The fade windows with a heat of the player: ticks are called directly, the
// own clock is moved apart from the heard time so that a window counting the
// wrong one shows it.
constexpr double kOwnDriftMs = 7300;

struct RnRFixture {
    ManualClock clock;
    RecordingMessages messages;
    RecordingHelp help;
    RuleTables rules;
    ProgramState state;
    std::unique_ptr<FadeRockNRollWindow> window;

    explicit RnRFixture(PlayingHeat* heat)
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        useLanguage(Language::German);
        RuleTable& table = rules.table(Discipline::RnR);
        table.source = "TSO 1.6";
        table.rows[0] = {"A-Klasse", "Akrobatik", "49", "196", "90 s"};
        table.rowCount = 1;
        state.clock = &clock;
        state.messages = &messages;
        state.help = &help;
        state.rules = &rules;
        state.programFolder = "/opt/vantor/";
        state.playingHeat = heat;
        window.reset(MakeTableWindow<FadeRockNRollWindow>(EmbeddedWindow::FadeRockNRoll, state));
    }

    // 49 bars per minute and 90 s: 74 bars, the one under way counted.
    void chooseA49()
    {
        window->classGroup->button(5)->click();
        window->roundGroup->button(1)->click();
    }

    QList<int> litDigits() const
    {
        QList<int> lit;
        for (int digit = 9; digit >= 0; --digit) {
            const QColor colour = window->digitLabels[size_t(digit)]->palette().color(QPalette::WindowText);
            if (colour == QColor(0, 255, 64) || colour == QColor(252, 114, 12) || colour == QColor(255, 140, 140))
                lit << digit;
        }
        return lit;
    }
};

QList<QColor> lamps(const FadeCouple& couple)
{
    return {couple.redLamp->brushColor(), couple.amberLamp->brushColor(), couple.greenLamp->brushColor()};
}

QList<QColor> lit(LampState state)
{
    const LampColors colors = colorsOf(state);
    return {colors.red, colors.yellow, colors.green};
}

} // namespace

class TestFollowPlayer : public QObject {
    Q_OBJECT

private slots:
    void init() { useLanguage(Language::German); }

    // Minimum 90 s, maximum 120 s: the lamps change when the hall has heard
    // that much of the heat, whatever the window's own clock says.
    void lampsFollowTheHeardSeconds_data()
    {
        QTest::addColumn<double>("heard");
        QTest::addColumn<int>("lamp");
        QTest::addColumn<QString>("text");
        QTest::newRow("first frame") << 0.0 << int(LampState::Green) << "0,0";
        QTest::newRow("at the minimum") << 90.0 << int(LampState::Green) << "90,0";
        QTest::newRow("one step past the minimum") << 90.1 << int(LampState::Amber) << "90,1";
        QTest::newRow("at the maximum") << 120.0 << int(LampState::Amber) << "120,0";
        QTest::newRow("one step past the maximum") << 120.1 << int(LampState::Red) << "120,1";
    }

    void lampsFollowTheHeardSeconds()
    {
        QFETCH(double, heard);
        QFETCH(int, lamp);
        HeardHeat h;
        FadeCouplesFixture f(1, &h.heat);
        f.chooseDance(90, 120);
        h.begin();
        h.heard = 0.04;
        f.window->followTimerFired();
        QVERIFY(f.runs(1));
        h.heard = heard;
        f.tickAfter(kOwnDriftMs);
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState(lamp)));
        QCOMPARE(f.projector->clockLamp(1), LampState(lamp));
        QTEST(f.edit(1), "text");
        // Only the first couple starts with the music.
        QVERIFY(!f.runs(2));
        QVERIFY(!f.runs(3));
    }

    void coupleClocksStartWhenHeardAndStopWithTheHeat()
    {
        HeardHeat h;
        FadeCouplesFixture f(1, &h.heat);
        f.chooseDance(90, 120);
        f.window->startClicked(3); // left running from before the heat
        f.tickAfter(5000);
        h.begin();
        f.window->followTimerFired();
        // Begun but nothing heard yet: no clock runs, nothing is lit.
        QVERIFY(!f.runs(1));
        QVERIFY(!f.runs(3));
        QCOMPARE(f.edit(3), QStringLiteral("0,0"));
        QCOMPARE(f.window->couple(1).startButton->text(), QStringLiteral("Start (&1)"));
        QVERIFY(f.selection.locked());
        h.heard = 0.08;
        f.window->followTimerFired();
        QVERIFY(f.runs(1));
        QCOMPARE(f.window->couple(1).startButton->text(), QStringLiteral("Stop (&1)"));
        QCOMPARE(f.projector->coupleButton(1)->text(), QStringLiteral("Stop (&1)"));
        // The second couple starts dancing 10 s into the music.
        h.heard = 10.0;
        f.tickAfter(kOwnDriftMs);
        f.window->startClicked(2);
        h.heard = 35.5;
        f.tickAfter(kOwnDriftMs);
        QCOMPARE(f.edit(1), QStringLiteral("35,5"));
        QCOMPARE(f.edit(2), QStringLiteral("25,5"));
        h.heat.end();
        QVERIFY(!f.runs(1));
        QVERIFY(!f.runs(2));
        QVERIFY(!f.selection.locked());
        f.clock.advanceMs(60000);
        QCOMPARE(f.edit(1), QStringLiteral("35,5"));
        // Started again by hand, it resumes on the window's own clock.
        f.window->startClicked(1);
        f.tickAfter(1000);
        QCOMPARE(f.edit(1), QStringLiteral("36,5"));
    }

    void uncheckedTheWindowIgnoresThePlayer()
    {
        HeardHeat h;
        FadeCouplesFixture f(1, &h.heat);
        f.chooseDance(90, 120);
        QVERIFY(f.window->followCheck->isChecked());
        f.window->followCheck->setChecked(false);
        h.begin();
        h.heard = 100.0;
        f.window->followTimerFired();
        QVERIFY(!f.runs(1));
        QVERIFY(!f.selection.locked());
        f.window->startClicked(1);
        f.tickAfter(1000);
        QCOMPARE(f.edit(1), QStringLiteral("1,0"));
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Green));
        h.heat.end();
        QVERIFY(f.runs(1));
        QCOMPARE(f.projector->danceLabel->isVisibleTo(f.projector.get()), false);
    }

    // Checked while the heat plays: the first couple's clock joins it at what was heard.
    void checkedDuringAHeatJoinsIt()
    {
        HeardHeat h;
        FadeCouplesFixture f(1, &h.heat);
        f.chooseDance(90, 120);
        f.window->followCheck->setChecked(false);
        h.begin();
        h.heard = 95.0;
        f.window->followCheck->setChecked(true);
        QVERIFY(f.runs(1));
        QCOMPARE(f.edit(1), QStringLiteral("95,0"));
        QCOMPARE(lamps(f.window->couple(1)), lit(LampState::Amber));
        // Unchecked again: it lets go of the heat where the hall was.
        h.heard = 96.0;
        f.tickAfter(kOwnDriftMs);
        f.window->followCheck->setChecked(false);
        QVERIFY(!f.runs(1));
        QCOMPARE(f.edit(1), QStringLiteral("96,0"));
    }

    void withoutACompleteSelectionNothingStarts()
    {
        HeardHeat h;
        FadeCouplesFixture f(1, &h.heat);
        f.selection.chooseType(FadeCouplesFixture::Latein);
        h.begin();
        h.heard = 1.0;
        f.window->followTimerFired();
        QVERIFY(!f.runs(1));
        QVERIFY(!f.selection.locked());
        QCOMPARE(f.messages.warnings, QStringList());
    }

    void projectorShowsDanceAndNextDance_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("nextText");
        QTest::newRow("German") << 0 << "Jive"
                                << "Nächster Tanz: Jive";
        QTest::newRow("English") << 1 << "Jive"
                                 << "Next dance: Jive";
        QTest::newRow("last dance of the round") << 0 << ""
                                                 << "";
    }

    void projectorShowsDanceAndNextDance()
    {
        QFETCH(int, language);
        QFETCH(QString, next);
        QFETCH(QString, nextText);
        useLanguage(languageFromStored(language));
        HeardHeat h;
        FadeCouplesFixture f(1, &h.heat);
        useLanguage(languageFromStored(language));
        f.chooseDance(90, 120);
        f.window->projectorClicked(5);
        ProjectorWindow& projector = *f.projector;
        QVERIFY(!projector.danceLabel->isVisible());
        const int clockTop = projector.timeLabel(1)->y();
        h.begin(QStringLiteral("Paso Doble"), next);
        QVERIFY(projector.danceLabel->isVisible());
        QCOMPARE(projector.danceLabel->text(), QStringLiteral("Paso Doble"));
        QCOMPARE(projector.nextDanceLabel->isVisible(), !next.isEmpty());
        if (!next.isEmpty())
            QCOMPARE(projector.nextDanceLabel->text(), nextText);
        // Over the clocks, larger than the next dance, all on the screen.
        const QLabel* lowest = next.isEmpty() ? projector.danceLabel : projector.nextDanceLabel;
        for (int couple = 1; couple <= 3; ++couple) {
            QVERIFY(projector.timeLabel(couple)->y() > lowest->geometry().bottom());
            QVERIFY(projector.numberLabel(couple)->geometry().bottom() < projector.closeLabel->y());
        }
        QVERIFY(projector.danceLabel->font().pixelSize() > projector.nextDanceLabel->font().pixelSize());
        QVERIFY(projector.rect().contains(projector.danceLabel->geometry()));
        h.heat.end();
        QVERIFY(!projector.danceLabel->isVisible());
        QVERIFY(!projector.nextDanceLabel->isVisible());
        QCOMPARE(projector.timeLabel(1)->y(), clockTop);
        useLanguage(Language::German);
    }

    // 49 bars per minute, 90 s: the digits light when the hall hears the bar.
    void countdownFollowsTheHeardSeconds_data()
    {
        QTest::addColumn<double>("heard");
        QTest::addColumn<QString>("bars");
        QTest::addColumn<QList<int>>("digits");
        QTest::addColumn<bool>("running");
        QTest::newRow("first frame") << 0.0 << "74" << QList<int>{} << true;
        QTest::newRow("ten bars left") << 78.9 << "10" << QList<int>{} << true;
        QTest::newRow("nine bars left") << 79.0 << "9" << QList<int>{9} << true;
        QTest::newRow("six bars left") << 83.8 << "6" << QList<int>{6} << true;
        QTest::newRow("five bars left") << 83.9 << "5" << QList<int>{5} << true;
        QTest::newRow("dancing time over") << 90.0 << "0" << QList<int>{0} << false;
    }

    void countdownFollowsTheHeardSeconds()
    {
        QFETCH(double, heard);
        HeardHeat h;
        RnRFixture f(&h.heat);
        f.chooseA49();
        h.begin();
        h.heard = 0.06;
        f.window->clockTimerFired();
        QVERIFY(f.window->running());
        h.heard = heard;
        f.clock.advanceMs(kOwnDriftMs);
        f.window->clockTimerFired();
        QTEST(f.window->remainingBarsEdit->text(), "bars");
        QTEST(f.litDigits(), "digits");
        QTEST(f.window->running(), "running");
    }

    void countdownStartsWhenHeardAndStopsWithTheHeat()
    {
        HeardHeat h;
        RnRFixture f(&h.heat);
        f.chooseA49();
        h.begin();
        f.clock.advanceMs(kOwnDriftMs);
        f.window->clockTimerFired();
        QVERIFY(!f.window->running());
        QVERIFY(f.window->waitsForHeat());
        QVERIFY(!f.window->classGroup->isEnabled());
        QCOMPARE(f.window->timeEdit->text(), QStringLiteral("0,0"));
        h.heard = 0.02;
        f.window->clockTimerFired();
        QVERIFY(f.window->running());
        QCOMPARE(f.window->startButton->text(), QStringLiteral("Stop (&1)"));
        h.heard = 42.4;
        f.window->clockTimerFired();
        h.heat.end();
        QVERIFY(!f.window->running());
        QVERIFY(!f.window->clockTimer->isEnabled());
        QVERIFY(f.window->classGroup->isEnabled());
        QCOMPARE(f.window->timeEdit->text(), QStringLiteral("42,4"));
        // The next heat counts from its own start again.
        h.begin();
        h.heard = 1.0;
        f.window->clockTimerFired();
        QCOMPARE(f.window->timeEdit->text(), QStringLiteral("1,0"));
    }

    void uncheckedTheCountdownIgnoresThePlayer()
    {
        HeardHeat h;
        RnRFixture f(&h.heat);
        f.chooseA49();
        f.window->followCheck->setChecked(false);
        h.begin();
        h.heard = 80.0;
        QVERIFY(!f.window->clockTimer->isEnabled());
        f.window->startClicked();
        f.clock.advanceMs(2000);
        f.window->clockTimerFired();
        QCOMPARE(f.window->timeEdit->text(), QStringLiteral("2,0"));
        QCOMPARE(f.litDigits(), QList<int>{});
        h.heat.end();
        QVERIFY(f.window->running());
    }

    // Without a class chosen there are no bars to count: the heat passes by silently.
    void countdownWithoutADanceStaysIdle()
    {
        HeardHeat h;
        RnRFixture f(&h.heat);
        h.begin();
        h.heard = 1.0;
        QVERIFY(!f.window->clockTimer->isEnabled());
        QVERIFY(!f.window->running());
        QCOMPARE(f.messages.warnings, QStringList());
    }
};

QTEST_MAIN(TestFollowPlayer)
#include "tst_follow_player.moc"
