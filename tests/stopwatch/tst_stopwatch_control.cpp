#include "ManualClock.h"
#include "stopwatch/StopwatchControl.h"
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

// Ticks are called directly with a set clock; no test waits for the timer.
class TestPimStopWatch : public QObject {
    Q_OBJECT

private:
    ManualClock clock;
    QStringList reported;

    std::unique_ptr<StopwatchControl> newStopwatch()
    {
        auto stopwatch = std::make_unique<StopwatchControl>(clock);
        stopwatch->onTimeChange = [this, sender = stopwatch.get()](StopwatchControl* from, const QString& time) {
            QCOMPARE(from, sender);
            reported << time;
        };
        return stopwatch;
    }

    void tickAfter(StopwatchControl& stopwatch, int ms)
    {
        clock.advanceMs(ms);
        stopwatch.clockTimerFired();
    }

private slots:
    void init()
    {
        reported.clear();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void startCaptionIsSetOnlyByAChange()
    {
        auto stopwatch = newStopwatch();
        stopwatch->setStartButtonNumber(-1);
        QCOMPARE(stopwatch->startButton->text(), QString());
        stopwatch->setStartButtonNumber(1);
        QCOMPARE(stopwatch->startButton->text(), QStringLiteral("Start (&1)"));
        stopwatch->startButton->setText("marker");
        stopwatch->setStartButtonNumber(1);
        QCOMPARE(stopwatch->startButton->text(), QStringLiteral("marker"));
        stopwatch->setStartButtonNumber(7);
        stopwatch->setStartButtonNumber(-1);
        QCOMPARE(stopwatch->startButton->text(), QStringLiteral("Start (&1)"));
    }

    void resetCaption_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German") << 4 << 0 << "Zurücksetzen (&4)";
        QTest::newRow("English") << 4 << 1 << "Reset (&4)";
        QTest::newRow("no digit, German") << -1 << 0 << "Zurücksetzen (&2)";
        QTest::newRow("no digit, English") << -1 << 1 << "Reset (&2)";
    }

    void resetCaption()
    {
        QFETCH(int, number);
        QFETCH(int, language);
        QFETCH(QString, expected);
        auto stopwatch = newStopwatch();
        stopwatch->setResetButtonNumber(number);
        stopwatch->setLanguage(languageFromStored(language));
        QCOMPARE(stopwatch->resetButton->text(), expected);
        // The digit may change after the language; the word stays.
        stopwatch->setResetButtonNumber(9);
        QCOMPARE(stopwatch->resetButton->text(), QString(expected).replace(expected.size() - 2, 1, "9"));
    }

    void stopAndResume()
    {
        auto stopwatch = newStopwatch();
        stopwatch->setStartButtonNumber(2);
        stopwatch->startOrStop();
        QVERIFY(stopwatch->timing());
        QCOMPARE(stopwatch->startButton->text(), QStringLiteral("Stop (&2)"));
        QVERIFY(!stopwatch->resetButton->isEnabled());
        for (int tick = 0; tick < 25; ++tick)
            tickAfter(*stopwatch, 100);
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("2.5"));

        clock.advanceMs(80);
        stopwatch->startOrStop();
        QVERIFY(!stopwatch->timing());
        QCOMPARE(stopwatch->startButton->text(), QStringLiteral("Start (&2)"));
        QVERIFY(stopwatch->resetButton->isEnabled());
        // The stop shows the time stopped at, not the last tick's.
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("2.6"));
        QCOMPARE(reported.last(), QStringLiteral("2.6"));

        clock.advanceMs(5000);
        stopwatch->startOrStop();
        tickAfter(*stopwatch, 1000);
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("3.6"));
        tickAfter(*stopwatch, 20);
        stopwatch->startOrStop();
        QCOMPARE(stopwatch->elapsedSeconds(), 3.6);
        QCOMPARE(reported.size(), 25 + 1 + 2 + 1);
    }

    void resetShowsZeroEachTimeAndTheNextRunStartsAtZero()
    {
        auto stopwatch = newStopwatch();
        stopwatch->resetClock(); // nothing shown yet, nothing to report
        QVERIFY(reported.isEmpty());
        stopwatch->setTimeFormat(TimeFormat::MinutesSeconds);
        stopwatch->startOrStop();
        tickAfter(*stopwatch, 75000);
        stopwatch->startOrStop();
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("01:15"));
        reported.clear();

        stopwatch->resetClock();
        stopwatch->resetClock();
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("0.0"));
        QCOMPARE(reported, QStringList({"0.0", "0.0"}));

        stopwatch->startOrStop();
        tickAfter(*stopwatch, 3000);
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("00:03"));
    }

    void resetWhileRunningDoesNotDisturbTheRun()
    {
        auto stopwatch = newStopwatch();
        stopwatch->startOrStop();
        tickAfter(*stopwatch, 1200);
        stopwatch->resetClock();
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("0.0"));
        tickAfter(*stopwatch, 100);
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("1.3"));
    }

    void formatChangeRedrawsAShownReadingOnly()
    {
        auto stopwatch = newStopwatch();
        stopwatch->setTimeFormat(TimeFormat::MinutesSeconds);
        QCOMPARE(stopwatch->unitLabel->text(), QStringLiteral("mm:ss"));
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("0.0"));
        QVERIFY(reported.isEmpty());

        stopwatch->startOrStop();
        tickAfter(*stopwatch, 83400);
        stopwatch->startOrStop();
        stopwatch->setTimeFormat(TimeFormat::Seconds);
        QCOMPARE(stopwatch->unitLabel->text(), QStringLiteral("sec."));
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("83.4"));
        QCOMPARE(reported.last(), QStringLiteral("83.4"));

        stopwatch->resetClock();
        stopwatch->setTimeFormat(TimeFormat::MinutesSeconds);
        QCOMPARE(stopwatch->readingLabel->text(), QStringLiteral("0.0"));
    }
};

QTEST_MAIN(TestPimStopWatch)
#include "tst_stopwatch_control.moc"
