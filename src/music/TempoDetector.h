#pragma once
#include <atomic>
#include <vector>

// A tempo read from audio, in beats per minute of whatever pulse the beat
// tracker followed; 0 when it found no steady pulse.
struct TempoReading {
    double beatsPerMinute = 0;
    int beats = 0; // the tracked beats the figure rests on
};

// The period of a steady pulse from the times of tracked beats, in seconds:
// the beats are split into runs whose gaps are one or two periods (a missed
// beat), and a straight line fitted through each run's beat times, with one
// slope for all runs, gives the period; that averages the tracker's
// frame-sized jitter away over the whole piece. 0 when fewer than four beats
// keep a pulse.
double periodFromBeatTimes(const std::vector<double>& beatTimes);

// Tracks the beats of mono audio with the onset-based beat tracker and reads
// their tempo. Polls cancel between blocks (a cancelled reading is empty).
TempoReading detectTempo(const std::vector<float>& samples, int sampleRate, const std::atomic_bool* cancel = nullptr);
