#include "DecimalLocale.h"
#include "TapSeries.h"
#include <QtTest>

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
            QTest::newRow(tag + ": N 1")
                << english << 1 << QList<double>{1.0, 0.5} << localised("2;1,5;120,0;80,0;1", english);
            // Fewer intervals than N: the mean over all of them, of rates (84), not
            // the rate of their mean (75).
            QTest::newRow(tag + ": N 5, five intervals")
                << english << 5 << QList<double>{1.0, 0.5, 1.0, 0.5, 1.0}
                << localised("5;4,0;84,0;75,0;1", english);
            // The sixth interval replaces the first in the ring of five.
            QTest::newRow(tag + ": N 5, six intervals")
                << english << 5 << QList<double>{1.0, 0.5, 1.0, 0.5, 1.0, 0.5}
                << localised("6;4,5;96,0;80,0;1", english);
            QTest::newRow(tag + ": N 9, ring wrapped")
                << english << 9 << (repeated(9, 1.0) << 0.5) << localised("10;9,5;66,7;63,1;1", english);
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
            // 171 bars in exactly 200 s: 51.3 as a float lies just below 51.3.
            QTest::newRow(tag + ": 51.3 held below itself")
                << english << (repeated(170, 1.0) << 30.0) << 51.3 << 51.3 << localised("51,2", english)
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
        QCOMPARE(last.roundedAverage, rounded);
        QCOMPARE(last.inRange, inRange);
        QVERIFY(last.row.endsWith(listed + (inRange ? ";1" : ";0")));
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
