#include "audio/TrackSource.h"
#include "audio/RubberBandStretcher.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr int kBlockFrames = 1024;
constexpr double kLeadSeconds = 1.0;
constexpr double kReadySeconds = 0.5;
// A ratio change replaces what is stretched from this far ahead of the
// callback: more than one callback's frames, well under the 100 ms in which
// a change must be heard.
constexpr double kSpliceAheadSeconds = 0.06;
constexpr double kCrossfadeSeconds = 0.01;
// The worker looks at the ring this often when it is full.
constexpr auto kPoll = std::chrono::milliseconds(5);

// Keeps a ratio from a caller within what a stretcher can do.
double saneRatio(double timeRatio)
{
    return std::isfinite(timeRatio) ? std::clamp(timeRatio, 0.25, 4.0) : 1.0;
}

int framesOf(double seconds, int rate)
{
    return int(std::lround(seconds * rate));
}

} // namespace

TrackSource::TrackSource(QString path, int outputRate, TrackOptions options, std::unique_ptr<TimeStretcher> stretcher)
    : path_(std::move(path)),
      rate_(outputRate),
      options_(options),
      stretcher_(stretcher ? std::move(stretcher) : std::make_unique<RubberBandStretcher>(options.quality)),
      // The lead, and as much again for frames a splice leaves behind.
      ring_(framesOf(2.2 * kLeadSeconds, outputRate), Channels),
      block_(size_t(kBlockFrames) * Channels),
      old_(size_t(framesOf(kCrossfadeSeconds, outputRate)) * Channels),
      timeRatio_(saneRatio(options.timeRatio)),
      wantedRatio_(timeRatio_),
      takenRatio_(timeRatio_)
{
}

TrackSource::~TrackSource()
{
    {
        const std::lock_guard lock(wakeMutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void TrackSource::start()
{
    if (!worker_.joinable())
        worker_ = std::thread(&TrackSource::run, this);
}

bool TrackSource::ready() const
{
    return finished_.load(std::memory_order_acquire) || ring_.playable() >= framesOf(kReadySeconds, rate_);
}

void TrackSource::setTimeRatio(double timeRatio)
{
    wantedRatio_.store(saneRatio(timeRatio));
    wake_.notify_all();
}

DecodeFailure TrackSource::failure() const
{
    const std::lock_guard lock(stateMutex_);
    return failure_;
}

QString TrackSource::failureDetail() const
{
    const std::lock_guard lock(stateMutex_);
    return detail_;
}

std::int64_t TrackSource::underruns() const
{
    return underruns_.load(std::memory_order_relaxed);
}

int TrackSource::render(float* out, int frames)
{
    if (ended_)
        return 0;
    int done = ring_.read(out, frames);
    if (done < frames && finished_.load(std::memory_order_acquire)) {
        // The last frames may have come between the read and the look at the flag.
        done += ring_.read(out + size_t(done) * Channels, frames - done);
        ended_ = done < frames;
        rendered_ += done;
        return done;
    }
    if (done < frames) {
        std::fill(out + size_t(done) * Channels, out + size_t(frames) * Channels, 0.0f);
        underruns_.fetch_add(1, std::memory_order_relaxed);
        newGaps_.push(Gap{rendered_ + done, frames - done});
    }
    rendered_ += frames;
    return frames;
}

double TrackSource::musicSecondsAt(std::int64_t sourceFrame) const
{
    const std::lock_guard lock(stateMutex_);
    for (Gap gap{}; newGaps_.pop(gap);)
        gaps_.push_back(gap);
    std::int64_t ringFrame = sourceFrame;
    for (const Gap& gap : gaps_) {
        if (gap.sourceFrame >= sourceFrame)
            break;
        ringFrame -= std::min(gap.frames, sourceFrame - gap.sourceFrame);
    }
    return musicSecondsAtRingFrame(ringFrame);
}

// Under stateMutex_, or on the worker, which alone changes the segments.
double TrackSource::musicSecondsAtRingFrame(std::int64_t frame) const
{
    auto after = std::upper_bound(segments_.begin(), segments_.end(), frame,
                                  [](std::int64_t f, const Segment& s) { return f < s.frame; });
    if (after == segments_.begin())
        return options_.startSeconds;
    const Segment& in = *(after - 1);
    return in.musicSeconds + double(frame - in.frame) / (rate_ * in.timeRatio);
}

void TrackSource::run()
{
    if (!open())
        return;
    while (waitForWork()) {
        applyTimeRatio();
        if (!fillAhead())
            return;
    }
}

bool TrackSource::open()
{
    if (!reader_.open(path_, rate_, Channels)) {
        finish(reader_.failure(), reader_.failureDetail());
        return false;
    }
    if (options_.startSeconds > 0 && !reader_.seek(options_.startSeconds)) {
        finish(DecodeFailure::Undecodable, QStringLiteral("seek"));
        return false;
    }
    stretcher_->restart(rate_, timeRatio_);
    addSegment(0, options_.startSeconds, timeRatio_);
    return true;
}

// False when the source is being destroyed.
bool TrackSource::waitForWork()
{
    std::unique_lock lock(wakeMutex_);
    wake_.wait_for(lock, kPoll, [this] { return stop_ || wantedRatio_.load() != timeRatio_; });
    return !stop_;
}

// Stretches until the ring holds the lead; false when the music has ended.
bool TrackSource::fillAhead()
{
    const std::int64_t lead = framesOf(kLeadSeconds, rate_);
    while (ring_.playable() < lead && ring_.space() >= kBlockFrames) {
        const int made = stretcher_->pull(supply_, block_.data(), kBlockFrames);
        ring_.write(block_.data(), made);
        if (made < kBlockFrames) {
            finish(reader_.failure(), reader_.failureDetail());
            return false;
        }
        if (wantedRatio_.load() != timeRatio_)
            applyTimeRatio();
    }
    return true;
}

void TrackSource::applyTimeRatio()
{
    const double wanted = wantedRatio_.load();
    if (wanted == timeRatio_ || ring_.splicePending())
        return;
    const int fade = int(old_.size() / Channels);
    // The callback may overtake a splice being prepared; then it is prepared again further on.
    bool restarted = false;
    for (int attempt = 0; attempt < 3; ++attempt, restarted = true) {
        const std::int64_t from = ring_.readPosition() + framesOf(kSpliceAheadSeconds, rate_);
        if (ring_.writePosition() - from < fade || ring_.space() < fade ||
            !reader_.seek(musicSecondsAtRingFrame(from - skipped_)))
            break;
        if (spliceAt(from, wanted)) {
            takeTimeRatio(wanted);
            return;
        }
    }
    // Little is stretched ahead: the stretcher's own change is heard soon enough.
    const std::int64_t to = ring_.writePosition();
    const double musicSeconds = musicSecondsAtRingFrame(to - skipped_);
    if (restarted && reader_.seek(musicSeconds))
        stretcher_->restart(rate_, wanted); // back to where the ring's frames end
    else
        stretcher_->setTimeRatio(wanted);
    addSegment(to - skipped_, musicSeconds, wanted);
    takeTimeRatio(wanted);
}

void TrackSource::takeTimeRatio(double ratio)
{
    timeRatio_ = ratio;
    takenRatio_.store(ratio);
}

bool TrackSource::timeRatioPending() const
{
    return wantedRatio_.load() != takenRatio_.load() && !finished_.load();
}

// Stretches again from the music at ring frame `from` on, written after what
// the ring holds, and crossfaded from the frames it replaces. False, with the
// stretcher left at the music after `from`, when the callback came too near.
bool TrackSource::spliceAt(std::int64_t from, double timeRatio)
{
    const std::int64_t to = ring_.writePosition();
    const double musicSeconds = musicSecondsAtRingFrame(from - skipped_);
    stretcher_->restart(rate_, timeRatio);
    const int fade = int(old_.size() / Channels);
    const int made = stretcher_->pull(supply_, block_.data(), fade);
    ring_.peek(from, old_.data(), fade);
    for (size_t frame = 0; frame < size_t(made); ++frame) {
        const float rise = (float(frame) + 0.5f) / float(fade);
        for (size_t i = frame * Channels; i < (frame + 1) * Channels; ++i)
            block_[i] = old_[i] * (1 - rise) + block_[i] * rise;
    }
    if (ring_.readPosition() + framesOf(kSpliceAheadSeconds / 2, rate_) > from)
        return false;
    addSegment(from - skipped_, musicSeconds, timeRatio);
    skipped_ += to - from;
    ring_.splice(from, to);
    ring_.write(block_.data(), made);
    return true;
}

// Replaces the segments from frame on.
void TrackSource::addSegment(std::int64_t frame, double musicSeconds, double timeRatio)
{
    const std::lock_guard lock(stateMutex_);
    while (!segments_.empty() && segments_.back().frame >= frame)
        segments_.pop_back();
    segments_.push_back({frame, musicSeconds, timeRatio});
}

void TrackSource::finish(DecodeFailure failure, const QString& detail)
{
    {
        const std::lock_guard lock(stateMutex_);
        failure_ = failure;
        detail_ = detail;
    }
    finished_.store(true, std::memory_order_release);
}
