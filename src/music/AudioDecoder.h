#pragma once
#include "audio/DecodeFailure.h"
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

struct DecodedAudio {
    std::vector<float> samples;   // mono, at sampleRate; the first keptSeconds only
    std::int64_t sampleCount = 0; // of the whole file
    int sampleRate = 0;
    DecodeFailure failure = DecodeFailure::None;
    QString detail; // the decoder's own words, for the curious

    bool ok() const { return failure == DecodeFailure::None; }
    double seconds() const { return sampleRate > 0 ? double(sampleCount) / sampleRate : 0; }
};

// Decodes the first audio stream of any container and codec the system's
// decoder libraries know, mixed down to mono and resampled to sampleRate.
// Tempo analysis needs no more than 22.05 kHz, and fewer samples analyse
// faster. Only the first keptSeconds are kept (an hour-long mix in a folder of
// dances must not take hundreds of megabytes), but the length counts them all.
// Polls cancel between blocks. A file that breaks off gives what it holds.
DecodedAudio decodeAudioFile(const QString& path, int sampleRate = 22050, const std::atomic_bool* cancel = nullptr,
                             double keptSeconds = 600);

// Sees every block of a file as it will be played: interleaved stereo at the
// file's own rate.
using StereoTap = std::function<void(const float* frames, int count, int sampleRate)>;

// As above, and hands the file's stereo frames to tap on the way, so that one
// pass over the file serves a second measurement.
DecodedAudio decodeAudioFile(const QString& path, int sampleRate, const std::atomic_bool* cancel, double keptSeconds,
                             const StereoTap& tap);
