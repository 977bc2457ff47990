#pragma once
#include <cstdint>
#include <vector>

// Where one of the known sounds begins in a recording.
struct Onset {
    std::int64_t frame = 0;
    int sound = -1;   // index into the sounds searched for
    double match = 0; // normalised correlation with that sound's beginning, up to 1
};

// Finds the beginnings of the given sounds (mono, at the recording's rate) in
// a mono recording: the places whose next few milliseconds correlate best
// with a sound's first samples, at most one within minGapFrames.
std::vector<Onset> FindOnsets(const std::vector<float>& recording, const std::vector<std::vector<float>>& sounds,
                              std::int64_t minGapFrames, double minMatch = 0.9);

// How onsets spread about the straight line that fits them best (least
// squares over their numbers): the line's spacing, and each onset's distance
// from it, in frames.
struct LineFit {
    double spacingFrames = 0;
    std::vector<double> offsetFrames;
};
LineFit FitStraightLine(const std::vector<Onset>& onsets);

// The stretches of sound in a recording at `rate`, in seconds: [start, end)
// pairs, split where at least minGapSeconds stay below -60 dBFS.
struct SoundingPart {
    double start = 0;
    double end = 0;
    double seconds() const { return end - start; }
};
std::vector<SoundingPart> FindSoundingParts(const std::vector<float>& recording, int rate, double minGapSeconds = 0.5);

// A sine tone at half of full scale.
std::vector<float> SineTone(double hertz, double seconds, int rate);
// Where the sound of a recording begins, and the frame after it ends (above -60 dBFS).
std::size_t FirstSound(const std::vector<float>& recording);
std::size_t LastSound(const std::vector<float>& recording);
// The frequency of a steady tone between two frames, from its rising zero crossings; 0 without two.
double ToneFrequency(const std::vector<float>& samples, std::size_t from, std::size_t to, int rate);
