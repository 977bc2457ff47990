#pragma once
#include "audio/DecodeFailure.h"
#include <QString>
#include <cstdint>
#include <memory>

// Reads the first audio stream of any container and codec the system's
// decoder libraries know, a block at a time, as interleaved float frames at a
// chosen rate and channel count. Holds no more than a decoded packet or two,
// so an hour-long mix costs no more memory than a short dance.
class AudioFileReader {
public:
    AudioFileReader();
    ~AudioFileReader();
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    // outputRate 0 keeps the file's own rate. channels is 1 (a downmix) or 2
    // (a mono file on both channels at its full level). False, with a failure,
    // when the file gives no audio stream to decode.
    bool open(const QString& path, int outputRate, int channels);

    // Writes up to frames interleaved frames and returns how many; fewer means
    // the file has ended, normally (failure() None) or early (BrokenOff,
    // Undecodable). Damaged packets in the middle are skipped.
    int read(float* out, int frames);

    // Continues reading at seconds from the file's start, to the sample.
    bool seek(double seconds);

    int sampleRate() const;
    int channels() const;
    // The length the container declares; 0 when it declares none.
    double declaredSeconds() const;
    // Frames handed out since opening or the last seek, plus the seek's start.
    std::int64_t position() const;

    DecodeFailure failure() const;
    QString failureDetail() const;

private:
    class Stream;
    std::unique_ptr<Stream> stream_;
    DecodeFailure failure_ = DecodeFailure::None;
    QString detail_;
};
