#pragma once
#include "audio/AudioFileReader.h"
#include "audio/AudioSource.h"
#include "audio/DecodeFailure.h"
#include "audio/SampleRing.h"
#include "audio/SpscRing.h"
#include "audio/TimeStretcher.h"
#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct TrackOptions {
    double startSeconds = 0; // where in the file to begin
    double timeRatio = 1.0;  // heard duration over music duration
    StretchQuality quality = StretchQuality::Faster;
};

// Plays a file at a time ratio with its pitch kept. A worker thread reads
// and stretches about a second ahead into a ring, so render() only copies;
// a slow disk or a busy machine delays the worker, not the sound.
class TrackSource : public AudioSource {
public:
    // Without a stretcher, Rubber Band of the options' quality.
    TrackSource(QString path, int outputRate, TrackOptions options = {}, std::unique_ptr<TimeStretcher> stretcher = {});
    ~TrackSource() override;
    TrackSource(const TrackSource&) = delete;
    TrackSource& operator=(const TrackSource&) = delete;

    // Starts the worker and returns at once.
    void start();
    // The ring holds enough to start without a gap, or the track has ended.
    bool ready() const;
    // Any thread. Heard within 100 ms: frames already stretched at the old
    // ratio are replaced from a little ahead of the callback, with a crossfade.
    void setTimeRatio(double timeRatio);
    // True from setTimeRatio() until the worker has placed the change in
    // what is stretched ahead (where it will be heard) or the track has ended.
    bool timeRatioPending() const;
    // UI thread. Music position (seconds in the file) of the source's n-th
    // rendered frame: each block advances by the ratio in force when it was
    // stretched, and frames of an underrun do not advance it.
    double musicSecondsAt(std::int64_t sourceFrame) const;
    // Why the track ended early; None while playing and when it played to the end.
    DecodeFailure failure() const;
    QString failureDetail() const;
    // How often render() found the ring empty before the end.
    std::int64_t underruns() const;

    int render(float* out, int frames) override;

private:
    struct Segment {
        std::int64_t frame; // counted in frames taken from the ring
        double musicSeconds;
        double timeRatio;
    };
    struct Gap {
        std::int64_t sourceFrame;
        std::int64_t frames;
    };
    class ReaderSupply : public FrameSupply {
    public:
        explicit ReaderSupply(AudioFileReader& reader)
            : reader_(reader)
        {
        }
        int supply(float* out, int frames) override { return reader_.read(out, frames); }

    private:
        AudioFileReader& reader_;
    };

    void run();
    bool open();
    bool waitForWork();
    bool fillAhead();
    void applyTimeRatio();
    void takeTimeRatio(double ratio);
    bool spliceAt(std::int64_t from, double timeRatio);
    void finish(DecodeFailure failure, const QString& detail);
    void addSegment(std::int64_t frame, double musicSeconds, double timeRatio);
    double musicSecondsAtRingFrame(std::int64_t frame) const;
    void recordGap(std::int64_t frames);

    const QString path_;
    const int rate_;
    const TrackOptions options_;
    std::unique_ptr<TimeStretcher> stretcher_;
    SampleRing ring_;

    // The worker's own.
    AudioFileReader reader_;
    ReaderSupply supply_{reader_};
    std::vector<float> block_;
    std::vector<float> old_;
    double timeRatio_;
    std::int64_t skipped_ = 0; // ring frames spliced away

    std::thread worker_;
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::atomic<double> wantedRatio_;
    std::atomic<double> takenRatio_;
    std::atomic_bool finished_{false}; // the worker wrote its last frame

    mutable std::mutex stateMutex_;
    std::vector<Segment> segments_;
    mutable std::vector<Gap> gaps_;
    DecodeFailure failure_ = DecodeFailure::None;
    QString detail_;

    // The callback's own, but for the gaps it hands to the UI thread.
    mutable SpscRing<Gap, 256> newGaps_; // popped by musicSecondsAt
    std::atomic<std::int64_t> underruns_{0};
    std::int64_t rendered_ = 0;
    bool ended_ = false;
};
