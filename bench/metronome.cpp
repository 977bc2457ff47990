// Runs the metronome window with the real thread timer and the real clock and
// prints, per run, how late each beat's flash came against the ideal schedule,
// how far the last beat drifted from the first, and the CPU time used.
//
// Usage: bench_metronome [--seconds N]   (default 30 s per run)
#include "Clock.h"
#include "FrmMetronomFenster.h"
#include "Messages.h"
#include "ProgramState.h"
#include "RadioGroup.h"
#include "SoundPlayer.h"
#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <vector>

namespace {

class PrintedMessages : public Messages {
public:
    void warning(const QString& text) override { std::fprintf(stderr, "warning: %s\n", qPrintable(text)); }
    void information(const QString& text) override { std::fprintf(stderr, "info: %s\n", qPrintable(text)); }
    bool inputQuery(const QString&, const QString&, QString&) override { return false; }
};

// Every beat asks for a sound in the same handler that flashes the bar, so the
// request's time is the flash's time. The sounds are passed on to the real player.
class TimedSounds : public SoundPlayer {
public:
    TimedSounds(const Clock& clock, SoundPlayer& player) : clock_(clock), player_(player) {}
    void PlayResourceSound(const QString& name) override
    {
        beatsNs.push_back(clock_.nowNs());
        player_.PlayResourceSound(name);
    }
    std::vector<std::int64_t> beatsNs;

private:
    const Clock& clock_;
    SoundPlayer& player_;
};

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(fraction * (values.size() - 1) + 0.5));
    return values[index];
}

void runOnce(TFrmMetronomFenster& window, TimedSounds& sounds, const Clock& clock, int barsPerMinute,
             int taktIndex, int seconds)
{
    window.SE_TakteProMinute->setValue(barsPerMinute);
    window.Takt->setItemIndex(taktIndex);
    sounds.beatsNs.clear();

    const std::clock_t cpuStart = std::clock();
    const std::int64_t startNs = clock.nowNs();
    window.BT_Start->click();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    window.BT_Start->click();
    const double runNs = double(clock.nowNs() - startNs);
    const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    const double beatNs = window.schedule().beatSeconds() * 1e9;
    std::vector<double> latenessMs;
    for (size_t j = 0; j < sounds.beatsNs.size(); ++j)
        latenessMs.push_back((sounds.beatsNs[j] - startNs - j * beatNs) / 1e6);
    const size_t beats = latenessMs.size();
    std::printf("%d bars/min in %d/4, %.2f s: %zu beats (due: %.0f)\n", barsPerMinute, taktIndex + 2,
                runNs / 1e9, beats, std::ceil(runNs / beatNs));
    if (beats < 2)
        return;
    const double mean = std::accumulate(latenessMs.begin(), latenessMs.end(), 0.0) / beats;
    std::printf("  flash lateness: mean %.2f ms, 95th percentile %.2f ms, max %.2f ms\n", mean,
                percentile(latenessMs, 0.95), *std::max_element(latenessMs.begin(), latenessMs.end()));
    const double spanNs = double(sounds.beatsNs.back() - sounds.beatsNs.front());
    std::printf("  drift first to last beat: %+.2f ms over %.1f s\n", (spanNs - (beats - 1) * beatNs) / 1e6,
                spanNs / 1e9);
    std::printf("  CPU time: %.0f ms (%.2f %% of one core)\n", cpuMs, 100.0 * cpuMs / (seconds * 1000.0));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption secondsOption("seconds", "Length of each run in seconds.", "N", "30");
    options.addOption(secondsOption);
    options.process(app);
    const int seconds = std::max(1, options.value(secondsOption).toInt());

    SteadyClock clock;
    PrintedMessages messages;
    ResourceSoundPlayer player;
    TimedSounds sounds(clock, player);
    ProgramState state;
    state.clock = &clock;
    state.messages = &messages;
    state.sounds = &sounds;

    TFrmMetronomFenster window(state);
    window.CB_Beep->setChecked(true);
    window.show();
    std::printf("audio output: %s\n", player.hasOutput() ? "yes" : "none (sounds are silent)");
    runOnce(window, sounds, clock, 46, 1, seconds);
    runOnce(window, sounds, clock, 200, 2, seconds);
    return 0;
}
