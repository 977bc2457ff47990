#pragma once
#include "rules/RuleTables.h"
#include <optional>

class PeriodicityCheck;

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

// A dance's tempo read from the onsets themselves, for when the tracker's
// pulse is in doubt: every tempo in and around the range (widened to see
// tracks that miss it) scores by how the onsets repeat at its beat and at its
// bar; the best is refined by fitting its beat grid through the onsets.
struct RangeReading {
    // Of the dance's beat; 0 when the range holds no reading (its best lies at
    // the edge of the search, or repeats far less than the piece's strongest pulse).
    double beatsPerMinute = 0;
    // 0 to 1: how far the best stands out of the other candidates, each
    // weighted by how well its beat grid meets the onsets.
    double confidence = 0;
    double rivalBeatsPerMinute = 0; // the best candidate of another tempo; 0 when none
};
RangeReading readInRange(const PeriodicityCheck& onsets, int beatsPerBar, const TempoRange& range);
