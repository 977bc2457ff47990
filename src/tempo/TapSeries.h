#pragma once
#include "rules/TempoVerdict.h"
#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <optional>
#include <vector>

// One tap's outcome: the list row and the two texts of the average tempo.
struct TapRow {
    QString row;           // "k;seconds;current;average;flag", k marked "k (+n)" when a tap added n != 1 bars
    double average = 0;    // bars per minute, for the speed-conversion window
    QString listedAverage; // truncated to one decimal, as listed and copied
    bool inRange = false;
    // False when there is no average to publish: a tap that opened a new
    // series, or a dropped tap before any bar was counted.
    bool published = false;
    // When not empty, the list's rows are to be replaced by these: the series
    // began anew after a pause, or its opening taps were read again.
    QStringList relisted;
};

// A series of taps, one per bar: the interval tempos, their moving mean over
// the last N intervals and the overall average, in bars per minute. The
// arithmetic is done in 32-bit floats where the stored values are floats, so
// the listed texts (notably the truncated average) come out the same as the
// values the user compares them with.
//
// Taps are forgiven: each interval is read as a whole number of bars of the
// series' settled bar length (after the opening, the median of the recent bar
// lengths), so a missed tap counts two bars and a tap far inside a bar is
// dropped, its time carried into the next interval; of two taps inside one
// bar the one nearer the bar line counts. The average stays bars counted over
// the time spanned, so a clean series gives the same figures as plain
// counting. An interval longer than a few settled bars is a pause: its closing
// tap opens a new series.
class TapSeries {
public:
    static constexpr int MaxWindow = 9;
    // The row of a series' first tap, with a comma whatever the locale.
    static const QString FirstRow;
    // A pause is longer than this many settled bars (half way between three
    // and four: two missed taps in a row still count) and than MinPauseSeconds.
    static constexpr double PauseBars = 3.5;
    static constexpr double MinPauseSeconds = 2.0;

    bool counting() const { return counting_; }
    // Taps of the series, dropped ones included; the first tap makes it 1.
    int tapCount() const { return tapCount_; }
    int bars() const { return tally_.bars; }
    // From the series' first tap to its last counted one.
    float totalSeconds() const { return tally_.totalSeconds; }

    // The first tap: starts a new series.
    void start();
    // A further tap seconds after the previous one; window is N (1 to 9), the
    // range is inclusive. The interval must be positive.
    TapRow addInterval(double seconds, int window, double lower, double upper);
    // Ends the series but keeps its counts (the evaluation reads them).
    void stop() { counting_ = false; }
    // Forgets the series entirely.
    void clear();

    // The untruncated average over the whole series, bars per minute; only
    // meaningful once an interval was measured (totalSeconds() > 0).
    double averageTempo() const;
    // How steadily the recent bars were tapped: the standard deviation of
    // their single tempos, bars per minute; none before three intervals.
    std::optional<double> spread() const;

private:
    struct Judging {
        int window;
        double lower;
        double upper;
    };
    // What the counted intervals add up to.
    struct Tally {
        int bars = 0;
        int intervals = 0; // a missed tap makes one interval of several bars
        float totalSeconds = 0;
        double offBars = 0; // how far the counted taps lay from the bar lines, summed
        std::array<float, MaxWindow> intervalRates{};
        std::deque<double> recentBarSeconds;
    };
    // The last counted tap, kept so that a tap nearer its bar line can take its place.
    struct LastCounted {
        Tally before;
        double seconds = 0; // from the counted tap before it
    };

    TapRow read(double seconds, const Judging& judging);
    TapRow readOpeningAgain(const Judging& judging);
    static double openingBarSeconds(const std::vector<double>& opening);
    void countBars(double seconds, double barSeconds, const Judging& judging);
    TapRow describe(int barsAdded, const Judging& judging) const;
    std::optional<double> settledBarSeconds() const;

    bool counting_ = false;
    int tapCount_ = 0;
    Tally tally_;
    std::optional<LastCounted> last_;
    double carriedSeconds_ = 0; // since the last counted tap, over dropped taps
    // Times of the taps dropped before the first counted bar, from the first tap.
    std::vector<double> leadingDrops_;
    // The opening of a series: its first intervals as tapped, read again at
    // each tap with the bar length that explains them best.
    std::vector<double> opening_;
    std::optional<double> openingBar_;
    QStringList openingRows_;
};

// The colour of a listed row from its fields: black when no dance is chosen,
// otherwise red when a fifth field says out of range ("1" is in range), and
// green for every other row.
RowTone toneOfRow(const QStringList& fields, bool noDanceChosen);
