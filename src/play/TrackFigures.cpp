#include "play/TrackFigures.h"
#include "audio/LoudnessMeter.h"
#include "common/NumberText.h"
#include "music/MusicJudgement.h"
#include "music/TempoDetector.h"
#include "tempo/SpeedConversion.h"
#include <algorithm>
#include <cmath>

float TrackFigures::linearGain() const
{
    return float(std::pow(10.0, gainDb / 20));
}

QString TrackFigures::changeText() const
{
    if (!tempoKnown || !(measuredBars() > 0))
        return QString();
    return fixedAdaptationText(float(measuredBars()), float(resultBars)).value_or(QString());
}

QStringList TrackFigures::warningTexts() const
{
    QStringList texts;
    if (warnings.testFlag(TrackWarning::Unreadable))
        texts << tr("Nicht lesbar: %1").arg(failure);
    if (warnings.testFlag(TrackWarning::TempoUnknown))
        texts << tr("Tempo unbekannt: wird unverändert gespielt");
    if (warnings.testFlag(TrackWarning::TempoUncertain))
        texts << tr("Tempo unsicher: %1 oder %2 Takte/min; wird unverändert gespielt")
                     .arg(formatFixed(measuredBars(), 1), formatFixed(alternativeBars, 1));
    if (warnings.testFlag(TrackWarning::ChangeOverLimit))
        texts << tr("Solltempo verlangt %1, mehr als die Grenze: gespielt mit %2")
                     .arg(fixedAdaptationText(float(measuredBars()), float(target.value_or(0))).value_or(QString()),
                          changeText());
    if (warnings.testFlag(TrackWarning::OutOfRange))
        texts << tr("Gespielt mit %1 Takten/min außerhalb der Regel").arg(formatFixed(resultBars, 1));
    if (warnings.testFlag(TrackWarning::TooShort))
        texts << tr("Zu kurz: ab Startpunkt %1 s, nötig Tanzzeit + Ausblenden").arg(int(std::floor(playedSeconds)));
    if (warnings.testFlag(TrackWarning::TooQuiet))
        texts << tr("Zu leise: lässt sich nicht auf die Ziellautstärke anheben");
    if (warnings.testFlag(TrackWarning::TooLoud))
        texts << tr("Zu laut: lässt sich nicht auf die Ziellautstärke absenken");
    return texts;
}

namespace {

void judgeLoudness(const FileAnalysis& analysis, TrackFigures& figures)
{
    if (!std::isfinite(analysis.loudnessLufs)) {
        figures.warnings |= TrackWarning::TooQuiet; // silence
        return;
    }
    const double gain = gainToTarget(analysis.loudnessLufs, analysis.truePeakDb, TrackFigures::TargetLufs);
    figures.gainDb = qBound(-TrackFigures::MaxGainDb, gain, TrackFigures::MaxGainDb);
    const double heard = analysis.loudnessLufs + figures.gainDb;
    if (heard < TrackFigures::TargetLufs - TrackFigures::LoudnessToleranceLu)
        figures.warnings |= TrackWarning::TooQuiet;
    else if (heard > TrackFigures::TargetLufs + TrackFigures::LoudnessToleranceLu)
        figures.warnings |= TrackWarning::TooLoud;
}

} // namespace

TrackFigures trackFigures(const FileAnalysis& analysed, const TrackTags& tags, const RunningDance& dance,
                          const DancePlan& plan, const RoundSettings& settings)
{
    TrackFigures figures;
    figures.path = analysed.path;
    figures.tags = tags;
    figures.target = targetTempo(dance, plan, settings);
    if (!analysed.ok()) {
        figures.warnings |= TrackWarning::Unreadable;
        figures.failure = failureText(analysed);
        return figures;
    }
    figures.fileSeconds = analysed.seconds;
    judgeLoudness(analysed, figures);

    std::optional<TempoRange> range;
    if (dance.tempo.valid())
        range = dance.tempo;
    else if (figures.target)
        range = TempoRange{*figures.target, *figures.target};
    const FileAnalysis analysis = settledByRange(analysed, dance.beatsPerBar, range);
    // A doubtful reading would stretch the hall's music by a guess.
    if (analysis.tempoUncertain()) {
        figures.choice = chooseOctave(analysis.beatsPerMinute, dance.beatsPerBar, range);
        figures.alternativeBars =
            analysis.alternativeBeatsPerMinute > 0
                ? chooseOctave(analysis.alternativeBeatsPerMinute, dance.beatsPerBar, range).barsPerMinute
                : figures.choice.barsPerMinute;
        figures.warnings |= TrackWarning::TempoUncertain;
    }
    figures.tempoKnown = analysis.beatsPerMinute > 0 && !analysis.tempoUncertain();
    figures.tempoTapped = analysis.tempoTapped;
    if (figures.tempoKnown) {
        figures.choice = octaveOf(analysis, dance.beatsPerBar, range);
        const double measured = figures.choice.barsPerMinute;
        figures.resultBars = measured;
        if (figures.target) {
            figures.wantedChangePercent = adaptationPercent(measured, *figures.target);
            const double limit = std::max(0.0, settings.changeLimitPercent);
            figures.changePercent = qBound(-limit, figures.wantedChangePercent, limit);
            if (figures.changePercent != figures.wantedChangePercent)
                figures.warnings |= TrackWarning::ChangeOverLimit;
            figures.resultBars = measured * (1 + figures.changePercent / 100);
        }
        figures.timeRatio = measured / figures.resultBars;
    }
    else if (!figures.warnings.testFlag(TrackWarning::TempoUncertain)) {
        figures.warnings |= TrackWarning::TempoUnknown;
    }
    if (dance.tempo.valid() && figures.tempoKnown) {
        // Judged as the music check lists it, to a tenth, so that a change to
        // exactly the bound is not undone by rounding.
        const double heard = std::round(figures.resultBars * 10.0) / 10.0;
        const bool inside = dance.tempo.min <= heard && heard <= dance.tempo.max;
        figures.tone = inside ? RowTone::Green : RowTone::Red;
        figures.verdictMark = tempoVerdictMark(heard, dance.tempo.min, dance.tempo.max);
        if (!inside)
            figures.warnings |= TrackWarning::OutOfRange;
    }

    if (settings.start == StartPoint::FirstBeat && figures.tempoKnown) {
        const double beatSeconds = 60 / (figures.choice.barsPerMinute * dance.beatsPerBar);
        figures.startSeconds = earliestBeat(analysis.firstBeatSeconds, beatSeconds, analysis.firstSoundSeconds);
    }
    figures.playedSeconds = std::max(0.0, analysis.seconds - figures.startSeconds) * figures.timeRatio;
    const double needed = plan.danceSeconds + settings.fadeSeconds;
    if (plan.danceSeconds > 0 && figures.playedSeconds < needed)
        figures.warnings |= TrackWarning::TooShort;
    return figures;
}

PlaybackPlan playbackPlan(const TrackFigures& figures, const DancePlan& plan, const RoundSettings& settings)
{
    PlaybackPlan playback;
    playback.path = figures.path;
    playback.track.startSeconds = figures.startSeconds;
    playback.track.timeRatio = figures.timeRatio;
    playback.gain = figures.linearGain();
    playback.stopAfterSeconds = std::max(0, plan.danceSeconds);
    playback.fadeSeconds = std::clamp(settings.fadeSeconds, 0.0, playback.stopAfterSeconds);
    return playback;
}
