#include "DecimalLocale.h"
#include "tempo/TapSeries.h"
#include "common/NumberText.h"
#include <QtTest>
#include <algorithm>
#include <cmath>

namespace {

struct Outcome {
    QStringList rows;
    TapRow last;
};

Outcome runSeries(const QList<double>& intervals, int window, double lower = 0, double upper = 1000)
{
    TapSeries series;
    series.start();
    Outcome outcome;
    for (double seconds : intervals) {
        outcome.last = series.addInterval(seconds, window, lower, upper);
        outcome.rows << outcome.last.row;
    }
    return outcome;
}

QList<double> repeated(int count, double seconds)
{
    return QList<double>(count, seconds);
}

// The list as the window keeps it: each tap adds its row, unless the series
// relists its rows (a new series after a pause, an opening read again).
QStringList listedRows(TapSeries& series, const QList<double>& intervals)
{
    series.start();
    QStringList rows{TapSeries::FirstRow};
    for (double seconds : intervals) {
        const TapRow tap = series.addInterval(seconds, 5, 0, 1000);
        if (tap.relisted.isEmpty())
            rows << tap.row;
        else
            rows = tap.relisted;
    }
    return rows;
}

} // namespace

class TestTapSeries : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void rowsOfASeries_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("window");
        QTest::addColumn<QList<double>>("intervals");
        QTest::addColumn<QString>("lastRow");
        for (bool english : {false, true}) {
            const QByteArray tag = localeTag(english);
            QTest::newRow(tag + ": half a second, N 5")
                << english << 5 << QList<double>{0.5} << localised("1;0,5;120,0;120,0;1", english);
            // N = 1: the current tempo is the last interval's alone.
            QTest::newRow(tag + ": N 1") << english << 1 << QList<double>{1.0, 0.5}
                                         << localised("2;1,5;120,0;80,0;1", english);
            // Fewer intervals than N: the mean over all of them, of rates (66), not
            // the rate of their mean (65.2).
            QTest::newRow(tag + ": N 5, five intervals")
                << english << 5 << QList<double>{1.0, 0.8, 1.0, 0.8, 1.0} << localised("5;4,6;66,0;65,2;1", english);
            // The sixth interval replaces the first in the ring of five.
            QTest::newRow(tag + ": N 5, six intervals") << english << 5 << QList<double>{1.0, 0.8, 1.0, 0.8, 1.0, 0.8}
                                                        << localised("6;5,4;69,0;66,6;1", english);
            QTest::newRow(tag + ": N 9, ring wrapped")
                << english << 9 << (repeated(9, 1.0) << 0.8) << localised("10;9,8;61,7;61,2;1", english);
        }
    }

    void rowsOfASeries()
    {
        QFETCH(bool, english);
        QFETCH(int, window);
        QFETCH(QList<double>, intervals);
        QFETCH(QString, lastRow);
        setDecimalLocale(english);
        QCOMPARE(runSeries(intervals, window).last.row, lastRow);
    }

    void averageIsTruncatedForTheListAndRoundedForTheConversion_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QList<double>>("intervals");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("rounded");
        QTest::addColumn<bool>("inRange");
        for (bool english : {false, true}) {
            const QByteArray tag = localeTag(english);
            QTest::newRow(tag + ": 51.97") << english << QList<double>{60.0 / 51.97} << 50.0 << 52.0
                                           << localised("51,9", english) << localised("52,0", english) << true;
            QTest::newRow(tag + ": 52.05 at the upper bound")
                << english << QList<double>{60.0 / 52.05} << 50.0 << 52.0 << localised("52,0", english)
                << localised("52,0", english) << true;
            QTest::newRow(tag + ": 49.95 below the lower bound")
                << english << QList<double>{60.0 / 49.95} << 50.0 << 52.0 << localised("49,9", english)
                << localised("50,0", english) << false;
            // 171 bars in exactly 200 s (110 x 1.125 + 61 x 1.25, exact in binary):
            // 51.3 as a float lies just below 51.3.
            QTest::newRow(tag + ": 51.3 held below itself")
                << english << (repeated(110, 1.125) << repeated(61, 1.25)) << 51.3 << 51.3 << localised("51,2", english)
                << localised("51,3", english) << false;
            QTest::newRow(tag + ": a single tempo as range")
                << english << QList<double>{0.5} << 120.0 << 120.0 << localised("120,0", english)
                << localised("120,0", english) << true;
        }
    }

    void averageIsTruncatedForTheListAndRoundedForTheConversion()
    {
        QFETCH(bool, english);
        QFETCH(QList<double>, intervals);
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(QString, listed);
        QFETCH(QString, rounded);
        QFETCH(bool, inRange);
        setDecimalLocale(english);
        const TapRow last = runSeries(intervals, 5, lower, upper).last;
        QCOMPARE(last.listedAverage, listed);
        QCOMPARE(formatFixed(last.average, 1, 7), rounded);
        QCOMPARE(last.inRange, inRange);
        QVERIFY(last.row.endsWith(listed + (inRange ? ";1" : ";0")));
    }

    // At 48 bars per minute a bar lasts 1.25 s.
    void strayAndMissedTapsAreForgiven_data()
    {
        QTest::addColumn<QList<double>>("intervals");
        QTest::addColumn<QStringList>("lastRows");
        QTest::addColumn<int>("bars");
        QTest::addColumn<int>("taps");
        QTest::newRow("clean") << repeated(20, 1.25) << QStringList{"20;25.0;48.0;48.0;1"} << 20 << 21;
        // The missed tap's interval counts two bars, and its row says so.
        QTest::newRow("missed") << (repeated(5, 1.25) << 2.5 << repeated(5, 1.25))
                                << QStringList{"7 (+2);8.8;48.0;48.0;1", "8;10.0;48.0;48.0;1"} << 12 << 12;
        QTest::newRow("missed, jittered") << (repeated(5, 1.25) << 2.53 << 1.22 << repeated(4, 1.25))
                                          << QStringList{"12;15.0;...;48.0;1"} << 12 << 12;
        // A bounce 150 ms after a tap adds no bar; the next interval runs from the tap before it.
        QTest::newRow("doubled after") << (repeated(5, 1.25) << 0.15 << 1.10 << repeated(4, 1.25))
                                       << QStringList{"5 (+0);6.3;48.0;48.0;1", "6;7.5;48.0;48.0;1"} << 10 << 12;
        // A tap 150 ms early, then the one on the beat: the earlier counted, the later takes its place.
        QTest::newRow("doubled before") << (repeated(5, 1.25) << 1.10 << 0.15 << repeated(4, 1.25))
                                        << QStringList{"6;7.3;...;1", "6 (+0);7.5;48.0;48.0;1", "7;8.8;48.0;48.0;1"}
                                        << 10 << 12;
        // Two taps in a row missed still count; a gap of 3.5 settled bars is a pause.
        QTest::newRow("two missed in a row")
            << (repeated(5, 1.25) << 3.75 << 1.25) << QStringList{"8 (+3);10.0;48.0;48.0;1"} << 9 << 8;
        QTest::newRow("pause: a new series")
            << (repeated(5, 1.25) << 12.0 << 1.25 << 1.25)
            << QStringList{"0;0,0;-;-;1;", "1;1.3;48.0;48.0;1", "2;2.5;48.0;48.0;1"} << 2 << 3;
        QTest::newRow("pause after the first tap")
            << (QList<double>{12.0} << repeated(20, 1.25)) << QStringList{"20;25.0;48.0;48.0;1"} << 20 << 21;
        // At 120 bars per minute 3.5 bars are 1.75 s: a pause is at least 2 s.
        QTest::newRow("fast: 1.9 s are missed bars")
            << (repeated(6, 0.5) << 1.9) << QStringList{"10 (+4);4.9;...;122.4;1"} << 10 << 8;
        QTest::newRow("fast: 2.1 s are a pause") << (repeated(6, 0.5) << 2.1) << QStringList{"0;0,0;-;-;1;"} << 0 << 1;
        // A stray among the first three taps is outvoted once the opening is read again.
        QTest::newRow("doubled second tap")
            << (QList<double>{0.15, 1.10} << repeated(8, 1.25))
            << QStringList{"0;0,0;-;-;1;", "0 (+0);0.0;-;-;1", "1;1.3;48.0;48.0;1"} << 9 << 11;
    }

    void strayAndMissedTapsAreForgiven()
    {
        QFETCH(QList<double>, intervals);
        QFETCH(QStringList, lastRows);
        QFETCH(int, bars);
        QFETCH(int, taps);
        setDecimalLocale(true);
        TapSeries series;
        const QStringList rows = listedRows(series, intervals);
        // The expected rows follow one another somewhere in the list.
        const QString firstPrefix = lastRows.first().section("...", 0, 0);
        const int at = int(
            std::find_if(rows.begin(), rows.end(), [&](const QString& row) { return row.startsWith(firstPrefix); }) -
            rows.begin());
        QVERIFY2(at + lastRows.size() <= rows.size(), qPrintable(rows.join(" | ")));
        for (int i = 0; i < lastRows.size(); ++i) {
            const QString& expected = lastRows.at(i);
            const QString& actual = rows.at(at + i);
            QVERIFY2(actual.startsWith(expected.section("...", 0, 0)) && actual.endsWith(expected.section("...", -1)),
                     qPrintable(actual + " / " + rows.join(" | ")));
        }
        QCOMPARE(series.bars(), bars);
        QCOMPARE(series.tapCount(), taps);
    }

    // A clean series lists exactly what counting every tap as one bar lists.
    void cleanSeriesListLikePlainCounting()
    {
        TapSeries series;
        const QStringList rows = listedRows(series, repeated(33, 60.0 / 28));
        QCOMPARE(rows.size(), 34);
        QCOMPARE(rows.last().section(';', 0, 0), QStringLiteral("33"));
        QCOMPARE(series.averageTempo(), 33.0 / series.totalSeconds() * 60.0);
    }

    void spreadOfTheRecentBars_data()
    {
        QTest::addColumn<QList<double>>("intervals");
        QTest::addColumn<double>("spread");
        QTest::newRow("too few") << QList<double>{1.25, 1.25} << -1.0;
        QTest::newRow("steady") << repeated(10, 1.25) << 0.0;
        // 60/1.2 = 50 and 60/1.3 = 46.15 alternating: a spread of 1.92.
        QTest::newRow("alternating") << QList<double>{1.2, 1.3, 1.2, 1.3, 1.2, 1.3, 1.2, 1.3} << 1.923;
        // A missed tap's two bars are two bars of their mean length.
        QTest::newRow("missed") << (repeated(5, 1.25) << 2.5 << 1.25) << 0.0;
    }

    void spreadOfTheRecentBars()
    {
        QFETCH(QList<double>, intervals);
        QFETCH(double, spread);
        TapSeries series;
        listedRows(series, intervals);
        QCOMPARE(std::round(series.spread().value_or(-1.0) * 1000) / 1000, spread);
    }

    void clearForgetsTheSeries()
    {
        TapSeries series;
        series.start();
        series.addInterval(0.5, 5, 0, 100);
        series.clear();
        setDecimalLocale(true);
        QVERIFY(!series.counting());
        QCOMPARE(series.tapCount(), 0);
        QCOMPARE(series.totalSeconds(), 0.0f);
        // A new series lists from its own first interval.
        series.start();
        QCOMPARE(series.addInterval(1.0, 5, 0, 100).row, QStringLiteral("1;1.0;60.0;60.0;1"));
    }
};

QTEST_APPLESS_MAIN(TestTapSeries)
#include "tst_tap_series.moc"
