#include "music/TappedTempo.h"
#include <algorithm>

TappedTempo::TappedTempo(int beatsPerBar)
    : beatsPerBar_(std::max(1, beatsPerBar))
{
}

void TappedTempo::tap(std::int64_t ns)
{
    if (!series_.counting()) {
        series_.start();
        lastNs_ = ns;
        return;
    }
    // Two taps on one clock reading measure nothing; the next one's interval
    // runs from the earlier of them.
    if (lastNs_ && ns <= *lastNs_)
        return;
    // The range only colours count beat's rows, and the window its current tempo.
    series_.addInterval(double(ns - *lastNs_) * 1e-9, TapSeries::MaxWindow, 0, 0);
    lastNs_ = ns;
}

std::optional<double> TappedTempo::barsPerMinute() const
{
    if (series_.bars() == 0 || !(series_.totalSeconds() > 0))
        return std::nullopt;
    return series_.averageTempo();
}

bool TappedTempo::steady() const
{
    const auto average = barsPerMinute();
    const auto spread = series_.spread();
    return average && spread && series_.bars() >= SteadyAfterBars && *spread <= SteadySpread * *average;
}

std::optional<double> TappedTempo::beatsPerMinute() const
{
    if (!steady())
        return std::nullopt;
    return *barsPerMinute() * beatsPerBar_;
}
