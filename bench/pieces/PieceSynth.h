#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// What a made-up dance piece sounds like.
struct PieceRecipe {
    double barsPerMinute = 50;
    int beatsPerBar = 4; // 3 or 4 (2/4 dances are written in 4/4 bars of two halves)
    double seconds = 30;
    double swing = 0;  // 0 straight; 1/3 puts the off-eighth at the triplet
    int introBars = 0; // chords alone, without drums, before the groove
    int pattern = 0;   // which drum pattern of the metre
    std::uint32_t seed = 1;
    // Like a recorded ballroom waltz rather than a drum machine: no drums,
    // a soft bass on one, bowed strings and brass stabs on two and three, a
    // melody in eighths with a dotted figure, humanised timing and reverb.
    // Beat trackers read such pieces at about 1.5 times their beat.
    bool orchestral = false;
    double humaniseSeconds = 0; // standard deviation of each note's timing
    double reverb = 0;          // 0 dry; 0.3 a hall
};

// Synthesises drum patterns of the dances with bass and chords, mono, so that
// tempo detection can be measured against a known tempo.
class PieceSynth {
public:
    static constexpr int SampleRate = 44100;
    static constexpr int PatternCount = 3;

    static std::vector<float> render(const PieceRecipe& recipe);
    // 16-bit PCM WAV of interleaved samples; false when the file cannot be written.
    static bool writeWav(const QString& path, const std::vector<float>& samples, int sampleRate = SampleRate,
                         int channels = 1);
};
