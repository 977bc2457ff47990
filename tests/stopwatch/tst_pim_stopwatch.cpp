#include "ManualClock.h"
#include "stopwatch/PimStopWatch.h"
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

    std::unique_ptr<TPimStopWatch> newStopwatch()
    {
        auto stopwatch = std::make_unique<TPimStopWatch>(clock);
        stopwatch->OnTimeChange = [this, sender = stopwatch.get()](TPimStopWatch* from, const QString& time) {
            QCOMPARE(from, sender);
            reported << time;
        };
        return stopwatch;
    }

    void tickAfter(TPimStopWatch& stopwatch, int ms)
    {
        clock.advanceMs(ms);
        stopwatch.TimerTimer();
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
        QCOMPARE(stopwatch->Start->text(), QString());
        stopwatch->setStartButtonNumber(1);
        QCOMPARE(stopwatch->Start->text(), QStringLiteral("Start (&1)"));
        stopwatch->Start->setText("marker");
        stopwatch->setStartButtonNumber(1);
        QCOMPARE(stopwatch->Start->text(), QStringLiteral("marker"));
        stopwatch->setStartButtonNumber(7);
        stopwatch->setStartButtonNumber(-1);
        QCOMPARE(stopwatch->Start->text(), QStringLiteral("Start (&1)"));
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
        stopwatch->setLanguage(LanguageFromStored(language));
        QCOMPARE(stopwatch->Reset->text(), expected);
        // The digit may change after the language; the word stays.
        stopwatch->setResetButtonNumber(9);
        QCOMPARE(stopwatch->Reset->text(), QString(expected).replace(expected.size() - 2, 1, "9"));
    }

    void stopAndResume()
    {
        auto stopwatch = newStopwatch();
        stopwatch->setStartButtonNumber(2);
        stopwatch->DoStartStop();
        QVERIFY(stopwatch->timing());
        QCOMPARE(stopwatch->Start->text(), QStringLiteral("Stop (&2)"));
        QVERIFY(!stopwatch->Reset->isEnabled());
        for (int tick = 0; tick < 25; ++tick)
            tickAfter(*stopwatch, 100);
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("2.5"));

        clock.advanceMs(80);
        stopwatch->DoStartStop();
        QVERIFY(!stopwatch->timing());
        QCOMPARE(stopwatch->Start->text(), QStringLiteral("Start (&2)"));
        QVERIFY(stopwatch->Reset->isEnabled());
        // The stop shows the time stopped at, not the last tick's.
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("2.6"));
        QCOMPARE(reported.last(), QStringLiteral("2.6"));

        clock.advanceMs(5000);
        stopwatch->DoStartStop();
        tickAfter(*stopwatch, 1000);
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("3.6"));
        tickAfter(*stopwatch, 20);
        stopwatch->DoStartStop();
        QCOMPARE(stopwatch->ElapsedSeconds(), 3.6);
        QCOMPARE(reported.size(), 25 + 1 + 2 + 1);
    }

    void resetShowsZeroEachTimeAndTheNextRunStartsAtZero()
    {
        auto stopwatch = newStopwatch();
        stopwatch->DoReset(); // nothing shown yet, nothing to report
        QVERIFY(reported.isEmpty());
        stopwatch->setZeitformat(TimeFormat::MinutesSeconds);
        stopwatch->DoStartStop();
        tickAfter(*stopwatch, 75000);
        stopwatch->DoStartStop();
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("01:15"));
        reported.clear();

        stopwatch->DoReset();
        stopwatch->DoReset();
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("0.0"));
        QCOMPARE(reported, QStringList({"0.0", "0.0"}));

        stopwatch->DoStartStop();
        tickAfter(*stopwatch, 3000);
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("00:03"));
    }

    void resetWhileRunningDoesNotDisturbTheRun()
    {
        auto stopwatch = newStopwatch();
        stopwatch->DoStartStop();
        tickAfter(*stopwatch, 1200);
        stopwatch->DoReset();
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("0.0"));
        tickAfter(*stopwatch, 100);
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("1.3"));
    }

    void formatChangeRedrawsAShownReadingOnly()
    {
        auto stopwatch = newStopwatch();
        stopwatch->setZeitformat(TimeFormat::MinutesSeconds);
        QCOMPARE(stopwatch->MyLabel->text(), QStringLiteral("mm:ss"));
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("0.0"));
        QVERIFY(reported.isEmpty());

        stopwatch->DoStartStop();
        tickAfter(*stopwatch, 83400);
        stopwatch->DoStartStop();
        stopwatch->setZeitformat(TimeFormat::Seconds);
        QCOMPARE(stopwatch->MyLabel->text(), QStringLiteral("sec."));
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("83.4"));
        QCOMPARE(reported.last(), QStringLiteral("83.4"));

        stopwatch->DoReset();
        stopwatch->setZeitformat(TimeFormat::MinutesSeconds);
        QCOMPARE(stopwatch->MyEdit->text(), QStringLiteral("0.0"));
    }
};

QTEST_MAIN(TestPimStopWatch)
#include "tst_pim_stopwatch.moc"
