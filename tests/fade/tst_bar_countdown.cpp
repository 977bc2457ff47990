#include "fade/BarCountdown.h"
#include "ManualClock.h"
#include "RecordingMessages.h"
#include <QLocale>
#include <QtTest>

using Lit = QPair<int, int>; // (lit digit, restored digit)

class TestBarCountdown : public QObject {
    Q_OBJECT

private:
    // Ticks every 100 ms from the start until the clock says time is up;
    // returns the elapsed milliseconds at which each digit lit.
    static QMap<int, qint64> runToTheEnd(FadeCountdown& fade, ManualClock& clock)
    {
        QMap<int, qint64> litAt;
        fade.start();
        for (int guard = 0; guard < 100000; ++guard) {
            clock.advanceMs(100);
            const auto tick = fade.tick();
            if (tick.digit)
                litAt.insert(tick.digit->lit, tick.elapsedMs);
            if (tick.timeUp)
                break;
        }
        return litAt;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void barCount_data()
    {
        QTest::addColumn<double>("tempo");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("bars"); // -1: no count

        QTest::newRow("49 x 90 s truncates 73.5") << 49.0 << 90 << 73;
        QTest::newRow("48 x 90 s") << 48.0 << 90 << 72;
        QTest::newRow("mean of a range 48.5 x 60 s") << 48.5 << 60 << 48;
        QTest::newRow("one bar") << 1.0 << 60 << 1;
        QTest::newRow("unreadable tempo read as -1") << -1.0 << 90 << -1;
        QTest::newRow("zero tempo") << 0.0 << 90 << -1;
        QTest::newRow("no dancing time") << 49.0 << 0 << -1;
        QTest::newRow("count past int") << 1e12 << 90 << -1;
        QTest::newRow("not a number") << std::nan("") << 90 << -1;
    }

    void barCount()
    {
        QFETCH(double, tempo);
        QFETCH(int, seconds);
        QFETCH(int, bars);
        QCOMPARE(::barCount(tempo, seconds).value_or(-1), bars);
    }

    void remainingBars_data()
    {
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<int>("remaining");

        // 49 bars per minute, 90 s: one bar lasts 60/49 = 1.2245 s.
        QTest::newRow("at the start, the bar under way counts") << 0.0 << 74;
        QTest::newRow("0.1 s") << 0.1 << 74;
        QTest::newRow("just over ten bars left") << 78.9 << 10;
        QTest::newRow("nine bars left") << 79.0 << 9;
        QTest::newRow("last bar under way") << 88.8 << 1;
        QTest::newRow("a moment before the end") << 89.999 << 1;
        QTest::newRow("exactly at the end") << 90.0 << 0;
        QTest::newRow("half a bar late") << 90.6 << 0;
        QTest::newRow("several bars late") << 95.0 << 0;
    }

    void remainingBars()
    {
        QFETCH(double, elapsed);
        QFETCH(int, remaining);
        QCOMPARE(::remainingBars(49, 90, elapsed), remaining);
    }

    void tempoFieldText_data()
    {
        QTest::addColumn<QString>("tempo");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("warnings");

        QTest::newRow("one number as it stands") << "48"
                                                 << "48" << 0;
        QTest::newRow("even range") << "48-50"
                                    << "49" << 0;
        QTest::newRow("odd range, shortest notation") << "47-50"
                                                      << "48,5" << 0;
        QTest::newRow("blanks around the dash") << "48 - 50"
                                                << "49" << 0;
        QTest::newRow("decimal ends with either separator") << "47.5-48,5"
                                                            << "48" << 0;
        QTest::newRow("unreadable end") << "4x-50"
                                        << "24,5" << 1;
    }

    void tempoFieldText()
    {
        QFETCH(QString, tempo);
        QFETCH(QString, field);
        QFETCH(int, warnings);
        RecordingMessages messages;
        QCOMPARE(::tempoFieldText(tempo, messages), field);
        QCOMPARE(messages.warnings.size(), warnings);
    }

    void danceSeconds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds"); // -1: none

        QTest::newRow("90s") << "90s" << 90;
        QTest::newRow("90 s") << "90 s" << 90;
        QTest::newRow("range gives its minimum") << "90-105s" << 90;
        QTest::newRow("foot technique range") << "60-75s" << 60;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("no number") << "abcs" << -1;
        QTest::newRow("zero") << "0s" << -1;
    }

    void danceSeconds()
    {
        QFETCH(QString, text);
        QFETCH(int, seconds);
        QCOMPARE(::danceSeconds(text).value_or(-1), seconds);
    }

    void countdown_data()
    {
        QTest::addColumn<QList<int>>("readings");
        QTest::addColumn<QList<Lit>>("changes");

        QTest::newRow("one digit per bar")
            << QList<int>{11, 10, 9, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0}
            << QList<Lit>{{9, -1}, {8, 9}, {7, 8}, {6, 7}, {5, 6}, {4, 5}, {3, 4}, {2, 3}, {1, 2}, {0, 1}};
        QTest::newRow("a late tick skips a bar") << QList<int>{9, 7, 6} << QList<Lit>{{9, -1}, {7, 9}, {6, 7}};
        QTest::newRow("few bars at the start") << QList<int>{5, 4} << QList<Lit>{{5, -1}, {4, 5}};
        QTest::newRow("past the end lights 0 once") << QList<int>{2, -3, 0} << QList<Lit>{{2, -1}, {0, 2}};
        QTest::newRow("a higher count never goes back") << QList<int>{6, 8, 5} << QList<Lit>{{6, -1}, {5, 6}};
    }

    void countdown()
    {
        QFETCH(QList<int>, readings);
        QFETCH(QList<Lit>, changes);
        BarCountdown countdown;
        QList<Lit> seen;
        for (int remaining : readings) {
            if (const auto change = countdown.advance(remaining))
                seen << Lit{change->lit, change->restored};
        }
        QCOMPARE(seen, changes);
    }

    void countdownStartsAgainAfterReset()
    {
        BarCountdown countdown;
        countdown.advance(0);
        QCOMPARE(countdown.nextDigit(), -1);
        countdown.reset();
        QCOMPARE(countdown.nextDigit(), 9);
        QCOMPARE(countdown.advance(9)->restored, -1);
    }

    void digitsLightOnTheLastTenBarsAndTheClockStopsAtTheEnd()
    {
        ManualClock clock;
        FadeCountdown fade(clock);
        fade.setBarsPerMinute(49);
        fade.setDurationSeconds(90);
        const QMap<int, qint64> litAt = runToTheEnd(fade, clock);

        QCOMPARE(litAt.keys(), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        // Nine bars (11.02 s) before the end, then one digit per bar.
        QCOMPARE(litAt[9], 79000);
        QCOMPARE(litAt[8], 80300);
        QCOMPARE(litAt[1], 88800);
        QCOMPARE(litAt[0], 90000);
    }

    void stopKeepsTheReadingAndStartResumes()
    {
        ManualClock clock;
        FadeCountdown fade(clock);
        fade.setBarsPerMinute(49);
        fade.setDurationSeconds(90);
        fade.start();
        clock.advanceMs(10000);
        fade.stop();
        clock.advanceMs(5000);
        QCOMPARE(fade.tick().elapsedMs, 10000);
        fade.start();
        clock.advanceMs(100);
        QCOMPARE(fade.tick().elapsedMs, 10100);
        QVERIFY(!fade.atZero());
        fade.reset();
        QVERIFY(fade.atZero());
        QVERIFY(!fade.running());
    }

    // The last bar is lit brighter than its unlit red, never darker: on a
    // washed-out screen a darker red reads as off.
    void lastDigitLitBrighter()
    {
        const auto lightness = [](std::uint32_t bgr) {
            return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int(bgr >> 16)).lightness();
        };
        QVERIFY(lightness(litDigitColour(0)) >= lightness(digitColour(0)) + 40);
        QVERIFY(lightness(litDigitColour(9)) >= lightness(digitColour(9)) + 40);
    }

    void startingAfterTheEndIsTimeUpAtOnce()
    {
        ManualClock clock;
        FadeCountdown fade(clock);
        fade.setBarsPerMinute(49);
        fade.setDurationSeconds(90);
        runToTheEnd(fade, clock);
        fade.stop();
        fade.start();
        clock.advanceMs(100);
        const auto tick = fade.tick();
        QVERIFY(tick.timeUp);
        QCOMPARE(tick.remainingBars, 0);
        QVERIFY(!tick.digit);
    }
};

QTEST_GUILESS_MAIN(TestBarCountdown)
#include "tst_bar_countdown.moc"
