#pragma once
#include "tempo/TapSeries.h"
#include <cstdint>
#include <optional>

// A tempo tapped along a playing piece, one tap per bar as in count beat and
// read by the same tap series (a missed or doubled tap is forgiven, a pause
// starts the series anew). It stands in for the detected tempo once enough
// bars were tapped steadily.
class TappedTempo {
public:
    // Fewer bars leave the average at the mercy of one late tap: 30 ms over
    // eight bars at 50 bars/min is 0.3 %.
    static constexpr int SteadyAfterBars = 8;
    // The recent single bars' spread over their mean that a steady hand keeps
    // below: 30 ms of jitter in each of a bar's two taps is 3.5 % of a bar at
    // 60 bars/min, while a tap half a beat off is 12 % at 3/4.
    static constexpr double SteadySpread = 0.05;

    explicit TappedTempo(int beatsPerBar);

    // A tap at this time (nanoseconds of any steady clock).
    void tap(std::int64_t ns);

    int beatsPerBar() const { return beatsPerBar_; }
    int taps() const { return series_.tapCount(); }
    int bars() const { return series_.bars(); }
    // The series' average so far; none before its first interval.
    std::optional<double> barsPerMinute() const;
    // The recent bars' spread, bars per minute (see TapSeries::spread).
    std::optional<double> spread() const { return series_.spread(); }
    bool steady() const;
    // The steady tempo in beats per minute; none while not steady.
    std::optional<double> beatsPerMinute() const;

private:
    const int beatsPerBar_;
    TapSeries series_;
    std::optional<std::int64_t> lastNs_;
};
