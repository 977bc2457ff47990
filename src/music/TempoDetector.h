#pragma once
#include <atomic>
#include <memory>
#include <vector>

class PeriodicityCheck;

// A tempo read from audio, in beats per minute of whatever pulse the beat
// tracker followed; 0 when it found no steady pulse.
struct TempoReading {
    double beatsPerMinute = 0;
    int beats = 0;                // the tracked beats the figure rests on
    double firstBeatSeconds = 0;  // where the music's first beat falls, see firstBeatTime()
    double firstSoundSeconds = 0; // the first sample that is not silence
    // 0 to 1: how clearly the onsets repeat at this tempo rather than at a
    // rival one (see PeriodicityCheck); below UncertainBelow the figure is a guess.
    double confidence = 1;
    // The rival tempo in beats per minute when the check doubted; 0 otherwise.
    double alternativeBeatsPerMinute = 0;
    // The periodicity of the onsets below 500 Hz (bass and accompaniment),
    // kept when the onsets and the tracker disagreed, so that a dance's range
    // can settle the tempo (see readInRange).
    std::shared_ptr<const PeriodicityCheck> onsets{};

    // Set on pieces rendered from arranged MIDI: their misses (fast waltzes
    // whose tracker followed no relative of the beat) read up to 0.30, right
    // readings as low as 0.31; the margin costs a few right ones their certainty.
    static constexpr double UncertainBelow = 0.35;
    bool uncertain() const { return beatsPerMinute > 0 && confidence < UncertainBelow; }
};

// How a grid of one tempo fits a piece's onsets, beat by beat.
struct GridFit {
    double beatsPerMinute = 0; // fitted through the onsets on the grid; 0 when too few were
    double share = 0;          // of the grid's beats, those with an onset, 0 to 1
};

// How strongly an onset envelope repeats at a beat period: the mean of its
// autocorrelation at one to several periods (a comb), so that a true pulse,
// whose every multiple is a peak, outscores a tempo between the beat and its
// subdivisions that the tracker may settle on.
class PeriodicityCheck {
public:
    // envelope: onset strength per frame, framesPerSecond of them a second.
    PeriodicityCheck(const std::vector<float>& envelope, double framesPerSecond);
    double score(double beatsPerMinute) const;
    // The best-scoring tempo within the given fraction of a tempo, to 0.02 %.
    double peakNear(double beatsPerMinute, double fraction) const;
    // The best-scoring tempo from 60 to 220 beats per minute.
    double strongest() const;
    // Follows a grid of the tempo through the onsets, from the phase where
    // they are strongest, letting it drift with them; the tempo fitted through
    // the onsets it met (split into runs as for tracked beats).
    GridFit fitGrid(double beatsPerMinute) const;

private:
    double at(double lag) const;
    // The envelope less its local mean, by frame; floats, since a reading
    // whose tracker disagreed keeps it as long as its row.
    std::vector<float> onsets_;
    std::vector<double> correlation_; // by lag in frames, 1 at lag 0
    double framesPerSecond_ = 0;
};

// Checks a tracker's tempo against the onset envelope's periodicity: kept
// when it is an exact relative (whole multiples and 3/2) of the strongest
// pulse, replaced by that pulse otherwise, with the confidence of the result.
void checkPeriodicity(TempoReading& reading, const PeriodicityCheck& check);

// The period of a steady pulse from the times of tracked beats, in seconds:
// the beats are split into runs whose gaps are one or two periods (a missed
// beat), and a straight line fitted through each run's beat times, with one
// slope for all runs, gives the period; that averages the tracker's
// frame-sized jitter away over the whole piece. 0 when fewer than four beats
// keep a pulse.
double periodFromBeatTimes(const std::vector<double>& beatTimes);

// Where a piece's first beat falls: the first tracked beat that the next two
// follow at one period each, moved back by whole periods as long as that stays
// at or after the first sound. A tracker needs a few bars to lock on, but the
// music's pulse was there from the start. The first tracked beat when no
// three follow each other; 0 without beats.
double firstBeatTime(const std::vector<double>& beatTimes, double period, double firstSoundSeconds);
// A beat moved back by whole periods as long as that stays at or after the
// first sound (less a little for the tracker's jitter). With the period of the
// beat the octave choice settled on, this finds the first beat where the
// tracker followed every second one.
double earliestBeat(double beat, double period, double firstSoundSeconds);

// Tracks the beats of mono audio with the onset-based beat tracker and reads
// their tempo. Polls cancel between blocks (a cancelled reading is empty).
TempoReading detectTempo(const std::vector<float>& samples, int sampleRate, const std::atomic_bool* cancel = nullptr);
