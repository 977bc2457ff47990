#include "tempo/BeatSchedule.h"
#include <QtTest>
#include <cmath>
#include <vector>

namespace {

struct Heard {
    std::int64_t atMs;
    Beat beat;
};

// Drives the schedule with a tick every tickMs from the start until untilMs.
std::vector<Heard> runTicks(BeatSchedule& schedule, std::int64_t startMs, int tickMs, std::int64_t untilMs)
{
    std::vector<Heard> heard;
    for (std::int64_t t = startMs + tickMs; t <= startMs + untilMs; t += tickMs) {
        if (const auto beat = schedule.nextBeat(t))
            heard.push_back({t - startMs, *beat});
    }
    return heard;
}

} // namespace

class TestBeatSchedule : public QObject {
    Q_OBJECT

private slots:
    void beatsFollowTheStartTimeOnTheTickGrid_data()
    {
        QTest::addColumn<double>("barsPerMinute");
        QTest::addColumn<int>("beatsPerBar");
        QTest::addColumn<double>("beatMs");
        QTest::newRow("46 in 3/4") << 46.0 << 3 << 434.78;
        QTest::newRow("200 in 4/4") << 200.0 << 4 << 75.0;
        QTest::newRow("120 in 2/4") << 120.0 << 2 << 250.0;
    }

    void beatsFollowTheStartTimeOnTheTickGrid()
    {
        QFETCH(double, barsPerMinute);
        QFETCH(int, beatsPerBar);
        QFETCH(double, beatMs);
        BeatSchedule schedule;
        schedule.setTempo(barsPerMinute, beatsPerBar);
        QVERIFY(std::abs(schedule.beatSeconds() * 1000 - beatMs) < 0.01);
        const std::int64_t start = 5000;
        schedule.start(start);
        QVERIFY(!schedule.nextBeat(start)); // nothing at the very start

        const auto heard = runTicks(schedule, start, 20, 10000);
        // Beat j sounds on the first tick after (j - 1) beat lengths.
        for (size_t i = 0; i < heard.size(); ++i) {
            const double due = i * schedule.beatSeconds() * 1000;
            QCOMPARE(heard[i].beat.number, int(i + 1));
            // A beat due exactly on a tick waits for the next one; the margin
            // absorbs the rounding of the beat length.
            QVERIFY2(heard[i].atMs > due - 1e-6 && heard[i].atMs <= due + 20 + 1e-6,
                     qPrintable(QString("beat %1 at %2 ms, due %3").arg(i + 1).arg(heard[i].atMs).arg(due)));
        }
        QCOMPARE(int(heard.size()), int(std::ceil(10000 / (schedule.beatSeconds() * 1000))));
    }

    void firstBeatOfEveryBarIsAccented_data()
    {
        QTest::addColumn<int>("beatsPerBar");
        QTest::addColumn<QList<int>>("accents");
        QTest::newRow("2/4") << 2 << QList<int>{1, 3, 5, 7, 9, 11};
        QTest::newRow("3/4") << 3 << QList<int>{1, 4, 7, 10};
        QTest::newRow("4/4") << 4 << QList<int>{1, 5, 9};
    }

    void firstBeatOfEveryBarIsAccented()
    {
        QFETCH(int, beatsPerBar);
        QFETCH(QList<int>, accents);
        BeatSchedule schedule;
        schedule.setTempo(46, beatsPerBar);
        schedule.start(0);
        QList<int> heardAccents;
        for (const Heard& h : runTicks(schedule, 0, 20, 60000))
            if (h.beat.accent && h.beat.number <= 12)
                heardAccents << h.beat.number;
        QCOMPARE(heardAccents, accents);
    }

    void heldUpTicksCatchUpOneBeatPerTick()
    {
        BeatSchedule schedule;
        schedule.setTempo(46, 3);
        schedule.start(0);
        // Four and a bit beat lengths pass without a tick: beats 1 to 5 are owed.
        const std::int64_t late = 1800;
        for (int number = 1; number <= 5; ++number) {
            const auto beat = schedule.nextBeat(late);
            QVERIFY(beat);
            QCOMPARE(beat->number, number);
        }
        QVERIFY(!schedule.nextBeat(late));
        // The schedule still runs from the start: beat 6 is due after 5 beat lengths.
        QVERIFY(!schedule.nextBeat(2173));
        QCOMPARE(schedule.nextBeat(2174)->number, 6);
    }

    void restartBeginsWithAnAccentAndAFullBeat()
    {
        BeatSchedule schedule;
        schedule.setTempo(46, 3);
        schedule.start(0);
        runTicks(schedule, 0, 20, 2000); // five beats, the last one no accent
        QCOMPARE(schedule.beatCount(), 5);

        schedule.start(2000);
        const auto heard = runTicks(schedule, 2000, 20, 1000);
        QCOMPARE(int(heard.size()), 3);
        QCOMPARE(heard[0].beat.number, 1);
        QVERIFY(heard[0].beat.accent);
        QCOMPARE(heard[0].atMs, std::int64_t(20));
        QCOMPARE(heard[1].atMs, std::int64_t(440));
    }

    // A change while running waits for the bar line the old tempo reaches next
    // and is measured from there; beats are heard on a 1 ms tick.
    void changeWhileRunningStartsAtTheNextBar_data()
    {
        QTest::addColumn<double>("fromTempo");
        QTest::addColumn<int>("fromBeats");
        QTest::addColumn<double>("toTempo");
        QTest::addColumn<int>("toBeats");
        QTest::addColumn<int>("changeAtMs");
        QTest::addColumn<QList<int>>("beatMs");
        QTest::addColumn<QList<int>>("accentMs");
        QTest::newRow("faster, mid-bar") << 60.0 << 2 << 120.0 << 2 << 600 << QList<int>{1, 501, 1001, 1251, 1501, 1751}
                                         << QList<int>{1, 1001, 1501};
        QTest::newRow("3/4 to 4/4") << 60.0 << 3 << 60.0 << 4 << 100
                                    << QList<int>{1, 334, 667, 1001, 1251, 1501, 1751, 2001}
                                    << QList<int>{1, 1001, 2001};
        // Between the last beat of a bar and the next bar line.
        QTest::newRow("slower, just before the bar")
            << 60.0 << 2 << 48.5 << 2 << 990 << QList<int>{1, 501, 1001, 1619, 2238} << QList<int>{1, 1001, 2238};
    }

    void changeWhileRunningStartsAtTheNextBar()
    {
        QFETCH(double, fromTempo);
        QFETCH(int, fromBeats);
        QFETCH(double, toTempo);
        QFETCH(int, toBeats);
        QFETCH(int, changeAtMs);
        QFETCH(QList<int>, beatMs);
        QFETCH(QList<int>, accentMs);
        BeatSchedule schedule;
        schedule.setTempo(fromTempo, fromBeats);
        schedule.start(0);
        QList<int> beats;
        QList<int> accents;
        for (int t = 1; t <= beatMs.last(); ++t) {
            if (t == changeAtMs)
                schedule.changeAtNextBar(toTempo, toBeats);
            if (const auto beat = schedule.nextBeat(t)) {
                beats << t;
                if (beat->accent)
                    accents << t;
            }
        }
        QCOMPARE(beats, beatMs);
        QCOMPARE(accents, accentMs);
        QCOMPARE(schedule.beatsPerBar(), toBeats);
    }

    void noBeatsWithoutATempo()
    {
        BeatSchedule schedule;
        schedule.start(0);
        QVERIFY(!schedule.nextBeat(100000));
    }
};

QTEST_MAIN(TestBeatSchedule)
#include "tst_beat_schedule.moc"
