#include "music/MusicAnalysis.h"
#include "music/TempoDetector.h"
#include "audio/LoudnessMeter.h"
#include <memory>

bool FileAnalysis::tempoUncertain() const
{
    return beatsPerMinute > 0 && tempoConfidence < TempoReading::UncertainBelow;
}

FileAnalysis withTappedTempo(FileAnalysis analysis, double beatsPerMinute)
{
    analysis.beatsPerMinute = beatsPerMinute;
    analysis.tempoConfidence = 1;
    analysis.alternativeBeatsPerMinute = 0;
    analysis.onsets.reset();
    analysis.tempoTapped = true;
    return analysis;
}

FileAnalysis analyseFile(const QString& path, const std::atomic_bool* cancel)
{
    FileAnalysis result;
    result.path = path;
    // Loudness rides along the one decoding pass, on the frames as they will be played.
    std::unique_ptr<LoudnessMeter> meter;
    const DecodedAudio audio =
        decodeAudioFile(path, 22050, cancel, 600, [&meter](const float* frames, int count, int sampleRate) {
            if (!meter)
                meter = std::make_unique<LoudnessMeter>(sampleRate, 2);
            meter->add(frames, count);
        });
    result.failure = audio.failure;
    result.detail = audio.detail;
    if (!audio.ok())
        return result;
    result.seconds = audio.seconds();
    result.loudnessLufs = meter->integratedLufs();
    result.truePeakDb = meter->truePeakDb();
    const TempoReading reading = detectTempo(audio.samples, audio.sampleRate, cancel);
    if (cancel && cancel->load())
        result.failure = DecodeFailure::Cancelled;
    result.beatsPerMinute = reading.beatsPerMinute;
    result.tempoConfidence = reading.confidence;
    result.alternativeBeatsPerMinute = reading.alternativeBeatsPerMinute;
    result.onsets = reading.onsets;
    result.firstBeatSeconds = reading.firstBeatSeconds;
    result.firstSoundSeconds = reading.firstSoundSeconds;
    return result;
}
