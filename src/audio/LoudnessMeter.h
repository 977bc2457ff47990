#pragma once
#include <memory>

// Loudness by EBU R128 of interleaved float frames fed block by block.
class LoudnessMeter {
public:
    LoudnessMeter(int sampleRate, int channels);
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    void add(const float* frames, int count);
    // Integrated loudness in LUFS; minus infinity for silence.
    double integratedLufs() const;
    // The highest true peak of any channel in dBTP; minus infinity for silence.
    double truePeakDb() const;

private:
    struct State;
    std::unique_ptr<State> state_;
    int channels_;
};

// The gain in dB that brings music of the given loudness to the target, but
// never so far that its true peak passes 0 dBTP. 0 for silence or figures
// that are not numbers.
double gainToTarget(double integratedLufs, double truePeakDb, double targetLufs = -18);
