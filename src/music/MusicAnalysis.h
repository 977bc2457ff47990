#pragma once
#include "music/AudioDecoder.h"
#include <QMetaType>
#include <QString>
#include <atomic>
#include <memory>

class PeriodicityCheck;

// What analysing one file found, independent of any dance: its length and the
// pulse the beat tracker followed. The dance's metre and range are applied
// afterwards (see OctaveChoice), so a change of dance needs no new analysis.
struct FileAnalysis {
    QString path;
    DecodeFailure failure = DecodeFailure::None;
    QString detail;
    double seconds = 0;
    double beatsPerMinute = 0; // 0: no steady pulse found
    // How sure the analysis is of that pulse, and the rival pulse when it
    // doubted (see TempoReading); a cache keeps only sure results.
    double tempoConfidence = 1;
    double alternativeBeatsPerMinute = 0;
    // The onsets, kept where they and the tracker disagreed, for the dance's
    // range to settle the tempo (see settledByRange); such an analysis is not
    // cached, since the dance may change its tempo.
    std::shared_ptr<const PeriodicityCheck> onsets;
    // The operator tapped the tempo by ear: beatsPerMinute is the tapped one,
    // sure, and taken as it is (no octave choice), since it is the one heard.
    bool tempoTapped = false;
    // Where the pulse's first beat and the first sound fall, in seconds
    // (see earliestBeat() for the first beat of the chosen octave).
    double firstBeatSeconds = 0;
    double firstSoundSeconds = 0;
    // EBU R128 of the stereo frames as played; minus infinity for silence.
    double loudnessLufs = 0;
    double truePeakDb = 0;

    bool ok() const { return failure == DecodeFailure::None; }
    bool tempoUncertain() const;
};

Q_DECLARE_METATYPE(FileAnalysis)

// The analysis with a tempo tapped by ear in place of the detected one.
FileAnalysis withTappedTempo(FileAnalysis analysis, double beatsPerMinute);

FileAnalysis analyseFile(const QString& path, const std::atomic_bool* cancel = nullptr);
