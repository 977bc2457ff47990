#pragma once
#include "audio/Mixer.h"
#include "audio/TrackSource.h"
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class AudioOutput;

// How one track is to be played.
struct PlaybackPlan {
    QString path;
    TrackOptions track;
    float gain = 1;              // linear, to match loudness
    double stopAfterSeconds = 0; // silent this long after its first heard frame; 0: to the end
    double fadeSeconds = 0;      // the fade that ends there
};

// One track on the program's output, from the user-interface thread: it
// starts sounding once its reader is far enough ahead, fades out as planned
// to the frame, and says what the listener hears of it.
class TrackPlayback {
public:
    enum class State { Preparing, Playing, Ended, Failed };

    TrackPlayback(AudioOutput& output, PlaybackPlan plan, std::unique_ptr<TimeStretcher> stretcher = {});
    // Stops it at once (after the mixer's short ramp).
    ~TrackPlayback();
    TrackPlayback(const TrackPlayback&) = delete;
    TrackPlayback& operator=(const TrackPlayback&) = delete;

    // Call it now and then (every few tens of milliseconds): it hands the
    // track to the output once ready and plans the fade once its first frame
    // is known.
    void poll();
    State state() const { return state_; }
    bool finished() const { return state_ == State::Ended || state_ == State::Failed; }
    const TrackSource& track() const { return *track_; }

    // Seconds of output heard since the track's first frame, and the position
    // in the music heard now; nullopt before it sounds or while not known.
    std::optional<double> heardSeconds() const;
    std::optional<double> heardMusicSeconds() const;
    // The stream frames of its first frame and of the end of the fade.
    std::optional<std::int64_t> startFrame() const;
    std::optional<std::int64_t> plannedEndFrame() const { return plannedEnd_; }

    void setTimeRatio(double ratio);
    void fadeOutNow(double seconds);

private:
    bool stillOnOutput() const;
    std::optional<double> heardSourceFrame() const;
    void planFade();

    AudioOutput& output_;
    const PlaybackPlan plan_;
    std::shared_ptr<TrackSource> track_;
    std::uint32_t opening_ = 0;
    Mixer::SourceId id_ = 0;
    State state_ = State::Preparing;
    std::optional<std::int64_t> start_;
    std::optional<std::int64_t> plannedEnd_;
};
