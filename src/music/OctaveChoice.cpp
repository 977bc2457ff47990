#include "music/OctaveChoice.h"
#include "music/TempoDetector.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// How far around the range candidates are scored, and in what steps.
constexpr double kWidening = 0.08;
constexpr double kStep = 1.001;
// Candidates closer than this to the best are the same tempo to the music check.
constexpr double kSameCandidate = 0.01;
// Of the strongest pulse's score, what the best in the range must reach at its beat.
constexpr double kLeastStanding = 0.5;
// The fitted grid may move the best by less than this, or it followed another pulse.
constexpr double kFitReach = 0.01;

// From the plainest to the most far-fetched; earlier ones win ties.
constexpr double Factors[] = {1, 2, 0.5, 1.5, 2.0 / 3, 3, 1.0 / 3, 4, 0.25};

double distanceToRange(double bars, const TempoRange& range)
{
    if (bars < range.min)
        return (range.min - bars) / range.min;
    if (bars > range.max)
        return (bars - range.max) / range.max;
    return 0;
}

struct Candidate {
    double weight;
    double bars;
    GridFit fit;
};

// The tempos from lowest to highest whose score is a local maximum; mean is
// set to the score's mean over them all.
template <typename Score>
std::vector<double> peaksOf(const Score& score, double lowest, double highest, double& mean)
{
    std::vector<double> peaks;
    double sum = 0;
    int count = 0;
    double before = score(lowest / kStep);
    double here = score(lowest);
    for (double bars = lowest; bars <= highest; bars *= kStep, ++count) {
        const double after = score(bars * kStep);
        if (here > before && here >= after)
            peaks.push_back(bars);
        sum += here;
        before = here;
        here = after;
    }
    mean = count > 0 ? sum / count : 0;
    return peaks;
}

} // namespace

OctaveChoice chooseOctave(double beatsPerMinute, int beatsPerBar, std::optional<TempoRange> range)
{
    const double asRead = beatsPerMinute / std::max(1, beatsPerBar);
    if (!range || !range->valid() || beatsPerMinute <= 0)
        return {asRead, 1};
    OctaveChoice best{asRead, 1};
    double bestDistance = distanceToRange(asRead, *range);
    for (double factor : Factors) {
        const double distance = distanceToRange(asRead * factor, *range);
        // A hair's difference is no reason to leave a plainer reading.
        if (distance < bestDistance - 1e-9) {
            best = {asRead * factor, factor};
            bestDistance = distance;
        }
    }
    return best;
}

RangeReading readInRange(const PeriodicityCheck& onsets, int beatsPerBar, const TempoRange& range)
{
    if (!range.valid() || beatsPerBar < 1)
        return {};
    const double lowest = range.min * (1 - kWidening);
    const double highest = range.max * (1 + kWidening);
    const auto score = [&](double bars) { return onsets.score(bars * beatsPerBar) + onsets.score(bars); };
    double mean = 0;
    // Each peak weighted by the share of its beats that meet an onset: a
    // pulse between the beats can repeat at its bar as well, but misses beats.
    std::vector<Candidate> candidates;
    for (double bars : peaksOf(score, lowest, highest, mean)) {
        const GridFit fit = onsets.fitGrid(bars * beatsPerBar);
        candidates.push_back({score(bars) * fit.share, bars, fit});
    }
    if (candidates.empty())
        return {};
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.weight > b.weight; });
    const Candidate& best = candidates.front();
    // At the edge the truth may lie beyond what was searched.
    if (best.bars * kStep * kStep > highest || best.bars < lowest * kStep * kStep)
        return {};
    const auto rival = std::find_if(candidates.begin(), candidates.end(), [&best](const Candidate& candidate) {
        return std::abs(candidate.bars / best.bars - 1) > kSameCandidate;
    });
    const double beat = best.bars * beatsPerBar;
    // A beat the onsets repeat at far less than at the piece's strongest
    // pulse is no reading of it (a slow comb can score by one coincidence at
    // its bar): the truth lies beyond the search.
    if (onsets.score(beat) < kLeastStanding * onsets.score(onsets.strongest()))
        return {};
    RangeReading reading;
    const double fitted = best.fit.beatsPerMinute;
    reading.beatsPerMinute = std::abs(fitted / beat - 1) < kFitReach ? fitted : beat;
    reading.rivalBeatsPerMinute = rival == candidates.end() ? 0 : rival->bars * beatsPerBar;
    // How far the best stands out beyond the rival, of how far it stands out of the window's mean.
    const double floor = mean * best.fit.share;
    const double rivalWeight = rival == candidates.end() ? floor : std::max(floor, rival->weight);
    reading.confidence =
        best.weight > floor ? std::clamp((best.weight - rivalWeight) / (best.weight - floor), 0.0, 1.0) : 0;
    return reading;
}
