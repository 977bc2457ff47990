// Plays an audio file through the default output at a tempo in bars per
// minute, with the pitch kept: from its first beat, stretched from the tempo
// the analysis finds, matched in loudness, and silent after --seconds when
// given. Prints the analysed tempo, the ratio used and the under-runs.
#include "ToolOptions.h"
#include "audio/AudioOutput.h"
#include "audio/LoudnessMeter.h"
#include "audio/TrackPlayback.h"
#include "common/Clock.h"
#include "common/Language.h"
#include "music/MusicAnalysis.h"
#include "music/MusicJudgement.h"
#include "music/TempoDetector.h"
#include <QCoreApplication>
#include <QStringList>
#include <QThread>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <optional>

namespace {

struct Options {
    QString file;
    double tempo = 0;
    int beatsPerBar = 4;
    std::optional<TempoRange> range;
    double seconds = 0;
    double fade = 0;
    bool fromStart = false;
    bool finer = false;
};

int usage(const char* why)
{
    std::fprintf(stderr,
                 "playtempo: %s\n"
                 "usage: playtempo FILE --tempo BARS_PER_MIN [--beats-per-bar N] [--range MIN-MAX]\n"
                 "                 [--seconds S] [--fade S] [--from-start] [--finer]\n",
                 why);
    return 2;
}

// The options, or the reason they are not usable.
std::optional<Options> parse(const QStringList& args, QString& why)
{
    Options options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const QString value = hasValue ? args[i + 1] : QString();
        const auto needs = [&](bool valid, const char* what) {
            if (!hasValue || !valid)
                why = QString("%1 needs %2").arg(arg, what);
            ++i;
            return hasValue && valid;
        };
        if (arg == "--tempo") {
            if (!needs(parsePositive(value).has_value(), "a tempo in bars per minute"))
                return std::nullopt;
            options.tempo = *parsePositive(value);
        }
        else if (arg == "--beats-per-bar") {
            if (!needs(parseBeatsPerBar(value).has_value(), "a number of beats from 1 to 12"))
                return std::nullopt;
            options.beatsPerBar = *parseBeatsPerBar(value);
        }
        else if (arg == "--range") {
            if (!needs(parseRange(value).has_value(), "MIN-MAX in bars per minute"))
                return std::nullopt;
            options.range = parseRange(value);
        }
        else if (arg == "--seconds" || arg == "--fade") {
            if (!needs(parsePositive(value).has_value(), "a number of seconds"))
                return std::nullopt;
            (arg == "--seconds" ? options.seconds : options.fade) = *parsePositive(value);
        }
        else if (arg == "--from-start") {
            options.fromStart = true;
        }
        else if (arg == "--finer") {
            options.finer = true;
        }
        else if (arg.startsWith("--") || !options.file.isEmpty()) {
            why = QString("unknown option %1").arg(arg);
            return std::nullopt;
        }
        else {
            options.file = arg;
        }
    }
    if (options.file.isEmpty() || options.tempo <= 0)
        why = "a file and --tempo are needed";
    else if (options.fade > 0 && options.seconds <= 0)
        why = "--fade needs --seconds";
    else
        return options;
    return std::nullopt;
}

// The sound libraries list every device they probe on the error stream; a
// tool's user needs only its own messages there, so it is shut while they look.
class QuietErrors {
public:
    QuietErrors()
        : saved_(dup(STDERR_FILENO))
    {
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDERR_FILENO);
        close(nowhere);
    }
    ~QuietErrors()
    {
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    int saved_;
};

int fail(const QString& file, const QString& why)
{
    std::fprintf(stderr, "playtempo: %s: %s\n", qPrintable(file), qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    useLanguage(Language::English);
    QString why;
    const auto options = parse(app.arguments().mid(1), why);
    if (!options)
        return usage(qPrintable(why));

    const FileAnalysis analysis = analyseFile(options->file);
    if (!analysis.ok() || analysis.beatsPerMinute <= 0)
        return fail(options->file, failureText(analysis));
    const OctaveChoice choice = chooseOctave(analysis.beatsPerMinute, options->beatsPerBar,
                                             options->range.value_or(TempoRange{options->tempo, options->tempo}));
    const double ratio = choice.barsPerMinute / options->tempo;
    const double beatSeconds = 60 / (choice.barsPerMinute * options->beatsPerBar);
    const double firstBeat = earliestBeat(analysis.firstBeatSeconds, beatSeconds, analysis.firstSoundSeconds);
    const double gainDb = gainToTarget(analysis.loudnessLufs, analysis.truePeakDb);
    std::printf("analysed tempo: %.2f bars/min (%.2f beats/min), first beat at %.3f s\n", choice.barsPerMinute,
                choice.barsPerMinute * options->beatsPerBar, firstBeat);
    std::printf("ratio: %.5f (speed %+.2f %%), gain %+.1f dB\n", ratio, (1 / ratio - 1) * 100, gainDb);
    std::fflush(stdout);

    SteadyClock clock;
    AudioOutput output(clock);
    const bool opened = [&output] {
        const QuietErrors quiet;
        return output.ensureOpen(true);
    }();
    if (!opened)
        return fail(options->file, QString("no sound output (%1)").arg(output.lastError().c_str()));
    PlaybackPlan plan;
    plan.path = options->file;
    plan.track.startSeconds = options->fromStart ? 0 : firstBeat;
    plan.track.timeRatio = ratio;
    plan.track.quality = options->finer ? StretchQuality::Finer : StretchQuality::Faster;
    plan.gain = float(std::pow(10.0, gainDb / 20));
    plan.stopAfterSeconds = options->seconds;
    plan.fadeSeconds = options->fade;
    TrackPlayback playback(output, plan);
    while (!playback.finished()) {
        QThread::msleep(20);
        playback.poll();
    }
    QThread::msleep(std::uint64_t(AudioOutput::DefaultLatencySeconds * 1000) + 100); // the tail is heard
    std::printf("under-runs: %lld of the track, %lld of the output\n", (long long)playback.track().underruns(),
                (long long)output.underflows());
    if (playback.track().failure() != DecodeFailure::None)
        return fail(options->file, failureText(playback.track().failure(), playback.track().failureDetail()));
    if (playback.state() == TrackPlayback::State::Failed)
        return fail(options->file, "the sound output went away");
    return 0;
}
