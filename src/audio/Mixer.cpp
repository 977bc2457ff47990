#include "audio/Mixer.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr int kChannels = AudioSource::Channels;
constexpr double kQuarterTurn = 1.5707963267948966;

} // namespace

Mixer::Mixer(int sampleRate)
    : sampleRate_(sampleRate),
      rampFrames_(std::max(1, int(std::lround(RampSeconds * sampleRate))))
{
}

int Mixer::slotOf(SourceId id) const
{
    if (id == 0)
        return -1;
    const auto it = std::find(ownedIds_.begin(), ownedIds_.end(), id);
    return it == ownedIds_.end() ? -1 : int(it - ownedIds_.begin());
}

Mixer::SourceId Mixer::add(std::shared_ptr<AudioSource> source, float gain)
{
    collect();
    const auto free = std::find(ownedIds_.begin(), ownedIds_.end(), SourceId(0));
    if (!source || free == ownedIds_.end())
        return 0;
    const int slot = int(free - ownedIds_.begin());
    const SourceId id = ++lastId_;
    if (!commands_.push(Command{Kind::Add, slot, id, source.get(), gain, 0, 0}))
        return 0;
    owned_[slot] = std::move(source);
    ownedIds_[slot] = id;
    return id;
}

void Mixer::setGain(SourceId id, float gain)
{
    if (const int slot = slotOf(id); slot >= 0)
        commands_.push(Command{Kind::SetGain, slot, id, nullptr, gain, 0, 0});
}

void Mixer::fadeOut(SourceId id, std::int64_t endFrame, std::int64_t lengthFrames)
{
    if (const int slot = slotOf(id); slot >= 0)
        commands_.push(Command{Kind::Fade, slot, id, nullptr, 0, endFrame, std::max<std::int64_t>(1, lengthFrames)});
}

void Mixer::fadeOutNow(SourceId id, std::int64_t lengthFrames)
{
    if (const int slot = slotOf(id); slot >= 0)
        commands_.push(Command{Kind::FadeNow, slot, id, nullptr, 0, 0, std::max<std::int64_t>(1, lengthFrames)});
}

void Mixer::remove(SourceId id)
{
    if (const int slot = slotOf(id); slot >= 0)
        commands_.push(Command{Kind::Remove, slot, id, nullptr, 0, 0, 0});
}

void Mixer::collect()
{
    int slot = -1;
    while (ended_.pop(slot)) {
        owned_[slot].reset();
        ownedIds_[slot] = 0;
    }
}

std::optional<std::int64_t> Mixer::startFrame(SourceId id) const
{
    const int slot = slotOf(id);
    if (slot < 0 || status_[slot].id.load(std::memory_order_acquire) != id)
        return std::nullopt;
    return status_[slot].start.load(std::memory_order_relaxed);
}

std::optional<std::int64_t> Mixer::endFrame(SourceId id) const
{
    const int slot = slotOf(id);
    if (slot < 0 || status_[slot].id.load(std::memory_order_acquire) != id)
        return std::nullopt;
    const std::int64_t end = status_[slot].end.load(std::memory_order_acquire);
    return end < 0 ? std::nullopt : std::optional<std::int64_t>(end);
}

bool Mixer::playing(SourceId id) const
{
    return slotOf(id) >= 0 && !endFrame(id);
}

std::optional<StreamAnchor> Mixer::anchor() const
{
    // A sequence lock: an odd or changed sequence means the callback wrote meanwhile.
    for (;;) {
        const std::uint32_t before = anchorSequence_.load(std::memory_order_acquire);
        if (before & 1u)
            continue;
        const StreamAnchor read{anchorFrame_.load(std::memory_order_relaxed),
                                anchorDacTime_.load(std::memory_order_relaxed),
                                anchorBufferFrames_.load(std::memory_order_relaxed)};
        std::atomic_thread_fence(std::memory_order_acquire);
        if (anchorSequence_.load(std::memory_order_relaxed) != before)
            continue;
        if (before == 0)
            return std::nullopt;
        return read;
    }
}

std::optional<double> Mixer::heardFrame(double streamTime) const
{
    const auto latest = anchor();
    if (!latest)
        return std::nullopt;
    // A stream that pauses (as one to a sound server does while it starts)
    // has rendered no further than its last buffer.
    const double heard = double(latest->frame) + (streamTime - latest->dacTime) * sampleRate_;
    return std::min(heard, double(latest->frame + latest->bufferFrames));
}

std::optional<double> Mixer::heardSourceFrame(SourceId id, double streamTime) const
{
    const auto start = startFrame(id);
    const auto heard = heardFrame(streamTime);
    if (!start || !heard)
        return std::nullopt;
    return *heard - double(*start);
}

void Mixer::render(float* out, int frames, int channels, double dacTime)
{
    publishAnchor(dacTime, frames);
    takeCommands();
    for (int done = 0; done < frames;) {
        const int chunk = std::min(kChunkFrames, frames - done);
        renderChunk(out + std::size_t(done) * channels, chunk, channels);
        done += chunk;
    }
    float peak = 0;
    for (int i = 0; i < frames * channels; ++i)
        peak = std::max(peak, std::abs(out[i]));
    // A meter that takes its reading between these two loses at most one block's rise.
    if (peak > peak_.load(std::memory_order_relaxed))
        peak_.store(peak, std::memory_order_relaxed);
}

void Mixer::publishAnchor(double dacTime, int frames)
{
    const std::uint32_t sequence = anchorSequence_.load(std::memory_order_relaxed);
    anchorSequence_.store(sequence + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    anchorFrame_.store(frame_, std::memory_order_relaxed);
    anchorDacTime_.store(dacTime, std::memory_order_relaxed);
    anchorBufferFrames_.store(frames, std::memory_order_relaxed);
    anchorSequence_.store(sequence + 2, std::memory_order_release);
}

void Mixer::takeCommands()
{
    Command command;
    while (commands_.pop(command))
        apply(command);
}

void Mixer::apply(const Command& command)
{
    Voice& voice = voices_[command.slot];
    if (command.kind == Kind::Add) {
        voice = Voice{command.source, command.gain, command.gain, 0, false, -1, 0};
        Status& status = status_[command.slot];
        status.start.store(frame_, std::memory_order_relaxed);
        status.end.store(-1, std::memory_order_relaxed);
        status.id.store(command.id, std::memory_order_release);
        return;
    }
    // A command for a source that has ended meanwhile finds its place empty.
    if (!voice.source || status_[command.slot].id.load(std::memory_order_relaxed) != command.id)
        return;
    switch (command.kind) {
    case Kind::SetGain:
        rampTo(voice, command.gain);
        break;
    case Kind::Fade:
        // Too late for the whole curve: the rest of it from here, or a ramp.
        voice.fadeEnd = std::max(command.endFrame, frame_ + rampFrames_);
        voice.fadeLength = std::min(command.length, voice.fadeEnd - frame_);
        break;
    case Kind::FadeNow:
        voice.fadeEnd = frame_ + command.length;
        voice.fadeLength = command.length;
        break;
    case Kind::Remove:
        rampTo(voice, 0);
        voice.endsAfterRamp = true;
        break;
    case Kind::Add:
        break;
    }
}

void Mixer::rampTo(Voice& voice, float target)
{
    voice.target = target;
    voice.step = (target - voice.gain) / float(rampFrames_);
}

void Mixer::renderChunk(float* out, int frames, int channels)
{
    std::fill_n(sum_.begin(), std::size_t(frames) * kChannels, 0.0f);
    for (int slot = 0; slot < MaxSources; ++slot) {
        if (voices_[slot].source)
            mixVoice(slot, frames);
    }
    for (int i = 0; i < frames; ++i) {
        const float left = std::clamp(sum_[std::size_t(i) * kChannels], -1.0f, 1.0f);
        const float right = std::clamp(sum_[std::size_t(i) * kChannels + 1], -1.0f, 1.0f);
        float* frame = out + std::size_t(i) * channels;
        if (channels == 1) {
            frame[0] = (left + right) / 2;
            continue;
        }
        frame[0] = left;
        frame[1] = right;
        std::fill(frame + 2, frame + channels, 0.0f);
    }
    frame_ += frames;
}

void Mixer::mixVoice(int slot, int frames)
{
    Voice& voice = voices_[slot];
    const int made = std::clamp(voice.source->render(scratch_.data(), frames), 0, frames);
    for (int i = 0; i < made; ++i) {
        const std::int64_t frame = frame_ + i;
        if (voice.fadeEnd >= 0 && frame >= voice.fadeEnd) {
            end(slot, frame);
            return;
        }
        const float gain = gainAt(voice, frame);
        if (voice.endsAfterRamp && voice.gain <= 0) {
            end(slot, frame);
            return;
        }
        sum_[std::size_t(i) * kChannels] += gain * scratch_[std::size_t(i) * kChannels];
        sum_[std::size_t(i) * kChannels + 1] += gain * scratch_[std::size_t(i) * kChannels + 1];
    }
    if (made < frames)
        end(slot, frame_ + made);
}

float Mixer::gainAt(Voice& voice, std::int64_t frame)
{
    if (voice.step != 0) {
        voice.gain += voice.step;
        if ((voice.step > 0) == (voice.gain >= voice.target)) {
            voice.gain = voice.target;
            voice.step = 0;
        }
    }
    if (voice.fadeEnd < 0)
        return voice.gain;
    const std::int64_t fadeStart = voice.fadeEnd - voice.fadeLength;
    if (frame < fadeStart)
        return voice.gain;
    // Equal power: cos² + sin² = 1, so a cross-fade holds its loudness.
    const double progress = double(frame - fadeStart) / double(voice.fadeLength);
    return voice.gain * float(std::cos(progress * kQuarterTurn));
}

void Mixer::end(int slot, std::int64_t atFrame)
{
    voices_[slot] = Voice{};
    status_[slot].end.store(atFrame, std::memory_order_release);
    ended_.push(slot);
}
