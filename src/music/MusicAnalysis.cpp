#include "music/MusicAnalysis.h"
#include "music/TempoDetector.h"

FileAnalysis analyseFile(const QString& path, const std::atomic_bool* cancel)
{
    FileAnalysis result;
    result.path = path;
    const DecodedAudio audio = decodeAudioFile(path, 22050, cancel);
    result.failure = audio.failure;
    result.detail = audio.detail;
    if (!audio.ok())
        return result;
    result.seconds = audio.seconds();
    const TempoReading reading = detectTempo(audio.samples, audio.sampleRate, cancel);
    if (cancel && cancel->load())
        result.failure = DecodeFailure::Cancelled;
    result.beatsPerMinute = reading.beatsPerMinute;
    return result;
}
