#pragma once
#include "audio/AudioSource.h"
#include "audio/SpscRing.h"
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

// Where the stream stood at the start of its latest buffer.
struct StreamAnchor {
    std::int64_t frame = 0;
    double dacTime = 0; // when that frame reaches the listener, in the stream's seconds
    int bufferFrames = 0;
};

// Sums the sources that sound on one output, in stereo, each at its own gain.
// A change of gain ramps over a few milliseconds so that it never clicks;
// a fade out is planned in frames of the stream and ends the source to the
// frame. It also keeps the clock of what is heard: which frame of the stream,
// and so of each source, reaches the listener at a given time of the stream.
//
// One thread (the user-interface thread) commands; the audio callback renders.
// They meet only in fixed rings and atomics: render() never blocks, allocates,
// frees or calls into Qt. A source is kept alive by the commanding side until
// collect() finds the callback has let go of it.
class Mixer {
public:
    using SourceId = std::uint32_t;
    static constexpr int MaxSources = 16;
    static constexpr double RampSeconds = 0.005;

    explicit Mixer(int sampleRate);

    int sampleRate() const { return sampleRate_; }

    // --- the commanding thread ---
    // The source sounds from the first frame of the next buffer; 0 when all
    // places are taken (or the command ring is full).
    SourceId add(std::shared_ptr<AudioSource> source, float gain = 1.0f);
    void setGain(SourceId id, float gain);
    // Fades out with equal power over lengthFrames so that the last frame
    // sounding is endFrame - 1; the source ends there. A fade planned for a
    // time already rendered takes effect at once (from where the stream is).
    void fadeOut(SourceId id, std::int64_t endFrame, std::int64_t lengthFrames);
    // Fades out over lengthFrames from the next buffer on.
    void fadeOutNow(SourceId id, std::int64_t lengthFrames);
    // Ends the source after a short ramp down.
    void remove(SourceId id);
    // Lets go of sources the callback has ended; call it now and then.
    void collect();

    // The stream frame the source began on; nullopt until it has.
    std::optional<std::int64_t> startFrame(SourceId id) const;
    // The stream frame after its last one; nullopt while it sounds.
    std::optional<std::int64_t> endFrame(SourceId id) const;
    bool playing(SourceId id) const;

    // nullopt until the first buffer has been rendered.
    std::optional<StreamAnchor> anchor() const;
    // The frame of the stream heard at `streamTime`, from the latest anchor;
    // never past what has been rendered. nullopt before the first buffer.
    std::optional<double> heardFrame(double streamTime) const;
    // The frame of a source heard at `streamTime` (negative before it
    // begins); nullopt before it has begun.
    std::optional<double> heardSourceFrame(SourceId id, double streamTime) const;

    // --- the audio callback ---
    // out: frames × channels interleaved samples; dacTime: when its first frame is heard.
    void render(float* out, int frames, int channels, double dacTime);

    // Any thread: the largest sample rendered since the last call, 0 to 1,
    // for a level meter.
    float takePeak() { return peak_.exchange(0.0f, std::memory_order_relaxed); }

private:
    static constexpr int kChunkFrames = 512;
    static constexpr std::size_t kChunkSamples = std::size_t(kChunkFrames) * AudioSource::Channels;

    enum class Kind { Add, SetGain, Fade, FadeNow, Remove };
    struct Command {
        Kind kind = Kind::Add;
        int slot = -1;
        SourceId id = 0;
        AudioSource* source = nullptr;
        float gain = 1;
        std::int64_t endFrame = 0;
        std::int64_t length = 0;
    };
    // The callback's view of a source.
    struct Voice {
        AudioSource* source = nullptr;
        float gain = 1;
        float target = 1;
        float step = 0;
        bool endsAfterRamp = false;
        std::int64_t fadeEnd = -1;
        std::int64_t fadeLength = 0;
    };
    // What the callback tells the commanding side of a place.
    struct Status {
        std::atomic<SourceId> id{0};
        std::atomic<std::int64_t> start{-1};
        std::atomic<std::int64_t> end{-1};
    };

    int slotOf(SourceId id) const;
    void publishAnchor(double dacTime, int frames);
    void takeCommands();
    void apply(const Command& command);
    void rampTo(Voice& voice, float target);
    void renderChunk(float* out, int frames, int channels);
    void mixVoice(int slot, int frames);
    float gainAt(Voice& voice, std::int64_t frame);
    void end(int slot, std::int64_t atFrame);

    const int sampleRate_;
    const int rampFrames_;
    SpscRing<Command, 128> commands_;
    SpscRing<int, std::size_t(MaxSources) * 2> ended_;

    // Commanding thread only.
    SourceId lastId_ = 0;
    std::array<std::shared_ptr<AudioSource>, MaxSources> owned_;
    std::array<SourceId, MaxSources> ownedIds_{};

    // Callback only.
    std::int64_t frame_ = 0;
    std::array<Voice, MaxSources> voices_;
    std::array<float, kChunkSamples> sum_{};
    std::array<float, kChunkSamples> scratch_{};

    // Callback to commanding thread.
    std::array<Status, MaxSources> status_;
    std::atomic<float> peak_{0};
    std::atomic<std::uint32_t> anchorSequence_{0};
    std::atomic<std::int64_t> anchorFrame_{0};
    std::atomic<double> anchorDacTime_{0};
    std::atomic<int> anchorBufferFrames_{0};
};
