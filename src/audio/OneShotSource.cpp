#include "audio/OneShotSource.h"
#include <algorithm>

void MonoVoice::renderCentred(float* out, int frames)
{
    for (int i = 0; i < frames; ++i)
        std::fill_n(out + std::size_t(i) * AudioSource::Channels, AudioSource::Channels, next());
}

OneShotSource::OneShotSource(Sounds sounds)
    : sounds_(std::move(sounds))
{
}

bool OneShotSource::play(int sound)
{
    return sound >= 0 && sound < int(sounds_->size()) && requests_.push(sound);
}

int OneShotSource::render(float* out, int frames)
{
    for (int sound = 0; requests_.pop(sound);)
        voice_ = MonoVoice{&(*sounds_)[sound], 0};
    voice_.renderCentred(out, frames);
    return frames;
}
