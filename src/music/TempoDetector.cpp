#include "TempoDetector.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr unsigned WindowSize = 1024;
constexpr unsigned HopSize = 256;
constexpr int MinimumBeats = 4;

double Median(std::vector<double> values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Span and count of the runs whose gaps stay within tolerance of period.
double RefinePeriod(const std::vector<double>& times, double period, double tolerance)
{
    double span = 0;
    double count = 0;
    size_t runStart = 0;
    double runCount = 0;
    auto closeRun = [&](size_t end) {
        if (runCount >= 2) {
            span += times[end] - times[runStart];
            count += runCount;
        }
    };
    for (size_t i = 1; i < times.size(); ++i) {
        const double gap = times[i] - times[i - 1];
        const double periods = std::round(gap / period);
        if (periods >= 1 && periods <= 2 && std::abs(gap - periods * period) <= tolerance * period) {
            runCount += periods;
            continue;
        }
        closeRun(i - 1);
        runStart = i;
        runCount = 0;
    }
    closeRun(times.size() - 1);
    return count >= MinimumBeats - 1 ? span / count : 0;
}

struct TempoFreer {
    void operator()(aubio_tempo_t* t) const { del_aubio_tempo(t); }
};
struct VectorFreer {
    void operator()(fvec_t* v) const { del_fvec(v); }
};

} // namespace

double PeriodFromBeatTimes(const std::vector<double>& beatTimes)
{
    if (int(beatTimes.size()) < MinimumBeats)
        return 0;
    std::vector<double> gaps;
    for (size_t i = 1; i < beatTimes.size(); ++i)
        gaps.push_back(beatTimes[i] - beatTimes[i - 1]);
    const double rough = RefinePeriod(beatTimes, Median(gaps), 0.12);
    return rough > 0 ? RefinePeriod(beatTimes, rough, 0.06) : 0;
}

TempoReading DetectTempo(const std::vector<float>& samples, int sampleRate, const std::atomic_bool* cancel)
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
    const double period = PeriodFromBeatTimes(beatTimes);
    if (period <= 0)
        return {};
    return {60.0 / period, int(beatTimes.size())};
}
