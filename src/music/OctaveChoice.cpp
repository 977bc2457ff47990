#include "music/OctaveChoice.h"

#include <algorithm>
#include <cmath>

namespace {

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
