// Taps the real count-beat window with key events at known intervals on the
// real clock and prints the measured tempo against the true one and the time
// each tap takes to handle. Then feeds the tap series with simulated human
// taps (jitter, a missed tap, a doubled tap, a pause) and prints the error of
// the plain average (every tap one bar) and of the series' forgiving one.
#include "tempo/TapSeries.h"
#include "common/Clock.h"
#include "widgets/DisplayArea.h"
#include "widgets/DelimitedListBox.h"
#include "tempo/MeasuredTempo.h"
#include "tempo/SpeedConversionWindow.h"
#include "tempo/CountBeatWindow.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "rules/RuleTables.h"
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <random>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using SteadyTime = std::chrono::steady_clock::time_point;

class SilentMessages : public Messages {
public:
    void warning(const QString&) override {}
    void information(const QString&) override {}
    bool inputQuery(const QString&, const QString&, QString&) override { return false; }
};

// Keeps the event loop running (the key re-arm timer) until the moment comes,
// sleeping coarsely and spinning the last stretch.
void waitUntil(SteadyTime when)
{
    using namespace std::chrono;
    while (steady_clock::now() < when - milliseconds(2)) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(milliseconds(1));
    }
    while (steady_clock::now() < when) {
    }
}

void sendKey(QWidget* target, QEvent::Type type)
{
    QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(target, &event);
}

struct Result {
    double trueTempo;
    double measured;      // the window's untruncated series average
    double fromSendTimes; // what the moments of sending give
    std::vector<double> tapMicros;
};

Result run(CountBeatWindow& form, double barsPerMinute, int taps)
{
    using namespace std::chrono;
    form.resetClicked();
    const auto interval = duration_cast<nanoseconds>(duration<double>(60.0 / barsPerMinute));
    const SteadyTime start = steady_clock::now() + milliseconds(50);
    Result result{barsPerMinute, 0, 0, {}};
    SteadyTime firstSent, lastSent;
    for (int i = 0; i < taps; ++i) {
        waitUntil(start + i * interval);
        const SteadyTime sent = steady_clock::now();
        sendKey(form.tapList, QEvent::KeyPress);
        const SteadyTime handled = steady_clock::now();
        sendKey(form.tapList, QEvent::KeyRelease);
        result.tapMicros.push_back(duration<double, std::micro>(handled - sent).count());
        (i == 0 ? firstSent : lastSent) = sent;
    }
    result.measured = form.series().averageTempo();
    result.fromSendTimes = (taps - 1) / duration<double>(lastSent - firstSent).count() * 60.0;
    return result;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * (values.size() - 1))];
}

// Tap times in seconds of one simulated series of bars true bars.
using TapTimes = std::vector<double>;
using Mishap = std::function<void(TapTimes&, std::mt19937&, double barSeconds)>;

struct Scenario {
    const char* name;
    double jitterMs; // standard deviation of each tap around its bar
    Mishap mishap;
};

TapTimes humanTaps(double barSeconds, int bars, double jitterMs, std::mt19937& random)
{
    std::normal_distribution<double> jitter(0, jitterMs / 1000.0);
    TapTimes taps;
    for (int i = 0; i <= bars; ++i)
        taps.push_back(i * barSeconds + (jitterMs > 0 ? jitter(random) : 0));
    return taps;
}

// Some tap but the first and the last, which carry the time spanned.
size_t innerTap(const TapTimes& taps, std::mt19937& random)
{
    return std::uniform_int_distribution<size_t>(1, taps.size() - 2)(random);
}

void missOne(TapTimes& taps, std::mt19937& random, double)
{
    taps.erase(taps.begin() + innerTap(taps, random));
}

// A bounce or a hesitation: a second tap 60 to 250 ms after a tap, the first included.
void doubleOne(TapTimes& taps, std::mt19937& random, double)
{
    const size_t at = std::uniform_int_distribution<size_t>(0, taps.size() - 2)(random);
    taps.insert(taps.begin() + at + 1, taps[at] + std::uniform_real_distribution<double>(0.06, 0.25)(random));
}

// A tap anywhere from 15 % to 85 % into a bar.
void strayOne(TapTimes& taps, std::mt19937& random, double barSeconds)
{
    const size_t at = std::uniform_int_distribution<size_t>(0, taps.size() - 2)(random);
    taps.insert(taps.begin() + at + 1,
                taps[at] + barSeconds * std::uniform_real_distribution<double>(0.15, 0.85)(random));
}

// One tap, then silence, then the bars: the operator tapped once too early.
Mishap pauseAfterFirst(double seconds)
{
    return [seconds](TapTimes& taps, std::mt19937&, double) { taps.insert(taps.begin(), taps.front() - seconds); };
}

struct Errors {
    std::vector<double> plain;
    std::vector<double> forgiving;
    int identical = 0;
};

void simulate(const Scenario& scenario, double barsPerMinute, int bars, int trials)
{
    std::mt19937 random(4711);
    const double barSeconds = 60.0 / barsPerMinute;
    Errors errors;
    for (int trial = 0; trial < trials; ++trial) {
        TapTimes taps = humanTaps(barSeconds, bars, scenario.jitterMs, random);
        if (scenario.mishap)
            scenario.mishap(taps, random, barSeconds);
        // The plain average as listed before: every interval one bar, summed in a float.
        float total = 0;
        TapSeries series;
        series.start();
        for (size_t i = 1; i < taps.size(); ++i) {
            total = static_cast<float>(total + (taps[i] - taps[i - 1]));
            series.addInterval(taps[i] - taps[i - 1], 5, 0, 1000);
        }
        const float plain = static_cast<float>(double(taps.size() - 1) / total * 60.0);
        const float forgiving = static_cast<float>(series.averageTempo());
        errors.plain.push_back(std::abs(plain - barsPerMinute));
        errors.forgiving.push_back(std::abs(forgiving - barsPerMinute));
        errors.identical += plain == forgiving;
    }
    std::printf("%-34s %6.1f %3d %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f %6d/%d\n", scenario.name, barsPerMinute, bars,
                percentile(errors.plain, 0.5), percentile(errors.plain, 0.95), percentile(errors.plain, 1.0),
                percentile(errors.forgiving, 0.5), percentile(errors.forgiving, 0.95),
                percentile(errors.forgiving, 1.0), errors.identical, trials);
    std::fflush(stdout);
}

void simulateHumanTaps()
{
    const int trials = 1000;
    std::printf("\nsimulated taps, %d series each: absolute error in bars per minute of the plain average\n"
                "(every tap one bar, as listed before) and of the forgiving one; 'same' counts series where\n"
                "both give the same float figure (all of them where no tap was missed or doubled)\n",
                trials);
    std::printf("%-34s %6s %3s %8s %8s %8s %8s %8s %8s %8s\n", "taps", "true", "bars", "plain50", "plain95", "plainmax",
                "new50", "new95", "newmax", "same");
    const Scenario scenarios[] = {
        {"exact", 0, nullptr},
        {"20 ms jitter", 20, nullptr},
        {"30 ms jitter", 30, nullptr},
        {"40 ms jitter", 40, nullptr},
        {"30 ms jitter, one missed tap", 30, missOne},
        {"30 ms jitter, one doubled tap", 30, doubleOne},
        {"30 ms jitter, one stray tap", 30, strayOne},
        {"30 ms jitter, 12 s pause after tap 1", 30, pauseAfterFirst(12)},
        {"40 ms jitter, one missed tap", 40, missOne},
        {"40 ms jitter, one doubled tap", 40, doubleOne},
    };
    for (const Scenario& scenario : scenarios)
        simulate(scenario, 48, 20, trials);
    for (double tempo : {28.0, 60.0, 120.0}) {
        simulate(scenarios[4], tempo, 20, trials);
        simulate(scenarios[5], tempo, 20, trials);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--simulated"))) {
        simulateHumanTaps();
        return 0;
    }

    SteadyClock clock;
    SilentMessages messages;
    ProgramState state;
    state.clock = &clock;
    state.messages = &messages;
    RuleTables rules;
    state.rules = &rules;
    DanceSelection selection(state);
    state.selection = &selection;
    selection.setTempoRange({50, 52});
    DisplayArea area;
    auto* form = new CountBeatWindow(state);
    auto* speedConversion = new SpeedConversionWindow(state);
    area.registerWindow(form);
    area.registerWindow(speedConversion);
    MeasuredTempo measuredTempo;
    speedConversion->setMeasuredTempo(&measuredTempo);
    form->setMeasuredTempo(&measuredTempo);
    area.resize(700, 500);
    area.show();
    area.showWindow(0);

    const int taps = 33; // 32 intervals
    std::printf("count beat, %d taps per tempo, real clock, key events into the list\n", taps);
    std::printf("%8s %12s %12s %14s %16s %10s %10s %10s\n", "true", "measured", "error", "send-time tempo",
                "window-vs-send", "tap p50", "tap p95", "tap max");
    for (double tempo : {28.0, 46.0, 50.0, 52.0, 60.0, 120.0}) {
        const Result r = run(*form, tempo, taps);
        std::printf("%8.2f %12.4f %+12.4f %14.4f %+16.5f %8.1fus %8.1fus %8.1fus\n", r.trueTempo, r.measured,
                    r.measured - r.trueTempo, r.fromSendTimes, r.measured - r.fromSendTimes,
                    percentile(r.tapMicros, 0.5), percentile(r.tapMicros, 0.95), percentile(r.tapMicros, 1.0));
        std::fflush(stdout);
    }
    std::printf("error: bars per minute, measured minus true; window-vs-send isolates the window's own share\n");
    simulateHumanTaps();
    return 0;
}
