#include "music/TempoDetector.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr unsigned WindowSize = 1024;
constexpr unsigned HopSize = 256;
constexpr int MinimumBeats = 4;
// How far a beat may stray from the grid and still be on it, in periods.
constexpr double kGridTolerance = 0.15;

double median(std::vector<double> values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Sums of one run's least-squares fit of beat time over beat number.
struct RunFit {
    std::vector<double> numbers;
    std::vector<double> times;

    void add(double number, double time)
    {
        numbers.push_back(number);
        times.push_back(time);
    }
    // Adds the run's centred sums to the pooled ones; each run keeps its own offset.
    void poolInto(double& sxy, double& sxx) const
    {
        if (numbers.size() < 3)
            return;
        double meanN = 0;
        double meanT = 0;
        for (size_t i = 0; i < numbers.size(); ++i) {
            meanN += numbers[i];
            meanT += times[i];
        }
        meanN /= double(numbers.size());
        meanT /= double(numbers.size());
        for (size_t i = 0; i < numbers.size(); ++i) {
            sxy += (numbers[i] - meanN) * (times[i] - meanT);
            sxx += (numbers[i] - meanN) * (numbers[i] - meanN);
        }
    }
};

// The pulse's period fitted over the runs whose gaps stay within tolerance
// of one or two periods (a missed beat); a gap outside starts a new run.
double refinePeriod(const std::vector<double>& times, double period, double tolerance)
{
    double sxy = 0;
    double sxx = 0;
    int fitted = 0;
    RunFit run;
    run.add(0, times[0]);
    for (size_t i = 1; i < times.size(); ++i) {
        const double gap = times[i] - times[i - 1];
        const double periods = std::round(gap / period);
        if (periods >= 1 && periods <= 2 && std::abs(gap - periods * period) <= tolerance * period) {
            run.add(run.numbers.back() + periods, times[i]);
            continue;
        }
        run.poolInto(sxy, sxx);
        fitted += run.numbers.size() >= 3 ? int(run.numbers.size()) : 0;
        run = RunFit();
        run.add(0, times[i]);
    }
    run.poolInto(sxy, sxx);
    fitted += run.numbers.size() >= 3 ? int(run.numbers.size()) : 0;
    return fitted >= MinimumBeats && sxx > 0 ? sxy / sxx : 0;
}

struct TempoFreer {
    void operator()(aubio_tempo_t* t) const { del_aubio_tempo(t); }
};
struct VectorFreer {
    void operator()(fvec_t* v) const { del_fvec(v); }
};

} // namespace

double periodFromBeatTimes(const std::vector<double>& beatTimes)
{
    if (int(beatTimes.size()) < MinimumBeats)
        return 0;
    std::vector<double> gaps;
    for (size_t i = 1; i < beatTimes.size(); ++i)
        gaps.push_back(beatTimes[i] - beatTimes[i - 1]);
    const double rough = refinePeriod(beatTimes, median(gaps), 0.25);
    return rough > 0 ? refinePeriod(beatTimes, rough, 0.15) : 0;
}

double firstBeatTime(const std::vector<double>& beatTimes, double period, double firstSoundSeconds)
{
    if (beatTimes.empty())
        return 0;
    const auto onGrid = [&](std::size_t i) {
        return std::abs(beatTimes[i] - beatTimes[i - 1] - period) <= kGridTolerance * period;
    };
    double first = beatTimes.front();
    for (std::size_t i = 0; period > 0 && i + 2 < beatTimes.size(); ++i) {
        if (onGrid(i + 1) && onGrid(i + 2)) {
            first = beatTimes[i];
            break;
        }
    }
    return earliestBeat(first, period, firstSoundSeconds);
}

double earliestBeat(double beat, double period, double firstSoundSeconds)
{
    if (period <= 0)
        return beat;
    const double wholePeriods = std::floor((beat - firstSoundSeconds) / period + kGridTolerance);
    return std::max(0.0, beat - std::max(0.0, wholePeriods) * period);
}

namespace {

// The first sample that is not silence (above -40 dBFS), in seconds.
double firstSoundTime(const std::vector<float>& samples, int sampleRate)
{
    const auto loud = std::find_if(samples.begin(), samples.end(), [](float s) { return std::abs(s) > 0.01f; });
    return double(loud - samples.begin()) / sampleRate;
}

} // namespace

TempoReading detectTempo(const std::vector<float>& samples, int sampleRate, const std::atomic_bool* cancel)
{
    std::unique_ptr<aubio_tempo_t, TempoFreer> tracker(
        new_aubio_tempo("default", WindowSize, HopSize, unsigned(sampleRate)));
    std::unique_ptr<fvec_t, VectorFreer> block(new_fvec(HopSize));
    std::unique_ptr<fvec_t, VectorFreer> beat(new_fvec(1));
    if (!tracker || !block || !beat)
        return {};
    std::vector<double> beatTimes;
    for (size_t start = 0; start + HopSize <= samples.size(); start += HopSize) {
        if (cancel && (start / HopSize) % 256 == 0 && cancel->load())
            return {};
        std::copy_n(samples.data() + start, HopSize, block->data);
        aubio_tempo_do(tracker.get(), block.get(), beat.get());
        if (beat->data[0] != 0)
            beatTimes.push_back(aubio_tempo_get_last_s(tracker.get()));
    }
    const double period = periodFromBeatTimes(beatTimes);
    if (period <= 0)
        return {};
    const double firstSound = firstSoundTime(samples, sampleRate);
    return {60.0 / period, int(beatTimes.size()), firstBeatTime(beatTimes, period, firstSound), firstSound};
}
