#pragma once
#include <QString>
#include <QStringList>
#include <array>

// One tap's outcome: the list row and the two texts of the average tempo.
struct TapRow {
    QString row;            // "k;seconds;current;average;flag"
    QString roundedAverage; // for the speed-conversion window, rounded to one decimal
    QString listedAverage;  // truncated to one decimal, as listed and copied
    bool inRange = false;
};

// A series of taps, one per bar: the interval tempos, their moving mean over
// the last N intervals and the overall average, in bars per minute. The
// arithmetic is done in 32-bit floats where the stored values are floats, so
// the listed texts (notably the truncated average) come out the same as the
// values the user compares them with.
class TapSeries {
public:
    static constexpr int MaxWindow = 9;
    // The row of a series' first tap, with a comma whatever the locale.
    static const QString FirstRow;

    bool counting() const { return counting_; }
    int tapCount() const { return tapCount_; }
    float totalSeconds() const { return totalSeconds_; }

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

private:
    bool counting_ = false;
    int tapCount_ = 0;
    float totalSeconds_ = 0;
    std::array<float, MaxWindow> intervalRates_{};
};

enum class RowTone { Black, Green, Red };
// The colour of a listed row from its fields: black when no dance is chosen,
// otherwise red when a fifth field says out of range ("1" is in range), and
// green for every other row.
RowTone ToneOfRow(const QStringList& fields, bool noDanceChosen);
