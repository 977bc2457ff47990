#pragma once
#include "rules/RuleTables.h"
#include <optional>

// The reading of a beat tracker turned into bars per minute.
struct OctaveChoice {
    double barsPerMinute = 0;
    // What the tracker's pulse was multiplied by: 1 when it was taken as it
    // came, 2 when the tracker followed half the beats, 2/3 when it followed
    // the triplet of a 4/4 or the eighths of a 3/4, and so on.
    double factor = 1;
    bool chosen() const { return factor != 1; }
};

// Beat trackers lock on to half or double the beat, or read a 3/4 pulse in
// 4/4 and the other way round. Without a range (or with an empty one) the
// reading is taken as it comes; with one, among the reading times 1/4, 1/3,
// 1/2, 2/3, 1, 3/2, 2, 3 and 4 the one inside the range (or, when none is, the
// one nearest to it relative to the bound) wins, and between equals the
// plainer factor.
OctaveChoice chooseOctave(double beatsPerMinute, int beatsPerBar, std::optional<TempoRange> range);
