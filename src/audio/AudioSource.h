#pragma once

// Something that sounds on the output: a built-in sound, the metronome's
// clicks, a track. The mixer asks every source it plays for the next frames
// in the output's real-time callback and sums them; volume, ramps and fades
// are the mixer's, so a source only delivers its samples.
class AudioSource {
public:
    static constexpr int Channels = 2;

    virtual ~AudioSource() = default;

    // The audio callback only, so it must not block, allocate, lock or call
    // into Qt. Writes up to `frames` interleaved stereo frames at the output's
    // rate to out and returns how many it wrote; fewer than asked means the
    // source has ended (the mixer fills the rest with silence and asks no more).
    virtual int render(float* out, int frames) = 0;
};
