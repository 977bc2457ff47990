#include "music/TempoDetector.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <utility>

// The library's vectors, each with one zero past its end. Its beat tracker
// sums its reversed onset window at i + round(period * k) for i below the
// period and k below window / period; for periods just under window / k
// (about 0.05 % of tempos each, any sample rate) that reaches one element past
// the window. The spare zero adds nothing to the sum, as a bounded loop would,
// and keeps the read inside the block. Defined here, it takes the place of the
// library's own for the library's calls too; freed by its del_fvec (free).
extern "C" fvec_t* new_fvec(uint_t length)
{
    if (sint_t(length) <= 0)
        return nullptr;
    auto* vector = static_cast<fvec_t*>(std::calloc(1, sizeof(fvec_t)));
    if (!vector)
        return nullptr;
    vector->length = length;
    vector->data = static_cast<smpl_t*>(std::calloc(size_t(length) + 1, sizeof(smpl_t)));
    if (!vector->data) {
        std::free(vector);
        return nullptr;
    }
    return vector;
}

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

// The period fitted twice from a first guess: loosely, then tightly around
// the loose fit. 0 when fewer than MinimumBeats keep a pulse.
double fitPeriod(const std::vector<double>& times, double guess)
{
    const double rough = refinePeriod(times, guess, 0.25);
    return rough > 0 ? refinePeriod(times, rough, kGridTolerance) : 0;
}

struct TempoFreer {
    void operator()(aubio_tempo_t* t) const { del_aubio_tempo(t); }
};
struct VectorFreer {
    void operator()(fvec_t* v) const { del_fvec(v); }
};
struct SpectrumFreer {
    void operator()(cvec_t* v) const { del_cvec(v); }
};
struct VocoderFreer {
    void operator()(aubio_pvoc_t* p) const { del_aubio_pvoc(p); }
};

// Onsets repeat within a few bars; longer lags add cost, not evidence.
constexpr double kLongestLagSeconds = 5.0;
constexpr double kSlowestBeat = 60;
constexpr double kFastestBeat = 220;
// Ratios under which a tracker's pulse and the strongest one tell the same
// tempo, after the octave choice: whole multiples and the 3/4-4/4 confusions.
constexpr double kRelatives[] = {1, 2, 0.5, 3, 1.0 / 3, 4, 0.25, 6, 1.0 / 6, 1.5, 2.0 / 3};
constexpr double kSameTempo = 0.005;
// Below this sound the bass and the accompaniment's chords, which mark a
// waltz's beats; above it, melody, ornaments and reverb tails add onsets
// between them. Without drums, the onsets of all bands repeat at the beat
// hardly more than anywhere near it.
constexpr double kLowBandHz = 500;
// A grid's search for the onset of each beat, in periods, and how far it follows the onset it found.
constexpr double kGridReach = 0.1;
constexpr double kGridFollow = 0.3;

// The time within the first period after the first sound at which the
// onsets, summed along a grid of the period, are strongest.
double strongestPhase(const std::vector<float>& envelope, double framesPerSecond, double period, double firstSound)
{
    double best = firstSound;
    double bestSum = -1;
    for (double phase = firstSound; phase < firstSound + period; phase += 1 / framesPerSecond) {
        double sum = 0;
        for (double t = phase; t * framesPerSecond < double(envelope.size()); t += period)
            sum += envelope[std::size_t(t * framesPerSecond)];
        if (sum > bestSum) {
            bestSum = sum;
            best = phase;
        }
    }
    return best;
}

// Log-compressed spectral flux by frame, of all bins and of the low band.
struct OnsetEnvelopes {
    std::vector<float> all;
    std::vector<float> low;
    std::vector<float> previous; // the last frame's levels
    unsigned lowBins = 0;

    OnsetEnvelopes(std::size_t frames, unsigned bins, int sampleRate)
        : previous(bins, 0.0f),
          lowBins(unsigned(kLowBandHz * WindowSize / sampleRate))
    {
        all.reserve(frames);
        low.reserve(frames);
    }
    void add(const cvec_t& spectrum)
    {
        float flux = 0;
        float lowFlux = 0;
        for (unsigned bin = 0; bin < spectrum.length; ++bin) {
            const float level = std::log1p(100.0f * spectrum.norm[bin]);
            const float rise = std::max(0.0f, level - previous[bin]);
            flux += rise;
            lowFlux += bin < lowBins ? rise : 0.0f;
            previous[bin] = level;
        }
        all.push_back(flux);
        low.push_back(lowFlux);
    }
};

} // namespace

PeriodicityCheck::PeriodicityCheck(const std::vector<float>& envelope, double framesPerSecond)
    : framesPerSecond_(framesPerSecond)
{
    // Less the local mean (half a second), so that swells and fades do not
    // correlate with themselves at every lag.
    const std::size_t n = envelope.size();
    const std::size_t half = std::size_t(framesPerSecond * 0.25);
    std::vector<double> sums(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        sums[i + 1] = sums[i] + envelope[i];
    onsets_.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t from = i > half ? i - half : 0;
        const std::size_t to = std::min(n, i + half + 1);
        onsets_[i] = float(std::max(0.0, envelope[i] - (sums[to] - sums[from]) / double(to - from)));
    }
    const std::size_t lags = std::min(n, std::size_t(kLongestLagSeconds * framesPerSecond) + 2);
    correlation_.assign(lags, 0);
    for (std::size_t lag = 0; lag < lags; ++lag) {
        double sum = 0;
        for (std::size_t i = lag; i < n; ++i)
            sum += double(onsets_[i]) * double(onsets_[i - lag]);
        correlation_[lag] = sum / double(n - lag);
    }
    // Divided by a copy: front() itself becomes 1 on the first pass.
    if (!correlation_.empty() && correlation_[0] > 0) {
        const double atZero = correlation_.front();
        for (double& value : correlation_)
            value /= atZero;
    }
}

double PeriodicityCheck::at(double lag) const
{
    const auto below = std::size_t(lag);
    if (below + 1 >= correlation_.size())
        return 0;
    const double part = lag - double(below);
    return correlation_[below] * (1 - part) + correlation_[below + 1] * part;
}

double PeriodicityCheck::score(double beatsPerMinute) const
{
    if (beatsPerMinute <= 0 || correlation_.size() < 3)
        return 0;
    const double period = 60.0 / beatsPerMinute * framesPerSecond_;
    const double longest = double(correlation_.size() - 2);
    double sum = 0;
    int count = 0;
    for (double lag = period; lag <= longest; lag += period, ++count)
        sum += at(lag);
    return count > 0 ? sum / count : 0;
}

double PeriodicityCheck::peakNear(double beatsPerMinute, double fraction) const
{
    double best = beatsPerMinute;
    double bestScore = -1;
    for (double step = -fraction; step <= fraction; step += 0.0002) {
        const double candidate = beatsPerMinute * (1 + step);
        const double value = score(candidate);
        if (value > bestScore) {
            bestScore = value;
            best = candidate;
        }
    }
    return best;
}

double PeriodicityCheck::strongest() const
{
    double best = 0;
    double bestScore = -1;
    // Coarse steps of 0.5 %, narrower than a comb peak at five seconds of lag.
    for (double candidate = kSlowestBeat; candidate <= kFastestBeat; candidate *= 1.005) {
        const double value = score(candidate);
        if (value > bestScore) {
            bestScore = value;
            best = candidate;
        }
    }
    return best > 0 ? peakNear(best, 0.006) : 0;
}

GridFit PeriodicityCheck::fitGrid(double beatsPerMinute) const
{
    const double period = 60.0 / beatsPerMinute;
    const double seconds = double(onsets_.size()) / framesPerSecond_;
    if (beatsPerMinute <= 0 || period * framesPerSecond_ < 2 || seconds < MinimumBeats * period)
        return {};
    const double mean = std::accumulate(onsets_.begin(), onsets_.end(), 0.0) / double(onsets_.size());
    // The grid takes the strongest onset near each beat when it stands above
    // the mean, and follows it part of the way: enough for a drifting band,
    // too little to be pulled off by one stray note.
    std::vector<double> times;
    int slots = 0;
    for (double expected = strongestPhase(onsets_, framesPerSecond_, period, 0); expected < seconds;
         expected += period, ++slots) {
        const auto from = std::size_t(std::max(0.0, std::ceil((expected - kGridReach * period) * framesPerSecond_)));
        const auto to = std::min(onsets_.size(), std::size_t((expected + kGridReach * period) * framesPerSecond_) + 1);
        if (from >= to)
            continue;
        const auto peak =
            std::max_element(onsets_.begin() + std::ptrdiff_t(from), onsets_.begin() + std::ptrdiff_t(to));
        if (*peak <= mean)
            continue;
        const double at = double(peak - onsets_.begin()) / framesPerSecond_;
        times.push_back(at);
        expected += kGridFollow * (at - expected);
    }
    const double fitted = times.size() >= MinimumBeats ? fitPeriod(times, period) : 0;
    return {fitted > 0 ? 60.0 / fitted : 0, slots > 0 ? double(times.size()) / slots : 0};
}

void checkPeriodicity(TempoReading& reading, const PeriodicityCheck& check)
{
    if (reading.beatsPerMinute <= 0)
        return;
    const double strongest = check.strongest();
    const double strongestScore = check.score(strongest);
    if (strongest <= 0 || strongestScore <= 0)
        return;
    // How far the strongest pulse stands out of all tempos: near 0 for music without a steady one.
    double sum = 0;
    int count = 0;
    for (double candidate = kSlowestBeat; candidate <= kFastestBeat; candidate *= 1.01, ++count)
        sum += check.score(candidate);
    const double prominence = std::clamp(1 - sum / count / strongestScore, 0.0, 1.0);
    for (double ratio : kRelatives) {
        if (std::abs(reading.beatsPerMinute / (strongest * ratio) - 1) <= kSameTempo) {
            // The tracker's grid fit is the finer figure; two methods agreeing leave little doubt.
            reading.confidence = 0.5 + 0.5 * prominence;
            return;
        }
    }
    // The tracker's pulse is no exact relative: sure as far as the onsets repeat at it less.
    const double margin = 1 - check.score(check.peakNear(reading.beatsPerMinute, 0.01)) / strongestScore;
    reading.alternativeBeatsPerMinute = reading.beatsPerMinute;
    reading.beatsPerMinute = strongest;
    reading.confidence = std::clamp(std::min(prominence, margin), 0.0, 1.0);
}

double periodFromBeatTimes(const std::vector<double>& beatTimes)
{
    if (int(beatTimes.size()) < MinimumBeats)
        return 0;
    std::vector<double> gaps;
    for (size_t i = 1; i < beatTimes.size(); ++i)
        gaps.push_back(beatTimes[i] - beatTimes[i - 1]);
    return fitPeriod(beatTimes, median(gaps));
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
    // The onset check was tuned at the analysis's own 22.05 kHz; at twice that
    // its comb read a recording of a stretched piece at 6/5 of the beat.
    if (sampleRate > 32000) {
        std::vector<float> half(samples.size() / 2);
        for (std::size_t i = 0; i < half.size(); ++i)
            half[i] = 0.5f * (samples[2 * i] + samples[2 * i + 1]);
        return detectTempo(half, sampleRate / 2, cancel);
    }
    std::unique_ptr<aubio_tempo_t, TempoFreer> tracker(
        new_aubio_tempo("default", WindowSize, HopSize, unsigned(sampleRate)));
    std::unique_ptr<fvec_t, VectorFreer> block(new_fvec(HopSize));
    std::unique_ptr<fvec_t, VectorFreer> beat(new_fvec(1));
    std::unique_ptr<aubio_pvoc_t, VocoderFreer> vocoder(new_aubio_pvoc(WindowSize, HopSize));
    std::unique_ptr<cvec_t, SpectrumFreer> spectrum(new_cvec(WindowSize));
    if (!tracker || !block || !beat || !vocoder || !spectrum)
        return {};
    std::vector<double> beatTimes;
    OnsetEnvelopes envelopes(samples.size() / HopSize + 1, spectrum->length, sampleRate);
    for (size_t start = 0; start + HopSize <= samples.size(); start += HopSize) {
        if (cancel && (start / HopSize) % 256 == 0 && cancel->load())
            return {};
        std::copy_n(samples.data() + start, HopSize, block->data);
        aubio_tempo_do(tracker.get(), block.get(), beat.get());
        if (beat->data[0] != 0)
            beatTimes.push_back(aubio_tempo_get_last_s(tracker.get()));
        aubio_pvoc_do(vocoder.get(), block.get(), spectrum.get());
        envelopes.add(*spectrum);
    }
    const double period = periodFromBeatTimes(beatTimes);
    if (period <= 0)
        return {};
    const double firstSound = firstSoundTime(samples, sampleRate);
    TempoReading reading{60.0 / period, int(beatTimes.size()), firstBeatTime(beatTimes, period, firstSound),
                         firstSound};
    const double framesPerSecond = double(sampleRate) / HopSize;
    checkPeriodicity(reading, PeriodicityCheck(envelopes.all, framesPerSecond));
    if (reading.alternativeBeatsPerMinute > 0) {
        // The range's reading asks for the beat and the bar, which the low band carries best.
        reading.onsets = std::make_shared<const PeriodicityCheck>(envelopes.low, framesPerSecond);
        // The tracker's beats lie on another grid: the phase comes from the onsets.
        const double beatSeconds = 60.0 / reading.beatsPerMinute;
        reading.firstBeatSeconds = earliestBeat(strongestPhase(envelopes.all, framesPerSecond, beatSeconds, firstSound),
                                                beatSeconds, firstSound);
    }
    return reading;
}
