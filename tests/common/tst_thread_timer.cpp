#include "common/ThreadTimer.h"
#include <QCoreApplication>
#include <QPointer>
#include <QtTest>
#include <chrono>
#include <thread>
#include <vector>

using namespace std::chrono;

// These tests run the real tick thread, so their time bounds are generous:
// they tell a working timer from a broken one, not a fast machine from a slow one.
class TestThreadTimer : public QObject {
    Q_OBJECT

private:
    std::vector<steady_clock::time_point> tickTimes;
    int ticksOffUiThread = 0;

    void record(ThreadTimer& timer)
    {
        timer.onTimer = [this](ThreadTimer*) {
            tickTimes.push_back(steady_clock::now());
            if (QThread::currentThread() != qApp->thread())
                ++ticksOffUiThread;
        };
    }

    static double gapMs(steady_clock::time_point a, steady_clock::time_point b)
    {
        return duration<double, std::milli>(b - a).count();
    }

private slots:
    void init()
    {
        tickTimes.clear();
        ticksOffUiThread = 0;
    }

    void ticksRunOnTheUiThreadUntilDisabled()
    {
        ThreadTimer timer;
        timer.setInterval(20);
        record(timer);
        QVERIFY(!timer.isEnabled());
        timer.setEnabled(true);
        QVERIFY(timer.isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(tickTimes.size() >= 3, 5000);
        timer.setEnabled(false);
        QVERIFY(!timer.isEnabled());
        const size_t ticksAtStop = tickTimes.size();
        QTest::qWait(150);
        QCOMPARE(tickTimes.size(), ticksAtStop);
        QCOMPARE(ticksOffUiThread, 0);
    }

    void shortIntervalsTickAboutEvery10ms_data()
    {
        QTest::addColumn<int>("interval");
        QTest::newRow("0") << 0;
        QTest::newRow("5") << 5;
        QTest::newRow("negative") << -50;
    }

    void shortIntervalsTickAboutEvery10ms()
    {
        QFETCH(int, interval);
        ThreadTimer timer;
        timer.setInterval(interval);
        record(timer);
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(tickTimes.size() >= 10, 5000);
        timer.setEnabled(false);
        for (size_t i = 1; i < tickTimes.size(); ++i)
            QVERIFY2(gapMs(tickTimes[i - 1], tickTimes[i]) >= 9.5,
                     qPrintable(QString::number(gapMs(tickTimes[i - 1], tickTimes[i]))));
    }

    void slowHandlerIsFollowedBy10msOfRest()
    {
        ThreadTimer timer;
        timer.setInterval(20);
        std::vector<steady_clock::time_point> starts, ends;
        timer.onTimer = [&](ThreadTimer*) {
            starts.push_back(steady_clock::now());
            std::this_thread::sleep_for(milliseconds(30));
            ends.push_back(steady_clock::now());
        };
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(starts.size() >= 6, 5000);
        timer.setEnabled(false);
        for (size_t i = 1; i < starts.size(); ++i)
            QVERIFY2(gapMs(ends[i - 1], starts[i]) >= 9.5, qPrintable(QString::number(gapMs(ends[i - 1], starts[i]))));
    }

    void reEnablingWhileTheOldThreadSleepsKeepsOneTicker()
    {
        ThreadTimer timer;
        timer.setInterval(300);
        record(timer);
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(tickTimes.size() == 1, 5000);
        // The first thread now sleeps for about 300 ms; the second run starts at once.
        timer.setEnabled(false);
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(tickTimes.size() >= 2, 5000);
        const size_t firstOfSecondRun = tickTimes.size() - 1;
        QTest::qWait(1000);
        timer.setEnabled(false);
        QVERIFY(tickTimes.size() - firstOfSecondRun >= 2);
        // A second ticking thread would put ticks closer together than the interval.
        for (size_t i = firstOfSecondRun + 1; i < tickTimes.size(); ++i)
            QVERIFY2(gapMs(tickTimes[i - 1], tickTimes[i]) >= 200,
                     qPrintable(QString::number(gapMs(tickTimes[i - 1], tickTimes[i]))));
    }

    void destroyingAnEnabledTimerEndsItsTicks_data()
    {
        QTest::addColumn<QString>("when");
        QTest::newRow("thread asleep") << "asleep";
        QTest::newRow("thread waiting for the UI thread") << "waiting";
        QTest::newRow("inside its own handler") << "handler";
    }

    void destroyingAnEnabledTimerEndsItsTicks()
    {
        QFETCH(QString, when);
        auto* timer = new ThreadTimer;
        QPointer<ThreadTimer> alive(timer);
        int ticks = 0;
        timer->setInterval(when == "asleep" ? 200 : 10);
        timer->onTimer = [&](ThreadTimer* sender) {
            ++ticks;
            if (when == "handler")
                delete sender;
        };
        timer->setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 1, 5000);
        if (when == "waiting") {
            // Keep the UI thread busy so the tick thread blocks handing over its next tick.
            std::this_thread::sleep_for(milliseconds(100));
        }
        const int ticksBefore = ticks;
        if (when != "handler")
            delete timer;
        QVERIFY(alive.isNull());
        QTest::qWait(400);
        QCOMPARE(ticks, ticksBefore);
    }
};

QTEST_MAIN(TestThreadTimer)
#include "tst_thread_timer.moc"
