#include "common/Language.h"
#include "play/RoundCursor.h"
#include "play/RoundPlan.h"
#include <QtTest>

namespace {

RunningDance danceOf(int timeMin, int timeMax, double tempoMin = 50, double tempoMax = 52)
{
    RunningDance dance;
    dance.name = QStringLiteral("Quickstep");
    dance.tempo = {tempoMin, tempoMax};
    dance.danceTimeMin = timeMin;
    dance.danceTimeMax = timeMax;
    return dance;
}

RunningOrder orderOf(const QList<RunningDance>& dances)
{
    RunningOrder order;
    order.key = RoundKey{Discipline::Ballroom, -1, -1};
    order.dances = dances;
    return order;
}

QString placeText(const std::optional<HeatPlace>& place)
{
    return place ? QStringLiteral("%1.%2").arg(place->dance).arg(place->heat) : QStringLiteral("end");
}

} // namespace

class TestRoundPlan : public QObject {
    Q_OBJECT

private slots:
    void init() { useLanguage(Language::German); }

    void defaultsOfANewPlan()
    {
        const RoundPlan plan = RoundPlan::defaultFor(orderOf({danceOf(90, 120), danceOf(60, 90)}));
        QCOMPARE(plan.dances.size(), 2);
        QCOMPARE(plan.dances[0].heats, 1);
        QCOMPARE(plan.dances[0].danceSeconds, 90);
        QCOMPARE(plan.dances[1].danceSeconds, 60);
        QCOMPARE(plan.settings.fadeSeconds, 5.0);
        QCOMPARE(plan.settings.start, StartPoint::FirstBeat);
        QCOMPARE(plan.settings.betweenHeats, BetweenHeats::Hold);
        QCOMPARE(plan.settings.changeLimitPercent, 8.0);
        QVERIFY(!plan.settings.typedTarget);
    }

    void heatsTakeTracksInTurn_data()
    {
        QTest::addColumn<QStringList>("tracks");
        QTest::addColumn<int>("heats");
        QTest::addColumn<QString>("played");
        QTest::newRow("three tracks, five heats") << QStringList{"a", "b", "c"} << 5 << "a b c a b";
        QTest::newRow("one track for every heat") << QStringList{"a"} << 3 << "a a a";
        QTest::newRow("more tracks than heats") << QStringList{"a", "b", "c"} << 2 << "a b";
        QTest::newRow("no tracks") << QStringList{} << 2 << " ";
    }
    void heatsTakeTracksInTurn()
    {
        QFETCH(QStringList, tracks);
        QFETCH(int, heats);
        RoundPlan plan = RoundPlan::defaultFor(orderOf({danceOf(90, 120)}));
        plan.dances[0].tracks = tracks;
        plan.dances[0].heats = heats;
        QStringList played;
        for (int heat = 0; heat < plan.heatCount(0); ++heat)
            played << plan.trackOfHeat(0, heat);
        QTEST(played.join(' '), "played");
        QCOMPARE(plan.trackOfHeat(1, 0), QString());
        QCOMPARE(plan.trackOfHeat(0, -1), QString());
    }

    void danceTimeClampedIntoTheRange_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("kept");
        QTest::addColumn<QString>("note");
        QTest::newRow("inside") << 90 << 120 << 100 << 100 << "";
        QTest::newRow("the minimum") << 90 << 120 << 90 << 90 << "";
        QTest::newRow("below") << 90 << 120 << 80 << 90 << "Tanzzeit auf 90 s gesetzt: die Regel erlaubt 90–120 s.";
        QTest::newRow("above") << 60 << 75 << 80 << 75 << "Tanzzeit auf 75 s gesetzt: die Regel erlaubt 60–75 s.";
        QTest::newRow("one time only") << 75 << 75 << 90 << 75
                                       << "Tanzzeit auf 75 s gesetzt: die Regel schreibt 75 s vor.";
        QTest::newRow("no time in the rules") << 0 << 0 << 200 << 200 << "";
        QTest::newRow("not positive") << 0 << 0 << -5 << 1 << "Tanzzeit auf 1 s gesetzt: sie muss positiv sein.";
    }
    void danceTimeClampedIntoTheRange()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, asked);
        QFETCH(int, kept);
        QFETCH(QString, note);
        const Clamped answer = clampDanceSeconds(asked, danceOf(min, max));
        QCOMPARE(answer.value, kept);
        QCOMPARE(answer.clamped, asked != kept);
        QCOMPARE(answer.note, note);
    }

    void heatsClamped_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("kept");
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("none") << 0 << 1;
        QTest::newRow("negative") << -3 << 1;
        QTest::newRow("too many") << 99 << RoundPlan::MaxHeats;
    }
    void heatsClamped()
    {
        QFETCH(int, asked);
        QFETCH(int, kept);
        const Clamped answer = clampHeats(asked);
        QCOMPARE(answer.value, kept);
        QCOMPARE(answer.note.isEmpty(), asked == kept);
    }

    // After the rules changed (another language's files, customized data)
    // the plan keeps what still fits and says what it had to change.
    void planFittedToChangedRules()
    {
        RoundPlan plan = RoundPlan::defaultFor(orderOf({danceOf(90, 120), danceOf(90, 120), danceOf(90, 120)}));
        plan.dances[0].danceSeconds = 110;
        plan.dances[0].tracks = QStringList{"a"};
        plan.dances[1].danceSeconds = 100;
        const QStringList notes = plan.fitTo(orderOf({danceOf(60, 105), danceOf(90, 120)}));
        QCOMPARE(plan.dances.size(), 2);
        QCOMPARE(plan.dances[0].danceSeconds, 105);
        QCOMPARE(plan.dances[0].tracks, QStringList{"a"});
        QCOMPARE(plan.dances[1].danceSeconds, 100);
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes[0].startsWith("Quickstep: "));

        plan.fitTo(orderOf({danceOf(60, 105), danceOf(90, 120), danceOf(75, 75)}));
        QCOMPARE(plan.dances.size(), 3);
        QCOMPARE(plan.dances[2].danceSeconds, 75);
    }

    void targetTempoChosen_data()
    {
        QTest::addColumn<double>("danceTarget");
        QTest::addColumn<double>("roundTarget");
        QTest::addColumn<double>("ruleMin");
        QTest::addColumn<double>("expected");
        QTest::newRow("middle of the range") << 0.0 << 0.0 << 50.0 << 51.0;
        QTest::newRow("round's typed target") << 0.0 << 49.5 << 50.0 << 49.5;
        QTest::newRow("dance's before round's") << 52.5 << 49.5 << 50.0 << 52.5;
        QTest::newRow("no range, no target") << 0.0 << 0.0 << 0.0 << 0.0;
    }
    void targetTempoChosen()
    {
        QFETCH(double, danceTarget);
        QFETCH(double, roundTarget);
        QFETCH(double, ruleMin);
        QFETCH(double, expected);
        DancePlan plan;
        RoundSettings settings;
        if (danceTarget > 0)
            plan.typedTarget = danceTarget;
        if (roundTarget > 0)
            settings.typedTarget = roundTarget;
        const RunningDance dance = ruleMin > 0 ? danceOf(90, 120, ruleMin, ruleMin + 2) : danceOf(90, 120, 0, 0);
        QCOMPARE(targetTempo(dance, plan, settings).value_or(0), expected);
    }

    // Moves through a round of three dances with 2, 1 and 3 heats: n next
    // heat, d next dance, r replay, s restart.
    void cursorMoves_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("nextHeat");
        QTest::addColumn<int>("nextDance");
        QTest::newRow("at the start") << ""
                                      << "0.0"
                                      << "0.1" << 1;
        QTest::newRow("second heat") << "n"
                                     << "0.1"
                                     << "1.0" << 1;
        QTest::newRow("into the next dance") << "nn"
                                             << "1.0"
                                             << "2.0" << 2;
        QTest::newRow("skip the rest of a dance") << "d"
                                                  << "1.0"
                                                  << "2.0" << 2;
        QTest::newRow("replay stays") << "nr"
                                      << "0.1"
                                      << "1.0" << 1;
        QTest::newRow("last dance") << "ddn"
                                    << "2.1"
                                    << "2.2" << -1;
        QTest::newRow("past the last heat") << "ddnnn"
                                            << "end"
                                            << "end" << -1;
        QTest::newRow("skip past the last dance") << "ddd"
                                                  << "end"
                                                  << "end" << -1;
        QTest::newRow("replay after the end: last heat") << "ddnnnr"
                                                         << "2.2"
                                                         << "end" << -1;
        QTest::newRow("restart") << "ddns"
                                 << "0.0"
                                 << "0.1" << 1;
    }
    void cursorMoves()
    {
        QFETCH(QString, moves);
        RoundCursor cursor(QList<int>{2, 1, 3});
        for (const QChar move : moves) {
            if (move == 'n')
                cursor.advanceHeat();
            else if (move == 'd')
                cursor.skipToNextDance();
            else if (move == 'r')
                cursor.replayHeat();
            else if (move == 's')
                cursor.restart();
        }
        QTEST(placeText(cursor.current()), "place");
        QTEST(placeText(cursor.nextHeatPlace()), "nextHeat");
        QTEST(cursor.nextDance().value_or(-1), "nextDance");
        QCOMPARE(cursor.finished(), !cursor.current().has_value());
    }

    void cursorKeepsItsPlaceWhenHeatsChange()
    {
        RoundPlan plan = RoundPlan::defaultFor(orderOf({danceOf(90, 120), danceOf(90, 120)}));
        plan.dances[0].heats = 3;
        RoundCursor cursor(plan);
        cursor.moveTo({0, 2});
        QCOMPARE(placeText(cursor.current()), QString("0.2"));
        QVERIFY(cursor.lastHeatOfDance());
        plan.dances[0].heats = 2;
        cursor.setPlan(plan);
        QCOMPARE(placeText(cursor.current()), QString("0.1"));
        QVERIFY(cursor.advanceHeat());
        QCOMPARE(placeText(cursor.current()), QString("1.0"));
        QVERIFY(!cursor.advanceHeat());
        QVERIFY(cursor.finished());
    }
};

QTEST_GUILESS_MAIN(TestRoundPlan)
#include "tst_round_plan.moc"
