#pragma once
#include "audio/AudioSource.h"
#include "audio/SoundSamples.h"
#include "audio/SpscRing.h"
#include <memory>
#include <vector>

// One mono sound playing from its start to its end.
struct MonoVoice {
    const MonoSound* sound = nullptr;
    std::size_t position = 0;

    float next() { return sound && position < sound->size() ? (*sound)[position++] : 0.0f; }
    // Writes the next frames, the same sample on both channels.
    void renderCentred(float* out, int frames);
};

// The built-in sounds and the beep, one at a time: a new sound cuts off the
// one playing. Mono, centred. It never ends.
class OneShotSource : public AudioSource {
public:
    using Sounds = std::shared_ptr<const std::vector<MonoSound>>;

    explicit OneShotSource(Sounds sounds);

    // The commanding thread. False for an unknown sound (nothing changes) or
    // a full ring.
    bool play(int sound);

    int render(float* out, int frames) override;

private:
    const Sounds sounds_;
    SpscRing<int, 16> requests_;
    // Callback only.
    MonoVoice voice_;
};
