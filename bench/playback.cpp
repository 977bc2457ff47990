// Plays synthesised pieces through the real output into a private PulseAudio
// null sink and prints what the engine achieves:
// - the stretcher's CPU per stream (the worker's share of one core: reading
//   and stretching a 3-minute piece, timed on this thread's CPU clock), for
//   -8 %, 0 and +8 % with the faster and the finer engine;
// - the heard tempo of the piece against the target, and the callback's CPU
//   load, recorded at the sink;
// - the pitch of a stretched 440 Hz tone; where a planned fade ends against
//   the plan; the time from the start to the first heard sample;
// - the memory a 10-minute file takes, and the under-runs while it plays for
//   --minutes with --load busy processes on the machine.
//
// Usage: bench_playback [--minutes M] [--load N] [--heard-seconds S]   (defaults 10, 6, 30)
#include "Onsets.h"
#include "PieceSynth.h"
#include "PrivatePulse.h"
#include "audio/AudioFileReader.h"
#include "audio/AudioOutput.h"
#include "audio/RubberBandStretcher.h"
#include "audio/TrackPlayback.h"
#include "common/Clock.h"
#include "music/OctaveChoice.h"
#include "music/TempoDetector.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int kRate = PrivatePulse::kSampleRate;
constexpr double kPieceBars = 50;
const double kSpeeds[] = {0.92, 1.0, 1.08};
const StretchQuality kQualities[] = {StretchQuality::Faster, StretchQuality::Finer};

const char* nameOf(StretchQuality quality)
{
    return quality == StretchQuality::Faster ? "R2 faster" : "R3 finer";
}

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

long residentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// The share of one core that reading and stretching the whole file takes, against its heard length.
double stretcherCpuPercent(const QString& file, double speed, StretchQuality quality)
{
    AudioFileReader reader;
    if (!reader.open(file, kRate, TimeStretcher::Channels))
        return -1;
    RubberBandStretcher stretcher(quality);
    stretcher.restart(kRate, 1 / speed);
    struct Supply : FrameSupply {
        AudioFileReader& reader;
        explicit Supply(AudioFileReader& r)
            : reader(r)
        {
        }
        int supply(float* out, int frames) override { return reader.read(out, frames); }
    } supply(reader);
    std::vector<float> block(1024 * TimeStretcher::Channels);
    const double before = threadCpuSeconds();
    std::int64_t frames = 0;
    for (int made = 1; made > 0; frames += made)
        made = stretcher.pull(supply, block.data(), 1024);
    return (threadCpuSeconds() - before) / (double(frames) / kRate) * 100;
}

class Bench {
public:
    Bench(QTemporaryDir& folder, PrivatePulse& pulse)
        : folder_(folder),
          pulse_(pulse)
    {
    }

    QString write(const QString& name, const std::vector<float>& samples)
    {
        const QString path = folder_.filePath(name);
        PieceSynth::writeWav(path, samples);
        return path;
    }

    // Plays the plan for at most `seconds` while recording the sink.
    std::vector<float> record(const PlaybackPlan& plan, double seconds, double* cpuLoad = nullptr,
                              double* startMs = nullptr)
    {
        AudioOutput output(clock_);
        output.ensureOpen(true);
        QThread::msleep(300); // the stream settles before the recording begins
        pulse_.startRecording();
        QElapsedTimer elapsed;
        elapsed.start();
        TrackPlayback playback(output, plan);
        double loadSum = 0;
        int loads = 0;
        while (elapsed.elapsed() < seconds * 1000 && !playback.finished()) {
            QThread::msleep(10);
            playback.poll();
            if (startMs && *startMs < 0 && playback.heardSeconds())
                *startMs = double(elapsed.nsecsElapsed()) / 1e6 - *playback.heardSeconds() * 1000;
            loadSum += output.cpuLoad();
            ++loads;
        }
        QThread::msleep(500);
        if (cpuLoad)
            *cpuLoad = loads > 0 ? loadSum / loads * 100 : 0;
        return pulse_.stopRecording();
    }

    void heardTempoAndCpu(const QString& piece, double seconds)
    {
        std::printf("\nspeed  engine     worker CPU  callback CPU  heard bars/min  target  error\n");
        for (StretchQuality quality : kQualities) {
            for (double speed : kSpeeds) {
                const double target = kPieceBars * speed;
                double load = 0;
                const auto heard = record({piece, {0, 1 / speed, quality}, 1, 0, 0}, seconds, &load);
                const TempoReading reading = detectTempo(heard, kRate);
                const double bars =
                    chooseOctave(reading.beatsPerMinute, 4, TempoRange{target - 2, target + 2}).barsPerMinute;
                std::printf("%+4.0f %%  %-9s  %8.1f %%  %10.2f %%  %14.3f  %6.2f  %+5.2f %%\n", (speed - 1) * 100,
                            nameOf(quality), stretcherCpuPercent(piece, speed, quality), load, bars, target,
                            (bars / target - 1) * 100);
                std::fflush(stdout);
            }
        }
    }

    void pitch(const QString& toneFile)
    {
        std::printf("\nspeed  engine     pitch of 440 Hz\n");
        for (StretchQuality quality : kQualities) {
            for (double speed : kSpeeds) {
                const auto heard = record({toneFile, {0, 1 / speed, quality}, 1, 0, 0}, 3);
                const std::size_t start = FirstSound(heard);
                std::printf("%+4.0f %%  %-9s  %8.2f Hz\n", (speed - 1) * 100, nameOf(quality),
                            ToneFrequency(heard, start + kRate / 2, start + 2 * kRate, kRate));
            }
        }
    }

    void fadeAndStart(const QString& toneFile)
    {
        std::printf("\nengine     fade end against plan  start to first heard sample\n");
        for (StretchQuality quality : kQualities) {
            double startMs = -1;
            const auto heard = record({toneFile, {0, 1, quality}, 1, 4.0, 2.0}, 6, nullptr, &startMs);
            const double endMs = (double(LastSound(heard) - FirstSound(heard)) / kRate - 4.0) * 1000;
            std::printf("%-9s  %+17.1f ms  %21.0f ms\n", nameOf(quality), endMs, startMs);
        }
    }

    void underLoad(const QString& longPiece, double minutes, int load)
    {
        std::vector<std::unique_ptr<QProcess>> busy;
        for (int i = 0; i < load; ++i) {
            busy.push_back(std::make_unique<QProcess>());
            busy.back()->start("sh", {"-c", "while :; do :; done"});
        }
        AudioOutput output(clock_);
        const long before = residentKiB();
        TrackPlayback playback(output, {longPiece, {0, 1 / 1.08, StretchQuality::Faster}, 1, 0, 0});
        QElapsedTimer elapsed;
        elapsed.start();
        long peak = 0;
        while (elapsed.elapsed() < minutes * 60000 && !playback.finished()) {
            QThread::msleep(50);
            playback.poll();
            peak = std::max(peak, residentKiB() - before);
        }
        for (auto& process : busy) {
            process->kill();
            process->waitForFinished(1000);
        }
        std::printf("\n%.1f min of a 10-minute piece at +8 %% with %d busy processes: "
                    "%lld under-runs of the track, %lld of the output; memory %.1f MB\n",
                    elapsed.elapsed() / 60000.0, load, (long long)playback.track().underruns(),
                    (long long)output.underflows(), peak / 1024.0);
    }

private:
    QTemporaryDir& folder_;
    PrivatePulse& pulse_;
    SteadyClock clock_;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption minutesOption("minutes", "Minutes of playing under load.", "M", "10");
    const QCommandLineOption loadOption("load", "Busy processes during that.", "N", "6");
    const QCommandLineOption heardOption("heard-seconds", "Seconds recorded for each heard tempo.", "S", "30");
    parser.addOptions({minutesOption, loadOption, heardOption});
    parser.addHelpOption();
    parser.process(app);

    PrivatePulse pulse;
    if (!pulse.running()) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(pulse.failure()));
        return 1;
    }
    QTemporaryDir folder;
    Bench bench(folder, pulse);
    PieceRecipe recipe;
    recipe.barsPerMinute = kPieceBars;
    recipe.seconds = 180;
    const QString piece = bench.write("piece.wav", PieceSynth::render(recipe));
    const QString toneFile = bench.write("tone.wav", SineTone(440, 8, PieceSynth::SampleRate));
    bench.heardTempoAndCpu(piece, parser.value(heardOption).toDouble());
    bench.pitch(toneFile);
    bench.fadeAndStart(toneFile);
    recipe.seconds = 600;
    const QString longPiece = bench.write("long.wav", PieceSynth::render(recipe));
    bench.underLoad(longPiece, parser.value(minutesOption).toDouble(), parser.value(loadOption).toInt());
    return 0;
}
