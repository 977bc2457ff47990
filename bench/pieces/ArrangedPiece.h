#pragma once
#include <QString>
#include <cstdint>

enum class ArrangedDance { SlowWaltz, VienneseWaltz, Tango, SlowFox, Quickstep, Samba, ChaCha, Rumba, PasoDoble, Jive };

// What an arranged dance piece plays; written as MIDI for a General MIDI
// sample bank, so that it sounds like a recording rather than test tones.
struct ArrangementRecipe {
    ArrangedDance dance = ArrangedDance::SlowWaltz;
    double barsPerMinute = 29; // the mean over the groove; bars of the dance's rules (2/4 for samba and paso doble)
    double seconds = 60;
    int variant = 0;            // the dance's instrumentation: with or without drums, brushes or sticks
    int introBars = 0;          // out of time before the groove: free rubato chords and melody
    bool withBreak = false;     // two bars after the middle without rhythm section
    double drift = 0;           // slow swing of the tempo around its mean, as a share (0.005: up to 0.5 %)
    double humaniseSeconds = 0; // standard deviation of each note's timing
    std::uint32_t seed = 1;
};

class ArrangedPiece {
public:
    static int beatsPerBar(ArrangedDance dance);
    static int variantCount(ArrangedDance dance);
    // Writes the piece as a standard MIDI file and returns its true bars per
    // minute, the mean over whole bars of the groove; 0 when not written.
    static double writeMidi(const ArrangementRecipe& recipe, const QString& path);
};
