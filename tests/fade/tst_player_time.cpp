#include "fade/PlayerTime.h"
#include "HeardHeat.h"
#include "ManualClock.h"
#include <QSignalSpy>
#include <QtTest>

// The time a fade window counts in, switched by the heat and the window's choice.
class TestPlayerTime : public QObject {
    Q_OBJECT

private:
    static constexpr std::int64_t kOwnStartNs = 1000000000;

private slots:
    void countsOwnOrHeardTime_data()
    {
        QTest::addColumn<bool>("following");
        QTest::addColumn<bool>("begun");
        QTest::addColumn<double>("heardSeconds"); // negative: nothing heard yet
        QTest::addColumn<qint64>("nowNs");
        QTest::newRow("no heat") << true << false << -1.0 << qint64(kOwnStartNs);
        QTest::newRow("heat not heard yet") << true << true << -1.0 << qint64(0);
        QTest::newRow("heat heard") << true << true << 12.5 << qint64(12500000000);
        QTest::newRow("not following") << false << true << 12.5 << qint64(kOwnStartNs);
    }

    void countsOwnOrHeardTime()
    {
        QFETCH(bool, following);
        QFETCH(bool, begun);
        QFETCH(double, heardSeconds);
        const std::optional<double> heard = heardSeconds < 0 ? std::nullopt : std::optional<double>(heardSeconds);
        ManualClock own;
        HeardHeat h;
        PlayerTime time(own, &h.heat);
        time.setFollowing(following);
        if (begun)
            h.begin();
        h.heard = heard;
        QTEST(qint64(time.nowNs()), "nowNs");
        QCOMPARE(time.onHeat(), following && begun);
        QCOMPARE(time.heard(), following && begun && heard.has_value());
    }

    // A gap in what is heard, and the heat's end, leave the last heard reading.
    void holdsTheLastHeardReading()
    {
        ManualClock own;
        HeardHeat h;
        PlayerTime time(own, &h.heat);
        h.begin();
        h.heard = 3.0;
        QCOMPARE(time.nowMs(), std::int64_t(3000));
        h.heard.reset();
        own.advanceMs(5000);
        QCOMPARE(time.nowMs(), std::int64_t(3000));
        QSignalSpy ending(&time, &PlayerTime::heatEnding);
        h.heat.end();
        QCOMPARE(ending.count(), 1);
        QVERIFY(!time.onHeat());
        QCOMPARE(time.nowNs(), own.nowNs());
    }

    // While heatEnding() is handled the heat's time still counts: clocks
    // stopped then stop at what the hall heard, not at the own clock's time.
    void endingIsSignalledOnTheHeatsTime_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("heat ends") << "end";
        QTest::newRow("following switched off") << "untick";
        QTest::newRow("next heat begins") << "next";
    }

    void endingIsSignalledOnTheHeatsTime()
    {
        QFETCH(QString, how);
        ManualClock own;
        HeardHeat h;
        PlayerTime time(own, &h.heat);
        h.begin();
        h.heard = 42.0;
        time.nowNs(); // the last display tick
        std::int64_t seenMs = -1;
        connect(&time, &PlayerTime::heatEnding, this, [&] { seenMs = time.nowMs(); });
        QSignalSpy begun(&time, &PlayerTime::heatBegun);
        if (how == "end") {
            h.heat.end();
        }
        else if (how == "untick") {
            time.setFollowing(false);
        }
        else {
            h.begin();
            QCOMPARE(begun.count(), 1);
            QCOMPARE(time.nowNs(), std::int64_t(0));
        }
        QCOMPARE(seenMs, std::int64_t(42000));
    }

    void followingSwitchedOnJoinsAPlayingHeat()
    {
        ManualClock own;
        HeardHeat h;
        PlayerTime time(own, &h.heat);
        time.setFollowing(false);
        QSignalSpy begun(&time, &PlayerTime::heatBegun);
        h.begin();
        h.heard = 30.0;
        QCOMPARE(begun.count(), 0);
        time.setFollowing(true);
        QCOMPARE(begun.count(), 1);
        QCOMPARE(time.nowMs(), std::int64_t(30000));
        // Once only: switching it on again changes nothing.
        time.setFollowing(true);
        QCOMPARE(begun.count(), 1);
    }

    void withoutAHeatModelItCountsItsOwnTime()
    {
        ManualClock own;
        PlayerTime time(own, nullptr);
        QVERIFY(time.following());
        time.setFollowing(false);
        time.setFollowing(true);
        QVERIFY(!time.onHeat());
        QCOMPARE(time.nowNs(), own.nowNs());
    }
};

QTEST_GUILESS_MAIN(TestPlayerTime)
#include "tst_player_time.moc"
