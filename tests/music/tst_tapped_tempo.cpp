#include "music/TappedTempo.h"
#include <QTest>
#include <cmath>
#include <cstdint>

class TestTappedTempo : public QObject {
    Q_OBJECT
private slots:
    // A tap series of one tap a bar at a true tempo, each tap early or late by
    // a repeating pattern of jitter, with taps left out or a pause: steady only
    // once enough bars came evenly, and then at the beats of the true tempo.
    void steadyOnlyWhenEnoughBarsComeEvenly_data()
    {
        QTest::addColumn<double>("barsPerMinute");
        QTest::addColumn<int>("beatsPerBar");
        QTest::addColumn<int>("taps");
        QTest::addColumn<double>("jitterMs");
        QTest::addColumn<int>("missedTap");   // the tap left out; 0 for none
        QTest::addColumn<int>("pauseBefore"); // the tap after a long pause; 0 for none
        QTest::addColumn<bool>("steady");
        QTest::newRow("slow waltz, even hand") << 29.0 << 3 << 10 << 25.0 << 0 << 0 << true;
        QTest::newRow("quickstep, even hand") << 51.0 << 4 << 12 << 25.0 << 0 << 0 << true;
        QTest::newRow("samba counts two beats a bar") << 51.0 << 2 << 12 << 0.0 << 0 << 0 << true;
        QTest::newRow("a missed tap counts two bars") << 29.0 << 3 << 12 << 20.0 << 6 << 0 << true;
        QTest::newRow("too few bars") << 29.0 << 3 << 8 << 0.0 << 0 << 0 << false;
        QTest::newRow("an unsteady hand") << 50.0 << 4 << 16 << 120.0 << 0 << 0 << false;
        QTest::newRow("a pause starts anew") << 29.0 << 3 << 12 << 0.0 << 0 << 9 << false;
    }

    void steadyOnlyWhenEnoughBarsComeEvenly()
    {
        QFETCH(double, barsPerMinute);
        QFETCH(int, beatsPerBar);
        QFETCH(int, taps);
        QFETCH(double, jitterMs);
        QFETCH(int, missedTap);
        QFETCH(int, pauseBefore);
        QFETCH(bool, steady);
        const double pattern[] = {1, -1, 0.5, 0, -0.5, 1, -1};
        TappedTempo tapping(beatsPerBar);
        double pauseSeconds = 0;
        for (int i = 0; i < taps; ++i) {
            if (i == pauseBefore && pauseBefore > 0)
                pauseSeconds = 10;
            if (i == missedTap && missedTap > 0)
                continue;
            const double seconds = pauseSeconds + i * 60 / barsPerMinute + pattern[i % 7] * jitterMs / 1000;
            tapping.tap(std::int64_t(seconds * 1e9));
        }
        QCOMPARE(tapping.steady(), steady);
        QCOMPARE(tapping.beatsPerMinute().has_value(), steady);
        if (steady)
            QVERIFY2(std::abs(*tapping.beatsPerMinute() / (barsPerMinute * beatsPerBar) - 1) < 0.005,
                     qPrintable(QString::number(*tapping.beatsPerMinute())));
    }
};

QTEST_GUILESS_MAIN(TestTappedTempo)
#include "tst_tapped_tempo.moc"
