// Runs the metronome window with "Sound" ticked through the real sound output
// into a private PulseAudio null sink, records what the sink plays, and
// prints per run: missing beats, onset jitter against a straight line, drift
// from the tempo's period, the delay from each heard click to its flash, the
// device's underflows and the CPU time used.
//
// The sink's monitor is recorded through PortAudio as well, because its input
// times share the output's clock: that places the heard clicks on the clock
// the flashes are read from.
//
// With --with-track a synthesised piece plays quietly on the same output,
// stretched 8 % faster, so the clicks are measured while the engine is busy.
//
// Usage: bench_metronome [--seconds N] [--latency-ms L] [--with-track]
//        (default 60 s per run, the player's own latency)
#include "common/Clock.h"
#include "tempo/MetronomeWindow.h"
#include "common/Messages.h"
#include "Onsets.h"
#include "PrivatePulse.h"
#include "common/ProgramState.h"
#include "widgets/RadioGroup.h"
#include "audio/AudioOutput.h"
#include "audio/ResourceSoundPlayer.h"
#include "audio/SoundSamples.h"
#include "audio/TrackPlayback.h"
#include "PieceSynth.h"
#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <portaudio.h>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

class PrintedMessages : public Messages {
public:
    void warning(const QString& text) override { std::fprintf(stderr, "warning: %s\n", qPrintable(text)); }
    void information(const QString& text) override { std::fprintf(stderr, "info: %s\n", qPrintable(text)); }
    bool inputQuery(const QString&, const QString&, QString&) override { return false; }
};

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * (values.size() - 1) + 0.5))];
}

// Records the default input (the null sink's monitor) into a buffer made
// beforehand, and for every buffer the input time its frames imply for the
// recording's first frame.
class MonitorRecorder {
public:
    explicit MonitorRecorder(int seconds)
        : samples_(std::size_t(seconds + 5) * PrivatePulse::kSampleRate),
          startTimes_(samples_.size())
    {
    }
    ~MonitorRecorder() { stop(); }

    bool start()
    {
        if (Pa_Initialize() != paNoError)
            return false;
        initialised_ = true;
        PaStreamParameters in{};
        in.device = Pa_GetDefaultInputDevice();
        if (in.device == paNoDevice)
            return false;
        in.channelCount = 1;
        in.sampleFormat = paFloat32;
        // The input's times carry the timing; a short latency would only
        // cost CPU time that the output under test may need.
        in.suggestedLatency = 0.1;
        return Pa_OpenStream(&stream_, &in, nullptr, PrivatePulse::kSampleRate, paFramesPerBufferUnspecified, paNoFlag,
                             &MonitorRecorder::callback, this) == paNoError &&
               Pa_StartStream(stream_) == paNoError;
    }

    void stop()
    {
        if (stream_) {
            Pa_StopStream(stream_);
            Pa_CloseStream(stream_);
            stream_ = nullptr;
        }
        if (initialised_)
            Pa_Terminate();
        initialised_ = false;
    }

    // Stream seconds of the recording's first frame, the median over the
    // buffers (a stream pauses while it starts, and some buffers' times are
    // off); and the offset that turns stream seconds into nanoseconds of `clock`.
    double firstFrameTime() const
    {
        std::vector<double> times(startTimes_.begin(), startTimes_.begin() + std::ptrdiff_t(buffers_.load()));
        return percentile(times, 0.5);
    }
    std::int64_t clockOffsetNs(const Clock& clock) const
    {
        return clock.nowNs() - std::int64_t(Pa_GetStreamTime(stream_) * 1e9);
    }
    std::vector<float> samples() const
    {
        return {samples_.begin(), samples_.begin() + std::ptrdiff_t(std::min(written_.load(), samples_.size()))};
    }

private:
    static int callback(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo* times,
                        PaStreamCallbackFlags, void* self)
    {
        auto* r = static_cast<MonitorRecorder*>(self);
        const std::size_t at = r->written_.load(std::memory_order_relaxed);
        const std::size_t buffer = r->buffers_.load(std::memory_order_relaxed);
        if (buffer < r->startTimes_.size()) {
            r->startTimes_[buffer] = times->inputBufferAdcTime - double(at) / PrivatePulse::kSampleRate;
            r->buffers_.store(buffer + 1, std::memory_order_release);
        }
        const std::size_t count = std::min<std::size_t>(frames, r->samples_.size() - at);
        std::copy_n(static_cast<const float*>(input), count, r->samples_.begin() + std::ptrdiff_t(at));
        r->written_.store(at + count, std::memory_order_release);
        return paContinue;
    }

    std::vector<float> samples_;
    std::atomic<std::size_t> written_{0};
    std::vector<double> startTimes_;
    std::atomic<std::size_t> buffers_{0};
    PaStream* stream_ = nullptr;
    bool initialised_ = false;
};

std::vector<float> builtIn(const QString& name)
{
    return renderForOutput(*parseWave(builtInWaveImages().value(name)), PrivatePulse::kSampleRate);
}

void printSpread(const char* what, std::vector<double> values)
{
    for (double& v : values)
        v = std::abs(v);
    std::printf("  %s: p50 %.2f ms, p95 %.2f ms, max %.2f ms\n", what, percentile(values, 0.5),
                percentile(values, 0.95), values.empty() ? 0.0 : *std::max_element(values.begin(), values.end()));
}

void runOnce(MetronomeWindow& window, ResourceSoundPlayer& player, const Clock& clock,
             std::vector<std::int64_t>& flashesNs, int barsPerMinute, int metreIndex, int seconds)
{
    window.tempoSpin->setValue(barsPerMinute);
    window.metreGroup->setItemIndex(metreIndex);
    MonitorRecorder recorder(seconds);
    if (!recorder.start()) {
        std::printf("%d bars/min: cannot record the sink\n", barsPerMinute);
        return;
    }
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    flashesNs.clear();

    window.startButton->click();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    window.startButton->click();
    const std::int64_t placed = player.clicksPlaced();
    const std::int64_t underflows = player.underflows();
    QEventLoop tail;
    QTimer::singleShot(500, &tail, &QEventLoop::quit);
    tail.exec();
    const std::int64_t offsetNs = recorder.clockOffsetNs(clock);
    const double firstFrameTime = recorder.firstFrameTime();
    recorder.stop();

    const int beatsPerBar = metreIndex + 2;
    const double beatFrames = 60.0 / (barsPerMinute * beatsPerBar) * PrivatePulse::kSampleRate;
    const double msPerFrame = 1000.0 / PrivatePulse::kSampleRate;
    const auto onsets =
        FindOnsets(recorder.samples(), {builtIn("TOMTOM_HI"), builtIn("DRUM_STICK")}, std::int64_t(beatFrames / 2));
    std::printf("%d bars/min in %d/4, %d s: %lld clicks played, %zu heard, %lld missing; %lld underflows\n",
                barsPerMinute, beatsPerBar, seconds, (long long)placed, onsets.size(),
                (long long)(placed - std::int64_t(onsets.size())), (long long)underflows);
    if (onsets.size() < 3)
        return;

    int wrongSound = 0;
    for (std::size_t k = 0; k < onsets.size(); ++k)
        wrongSound += onsets[k].sound != (k % beatsPerBar == 0 ? 0 : 1);
    const LineFit line = FitStraightLine(onsets);
    std::vector<double> jitterMs;
    for (double offset : line.offsetFrames)
        jitterMs.push_back(offset * msPerFrame);
    printSpread("onset jitter against a straight line", jitterMs);
    std::printf("  drift from the tempo's period: %+.3f ms over %.0f s; accents wrong: %d\n",
                (line.spacingFrames - beatFrames) * double(onsets.size() - 1) * msPerFrame,
                double(onsets.size() - 1) * beatFrames * msPerFrame / 1000, wrongSound);

    std::vector<double> flashDelayMs;
    for (std::size_t k = 0; k < std::min(onsets.size(), flashesNs.size()); ++k) {
        const double heardNs = (firstFrameTime + double(onsets[k].frame) / PrivatePulse::kSampleRate) * 1e9 + offsetNs;
        flashDelayMs.push_back((flashesNs[k] - heardNs) / 1e6);
    }
    std::sort(flashDelayMs.begin(), flashDelayMs.end());
    std::printf("  flash after heard click: %zu flashes, median %+.2f ms, from %+.2f to %+.2f ms\n", flashesNs.size(),
                percentile(flashDelayMs, 0.5), flashDelayMs.front(), flashDelayMs.back());
    std::vector<double> magnitudes;
    for (double delay : flashDelayMs)
        magnitudes.push_back(std::abs(delay));
    std::printf("  flash after heard click, magnitude: p95 %.2f ms\n", percentile(magnitudes, 0.95));
}

// The metronome alone, without the recording: the CPU time of the whole
// process over `seconds`, once the first second is over.
void measureCpu(MetronomeWindow& window, int seconds, bool sound)
{
    window.beepCheck->setChecked(sound);
    window.startButton->click();
    std::clock_t cpuStart = 0;
    QTimer::singleShot(1000, [&] { cpuStart = std::clock(); });
    QEventLoop loop;
    QTimer::singleShot((seconds + 1) * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    window.startButton->click();
    const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    window.beepCheck->setChecked(true);
    std::printf("  CPU time %s sound, without the recording: %.0f ms in %d s (%.2f %% of one core)\n",
                sound ? "with" : "without", cpuMs, seconds, 100.0 * cpuMs / (seconds * 1000.0));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption secondsOption("seconds", "Length of each run in seconds.", "N", "60");
    const QCommandLineOption latencyOption("latency-ms", "Latency asked of the device.", "L",
                                           QString::number(AudioOutput::DefaultLatencySeconds * 1000));
    const QCommandLineOption trackOption("with-track", "Play a stretched piece quietly meanwhile.");
    options.addOption(secondsOption);
    options.addOption(latencyOption);
    options.addOption(trackOption);
    options.process(app);
    const int seconds = std::max(3, options.value(secondsOption).toInt());

    PrivatePulse pulse;
    if (!pulse.running()) {
        std::printf("no sound server: %s\n", qPrintable(pulse.failure()));
        return 1;
    }
    SteadyClock clock;
    PrintedMessages messages;
    AudioOutput output(clock, options.value(latencyOption).toDouble() / 1000.0);
    ResourceSoundPlayer player(output);
    ProgramState state;
    state.clock = &clock;
    state.messages = &messages;
    state.sounds = &player;

    MetronomeWindow window(state);
    window.beepCheck->setChecked(true);
    window.show();
    std::vector<std::int64_t> flashesNs;
    // Connected after the window's own handler: runs right after each flash.
    QObject::connect(window.flashTimer, &QTimer::timeout, [&] { flashesNs.push_back(clock.nowNs()); });
    std::printf("suggested latency %s ms\n", qPrintable(options.value(latencyOption)));
    QTemporaryDir folder;
    std::unique_ptr<TrackPlayback> track;
    QTimer trackPoll;
    if (options.isSet(trackOption)) {
        PieceRecipe recipe;
        recipe.seconds = 4.0 * seconds + 60;
        const QString piece = folder.filePath("piece.wav");
        PieceSynth::writeWav(piece, PieceSynth::render(recipe));
        // Quiet enough that the clicks' onsets stand out of the recording.
        track = std::make_unique<TrackPlayback>(
            output, PlaybackPlan{piece, {0, 1 / 1.08, StretchQuality::Faster}, 0.05f, 0, 0});
        QObject::connect(&trackPoll, &QTimer::timeout, [&] { track->poll(); });
        trackPoll.start(50);
        std::printf("with a piece playing 8 %% faster on the same output\n");
    }
    for (const auto& [barsPerMinute, metreIndex] : {std::pair{46, 1}, std::pair{200, 2}}) {
        runOnce(window, player, clock, flashesNs, barsPerMinute, metreIndex, seconds);
        measureCpu(window, std::min(seconds, 20), true);
        measureCpu(window, std::min(seconds, 20), false);
    }
    if (track)
        std::printf("the piece's under-runs: %lld\n", (long long)track->track().underruns());
    return 0;
}
