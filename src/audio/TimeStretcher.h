#pragma once

// How a stretcher trades CPU for sound: Faster for every machine, Finer for
// a clearer sound on a fast one.
enum class StretchQuality { Faster, Finer };

// Where a stretcher takes the music from: interleaved stereo frames.
class FrameSupply {
public:
    virtual ~FrameSupply() = default;
    // Writes up to frames frames to out; fewer means the music has ended.
    virtual int supply(float* out, int frames) = 0;
};

// Changes the music's duration but not its pitch. The time ratio is heard
// duration over music duration: 1/1.08 plays 8 % faster. Runs on the track's
// worker, never in the audio callback.
class TimeStretcher {
public:
    static constexpr int Channels = 2;

    virtual ~TimeStretcher() = default;

    // Forgets all music given so far: a new piece, or the same after a seek.
    virtual void restart(int sampleRate, double timeRatio) = 0;
    // Applies to the music pulled from now on.
    virtual void setTimeRatio(double timeRatio) = 0;
    // Writes up to frames stretched frames to out, pulling music as needed,
    // and returns how many; fewer means the music has ended and is all out.
    virtual int pull(FrameSupply& music, float* out, int frames) = 0;
};
