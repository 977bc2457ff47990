#include "ManualClock.h"
#include "common/StopwatchClock.h"
#include <QLocale>
#include <QtTest>

class TestStopwatchClock : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void resumesWhereItStopped()
    {
        ManualClock now;
        StopwatchClock clock(now);
        QCOMPARE(clock.readingMs(), 0);
        clock.start();
        now.advanceMs(2500);
        QCOMPARE(clock.readingMs(), 2500);
        clock.stop();
        now.advanceMs(7000); // a pause does not count
        QCOMPARE(clock.readingMs(), 2500);
        clock.start();
        now.advanceMs(600);
        clock.start(); // a second start must not restart the run
        now.advanceMs(400);
        QCOMPARE(clock.readingMs(), 3500);
        clock.stop();
        now.advanceMs(300);
        clock.stop();
        QCOMPARE(clock.readingMs(), 3500);
        QVERIFY(!clock.running());
    }

    void resetCountsTheNextRunFromZeroButLeavesARunningClock()
    {
        ManualClock now;
        StopwatchClock clock(now);
        clock.start();
        now.advanceMs(900);
        clock.reset();
        QCOMPARE(clock.readingMs(), 900);
        clock.stop();
        clock.reset();
        QCOMPARE(clock.readingMs(), 0);
        clock.start();
        now.advanceMs(200);
        QCOMPARE(clock.readingMs(), 200);
    }

    void clockText_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero in seconds") << qint64(0) << 1 << "0.0";
        QTest::newRow("one decimal, rounded") << qint64(83460) << 1 << "83.5";
        QTest::newRow("one decimal, kept") << qint64(83420) << 1 << "83.4";
        QTest::newRow("an hour in seconds") << qint64(3661000) << 1 << "3661.0";
        QTest::newRow("zero in minutes") << qint64(0) << 2 << "00:00";
        QTest::newRow("seconds truncated") << qint64(74999) << 2 << "01:14";
        QTest::newRow("75 s") << qint64(75000) << 2 << "01:15";
        QTest::newRow("last second of the hour") << qint64(3599999) << 2 << "59:59";
        QTest::newRow("full hour wraps") << qint64(3600000) << 2 << "00:00";
        QTest::newRow("hours dropped") << qint64(3661000) << 2 << "01:01";
        QTest::newRow("any other format is minutes") << qint64(75000) << 0 << "01:15";
        QTest::newRow("format 7 too") << qint64(75000) << 7 << "01:15";
    }

    void clockText()
    {
        QFETCH(qint64, ms);
        QFETCH(int, format);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(::clockText(ms, timeFormatFromStored(format)), expected);
    }

    void secondsFollowTheLocaleSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(secondsText(83420), QStringLiteral("83,4"));
        QCOMPARE(minutesSecondsText(83420), QStringLiteral("01:23"));
    }
};

QTEST_GUILESS_MAIN(TestStopwatchClock)
#include "tst_stopwatch_clock.moc"
