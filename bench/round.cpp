// Plays a five-dance round through the real output into a private PulseAudio
// null sink, with synthesised pieces that must be stretched by -6 to +6 % to
// reach each dance's target, and prints per heat the heard tempo against the
// target and the heat's length against its dancing time, then the output's
// under-runs and the CPU time of the whole process.
//
// With --prelisten a second sink stands for the operator's headphones: a
// track is pre-listened there through the whole round (sought 10 s ahead
// every 15 s), and the time from asking to hearing it is printed, also
// beyond the delay the device reports for its stream.
//
// Usage: bench_round [--seconds S] [--load N] [--prelisten]
//        (default 30 s of dancing per heat, no busy processes, no headphones)
#include "Onsets.h"
#include "PieceSynth.h"
#include "PrivatePulse.h"
#include "audio/AudioOutput.h"
#include "common/Clock.h"
#include "common/PlayingHeat.h"
#include "music/MusicAnalysis.h"
#include "music/TempoDetector.h"
#include "play/Prelistener.h"
#include "play/RoundPlayer.h"
#include "play/TrackTags.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

constexpr int kRate = PrivatePulse::kSampleRate;

struct DanceOfRound {
    const char* name;
    double target;
    int beatsPerBar;
    double change; // the speed change the piece needs, in per cent
};

const DanceOfRound kDances[] = {{"Slow Waltz", 29, 3, -6},
                                {"Tango", 32, 4, -3},
                                {"Viennese Waltz", 59, 3, 0},
                                {"Slow Fox", 29, 4, +3},
                                {"Quickstep", 51, 4, +6}};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption secondsOption("seconds", "Dancing time of each heat.", "S", "30");
    const QCommandLineOption loadOption("load", "Busy processes meanwhile.", "N", "0");
    const QCommandLineOption prelistenOption("prelisten", "Pre-listen on a second sink meanwhile.");
    parser.addOptions({secondsOption, loadOption, prelistenOption});
    parser.addHelpOption();
    parser.process(app);
    const int seconds = std::max(5, parser.value(secondsOption).toInt());

    PrivatePulse pulse;
    if (!pulse.running()) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(pulse.failure()));
        return 1;
    }
    const bool prelistening = parser.isSet(prelistenOption);
    if (prelistening) {
        const QString why = pulse.addDevice("bench_phones");
        if (!why.isEmpty()) {
            std::fprintf(stderr, "no second sink: %s\n", qPrintable(why));
            return 1;
        }
    }
    QTemporaryDir folder;
    RunningOrder order;
    RoundPlan plan;
    QHash<QString, FileAnalysis> analyses;
    for (const DanceOfRound& dance : kDances) {
        RunningDance running;
        running.name = dance.name;
        running.tempo = TempoRange{dance.target - 1, dance.target + 1};
        running.danceTimeMin = running.danceTimeMax = seconds;
        running.beatsPerBar = dance.beatsPerBar;
        order.dances.append(running);
        PieceRecipe recipe;
        recipe.barsPerMinute = dance.target / (1 + dance.change / 100);
        recipe.beatsPerBar = dance.beatsPerBar;
        recipe.seconds = seconds * 1.2 + 10;
        const QString path = folder.filePath(QString(dance.name) + ".wav");
        PieceSynth::writeWav(path, PieceSynth::render(recipe));
        analyses.insert(path, analyseFile(path));
    }
    plan = RoundPlan::defaultFor(order);
    plan.settings.betweenHeats = BetweenHeats::Gap;
    plan.settings.gapSeconds = 2;
    for (int i = 0; i < order.dances.size(); ++i)
        plan.dances[i].tracks = QStringList{analyses.keys().filter(order.dances[i].name + ".wav").value(0)};

    std::vector<std::unique_ptr<QProcess>> busy;
    for (int i = 0; i < parser.value(loadOption).toInt(); ++i) {
        busy.push_back(std::make_unique<QProcess>());
        busy.back()->start("sh", {"-c", "while :; do :; done"});
    }
    SteadyClock clock;
    AudioOutput output(clock);
    PlayingHeat heat;
    RoundPlayer player(&output, &heat);
    player.setRound(plan, order, [&](int index, const QString& path) {
        return std::optional<TrackFigures>(trackFigures(analyses.value(path), readTrackTags(path), order.dances[index],
                                                        plan.dances[index], plan.settings));
    });
    output.ensureOpen(true);
    AudioOutput phones(clock);
    phones.setDevice(prelistening ? std::optional<std::string>("bench_phones") : std::nullopt);
    Prelistener prelistener(&phones);
    QTimer seeker;
    std::vector<double> startMs;
    std::vector<double> overDelayMs;
    const auto prelisten = [&] {
        const QString path = plan.dances.last().tracks.value(0);
        QElapsedTimer asked;
        asked.start();
        prelistener.play({path, {0, 1, StretchQuality::Faster}, 1, 0, 0});
        while (prelistener.playing() && !prelistener.heard())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        startMs.push_back(double(asked.nsecsElapsed()) / 1e6);
        overDelayMs.push_back(startMs.back() - phones.delaySeconds() * 1000);
    };
    if (prelistening) {
        phones.ensureOpen(true);
        QObject::connect(&seeker, &QTimer::timeout, &prelistener, [&] {
            if (prelistener.playing())
                prelistener.seek(Prelistener::SeekSeconds);
            else
                prelisten();
        });
        seeker.start(15000);
    }
    pulse.startRecording();
    const std::clock_t cpuStart = std::clock();
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    QObject::connect(&player, &RoundPlayer::changed, &loop, [&] {
        if (player.phase() == RoundPlayer::Phase::Finished)
            loop.quit();
    });
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    player.startOrNext();
    if (prelistening)
        prelisten();
    loop.exec();
    const double cpuPercent = 100.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC / (elapsed.elapsed() / 1000.0);
    QThread::msleep(500);
    const auto recording = pulse.stopRecording();
    for (auto& process : busy) {
        process->kill();
        process->waitForFinished(1000);
    }

    const auto parts = FindSoundingParts(recording, kRate, 1.0);
    std::printf("dance            target  heard bars/min  error    heat length  against %d s\n", seconds);
    for (std::size_t i = 0; i < std::min(parts.size(), std::size(kDances)); ++i) {
        const auto from = recording.begin() + std::ptrdiff_t(parts[i].start * kRate);
        const std::vector<float> heatSound(from, from + std::ptrdiff_t(parts[i].seconds() * kRate));
        const DanceOfRound& dance = kDances[i];
        const TempoReading reading = detectTempo(heatSound, kRate);
        const double bars =
            chooseOctave(reading.beatsPerMinute, dance.beatsPerBar, TempoRange{dance.target - 2, dance.target + 2})
                .barsPerMinute;
        std::printf("%-15s  %6.1f  %14.3f  %+5.2f %%  %9.3f s  %+7.1f ms\n", dance.name, dance.target, bars,
                    (bars / dance.target - 1) * 100, parts[i].seconds(), (parts[i].seconds() - seconds) * 1000);
    }
    std::printf("heats heard: %zu of %zu; under-runs of the output: %lld; CPU of the process: %.1f %% of one core%s\n",
                parts.size(), std::size(kDances), (long long)output.underflows(), cpuPercent,
                player.problem().isEmpty() ? "" : qPrintable(" (" + player.problem() + ")"));
    if (prelistening) {
        std::printf("pre-listening: under-runs %lld; from asking to hearing:", (long long)phones.underflows());
        for (std::size_t i = 0; i < startMs.size(); ++i)
            std::printf(" %.0f ms (%+.0f)", startMs[i], overDelayMs[i]);
        std::printf(" (in brackets: beyond the device's own delay)%s\n",
                    prelistener.problem().isEmpty() ? "" : qPrintable(" (" + prelistener.problem() + ")"));
    }
    return 0;
}
