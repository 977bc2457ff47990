#include "tempo/TapSeries.h"
#include "common/NumberText.h"
#include <algorithm>
#include <cmath>
#include <limits>

const QString TapSeries::FirstRow = QStringLiteral("0;0,0;-;-;1;");

namespace {

// The opening is read again from the third interval, when one stray can be
// outvoted, to the sixth, when a doubled tap's two short intervals can too.
constexpr size_t SeedIntervals = 3;
constexpr size_t OpeningIntervals = 6;
// After the opening the settled bar length is the median of the last seven
// bar lengths (three strays cannot move it), once three intervals were counted.
constexpr size_t SettleBars = 7;
constexpr int SettledAfter = 3;
// How far from a whole number of bars an interval may end and still count:
// far beyond human jitter (30 ms is 0.024 of a bar at 48 bars per minute), and
// short of the middle of a bar, where a doubled tap lands at worst.
constexpr double OffBar = 0.3;
// The spread looks a little further back than the settled length.
constexpr size_t SpreadBars = 8;

double median(std::vector<double> values)
{
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + middle, values.end());
    const double upper = values[middle];
    if (values.size() % 2 != 0)
        return upper;
    return (upper + *std::max_element(values.begin(), values.begin() + middle)) / 2;
}

// How far an interval lies from a whole number (at least one) of bars.
double offTheBar(double seconds, double barSeconds)
{
    const double bars = seconds / barSeconds;
    return std::abs(bars - std::max(1.0, std::round(bars)));
}

// Less than half a bar, or more than OffBar from the nearest whole number of
// bars: a tap far from any bar line, such as a doubled one.
bool farInsideABar(double bars)
{
    const double whole = std::round(bars);
    return whole == 0 || std::abs(bars - whole) > OffBar;
}

QString barsText(int bars, int barsAdded)
{
    const QString count = QString::number(bars);
    return barsAdded == 1 ? count : count + QStringLiteral(" (+%1)").arg(barsAdded);
}

} // namespace

void TapSeries::start()
{
    clear();
    tapCount_ = 1;
    counting_ = true;
    openingRows_ = QStringList{FirstRow};
}

TapRow TapSeries::addInterval(double seconds, int window, double lower, double upper)
{
    const Judging judging{std::clamp(window, 1, MaxWindow), lower, upper};
    if (opening_.size() >= OpeningIntervals) {
        openingBar_.reset(); // settled from the counted bars from now on
        return read(seconds, judging);
    }
    opening_.push_back(seconds);
    if (opening_.size() >= SeedIntervals)
        return readOpeningAgain(judging);
    TapRow tap = read(seconds, judging);
    openingRows_ << tap.row;
    return tap;
}

TapRow TapSeries::readOpeningAgain(const Judging& judging)
{
    const std::vector<double> opening = opening_;
    const QStringList listed = openingRows_;
    start();
    openingBar_ = openingBarSeconds(opening);
    TapRow tap;
    for (double seconds : opening) {
        opening_.push_back(seconds);
        tap = read(seconds, judging);
        if (!tap.relisted.isEmpty())
            openingRows_ = tap.relisted;
        else
            openingRows_ << tap.row;
    }
    // Rows already listed stay unless the new reading changed them.
    tap.relisted.clear();
    if (openingRows_.mid(0, openingRows_.size() - 1) != listed)
        tap.relisted = openingRows_;
    return tap;
}

double TapSeries::openingBarSeconds(const std::vector<double>& opening)
{
    // Each interval, and each pair of neighbours (a doubled tap splits a bar
    // in two), is a candidate; the one that reads the opening with the fewest
    // taps left uncounted and bars added for missed taps, and then nearest the
    // bar lines, wins. Counting missed bars keeps half a bar from winning.
    std::vector<double> candidates(opening);
    for (size_t i = 0; i + 1 < opening.size(); ++i)
        candidates.push_back(opening[i] + opening[i + 1]);
    const Judging anyJudging{1, 0, 0};
    double best = candidates.front();
    double bestScore = std::numeric_limits<double>::max();
    for (double barSeconds : candidates) {
        TapSeries trial;
        trial.start();
        trial.openingBar_ = barSeconds;
        for (double seconds : opening)
            trial.read(seconds, anyJudging);
        const Tally& tally = trial.tally_;
        const double score = double(opening.size() - tally.intervals) + (tally.bars - tally.intervals) + tally.offBars;
        if (score < bestScore) {
            bestScore = score;
            best = barSeconds;
        }
    }
    return best;
}

TapRow TapSeries::read(double seconds, const Judging& judging)
{
    const std::optional<double> settled = settledBarSeconds();
    if (settled && seconds > std::max(MinPauseSeconds, PauseBars * *settled)) {
        // The operator stopped: this tap opens a new series, as a reset would.
        start();
        TapRow tap;
        tap.row = FirstRow;
        tap.relisted = QStringList{FirstRow};
        return tap;
    }
    ++tapCount_;
    const int barsBefore = tally_.bars;
    double elapsed = carriedSeconds_ + seconds;
    if (!settled) {
        carriedSeconds_ = 0;
        countBars(elapsed, elapsed, judging); // one bar, as tapped
        return describe(1, judging);
    }
    const double barSeconds = *settled;
    if (farInsideABar(elapsed / barSeconds)) {
        if (last_) {
            const double fromBefore = last_->seconds + elapsed;
            if (!farInsideABar(fromBefore / barSeconds) &&
                offTheBar(fromBefore, barSeconds) < offTheBar(last_->seconds, barSeconds)) {
                // The last counted tap was the stray one: this tap takes its place.
                tally_ = last_->before;
                carriedSeconds_ = 0;
                countBars(fromBefore, barSeconds, judging);
                return describe(tally_.bars - barsBefore, judging);
            }
        }
        // Not a bar line: the next tap measures from the last counted one.
        carriedSeconds_ = elapsed;
        if (tally_.intervals == 0)
            leadingDrops_.push_back(elapsed);
        return describe(0, judging);
    }
    if (tally_.intervals == 0) {
        // Before the first counted bar the series' first tap may itself have
        // been the stray one: start at whichever tap fits the bars best.
        const double fromFirst = elapsed;
        for (double dropped : leadingDrops_)
            if (offTheBar(fromFirst - dropped, barSeconds) < offTheBar(elapsed, barSeconds))
                elapsed = fromFirst - dropped;
    }
    leadingDrops_.clear();
    carriedSeconds_ = 0;
    countBars(elapsed, barSeconds, judging);
    return describe(tally_.bars - barsBefore, judging);
}

void TapSeries::countBars(double seconds, double barSeconds, const Judging& judging)
{
    const int bars = std::max(1, int(std::lround(seconds / barSeconds)));
    last_ = LastCounted{tally_, seconds};
    tally_.bars += bars;
    ++tally_.intervals;
    tally_.totalSeconds = static_cast<float>(tally_.totalSeconds + seconds);
    tally_.offBars += offTheBar(seconds, barSeconds);
    tally_.intervalRates[tally_.intervals % judging.window] = static_cast<float>(60.0 * bars / seconds);
    tally_.recentBarSeconds.push_back(seconds / bars);
    if (tally_.recentBarSeconds.size() > SpreadBars)
        tally_.recentBarSeconds.pop_front();
}

TapRow TapSeries::describe(int barsAdded, const Judging& judging) const
{
    TapRow result;
    if (tally_.intervals == 0) {
        result.row = barsText(0, barsAdded) + ';' + formatFixed(0, 1, 7) + ";-;-;1";
        return result;
    }
    // Until N intervals exist, slots 1..k hold them; then the whole ring does.
    const int n = judging.window;
    const int k = tally_.intervals;
    const int first = k < n ? 1 : 0;
    const int count = k < n ? k : n;
    float current = 0;
    for (int i = first; i < first + count; ++i)
        current += tally_.intervalRates[i];
    current /= count;

    const float average = static_cast<float>(double(tally_.bars) / tally_.totalSeconds * 60.0);
    // Truncated from the float, in double: 51.3f lies just below 51.3 and
    // lists as 51.2, while float arithmetic would round 512.99999 up to 513.
    const float truncated = static_cast<float>(std::trunc(double(average) * 10.0) * 0.1);
    const bool inRange = judging.lower <= truncated && truncated <= judging.upper;

    result.published = true;
    result.average = average;
    result.listedAverage = formatFixed(truncated, 1, 7);
    result.inRange = inRange;
    result.row = barsText(tally_.bars, barsAdded) + ';' + formatFixed(tally_.totalSeconds, 1, 7) + ';' +
                 formatFixed(current, 1, 7) + ';' + result.listedAverage + ';' + (inRange ? '1' : '0');
    return result;
}

std::optional<double> TapSeries::settledBarSeconds() const
{
    // The opening is read with one bar length throughout, so that a stray
    // tap in it does not settle the bars it is read with.
    if (openingBar_ || tally_.intervals < SettledAfter)
        return openingBar_;
    const auto& recent = tally_.recentBarSeconds;
    const size_t count = std::min(SettleBars, recent.size());
    return median(std::vector<double>(recent.end() - count, recent.end()));
}

void TapSeries::clear()
{
    counting_ = false;
    tapCount_ = 0;
    tally_ = Tally();
    last_.reset();
    carriedSeconds_ = 0;
    leadingDrops_.clear();
    opening_.clear();
    openingBar_.reset();
    openingRows_.clear();
}

double TapSeries::averageTempo() const
{
    return double(tally_.bars) / tally_.totalSeconds * 60.0;
}

std::optional<double> TapSeries::spread() const
{
    const auto& recent = tally_.recentBarSeconds;
    if (recent.size() < SettledAfter)
        return std::nullopt;
    double mean = 0;
    for (double seconds : recent)
        mean += 60.0 / seconds;
    mean /= recent.size();
    double squares = 0;
    for (double seconds : recent)
        squares += (60.0 / seconds - mean) * (60.0 / seconds - mean);
    return std::sqrt(squares / recent.size());
}

RowTone toneOfRow(const QStringList& fields, bool noDanceChosen)
{
    if (noDanceChosen)
        return RowTone::Black;
    if (fields.size() > 4 && fields.at(4) != QLatin1String("1"))
        return RowTone::Red;
    return RowTone::Green;
}
