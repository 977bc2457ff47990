// Taps the real count-beat window with key events at known intervals on the
// real clock and prints the measured tempo against the true one and the time
// each tap takes to handle.
#include "Clock.h"
#include "DisplayArea.h"
#include "DelimitedListBox.h"
#include "FrmGeschwindigkeitsumrechnung.h"
#include "FrmMusikAuszaehlen.h"
#include "Messages.h"
#include "ProgramState.h"
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <chrono>
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
    double measured;         // the window's untruncated series average
    double fromSendTimes;    // what the moments of sending give
    std::vector<double> tapMicros;
};

Result run(TFrmMusikAuszaehlen& form, double barsPerMinute, int taps)
{
    using namespace std::chrono;
    form.BT_ResetClick();
    const auto interval = duration_cast<nanoseconds>(duration<double>(60.0 / barsPerMinute));
    const SteadyTime start = steady_clock::now() + milliseconds(50);
    Result result{barsPerMinute, 0, 0, {}};
    SteadyTime firstSent, lastSent;
    for (int i = 0; i < taps; ++i) {
        waitUntil(start + i * interval);
        const SteadyTime sent = steady_clock::now();
        sendKey(form.List, QEvent::KeyPress);
        const SteadyTime handled = steady_clock::now();
        sendKey(form.List, QEvent::KeyRelease);
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    SteadyClock clock;
    SilentMessages messages;
    ProgramState state;
    state.clock = &clock;
    state.messages = &messages;
    state.TempoMin = 50;
    state.TempoMax = 52;
    DisplayArea area;
    state.fd = &area;
    auto* form = new TFrmMusikAuszaehlen(state);
    area.registerWindow(form);
    area.registerWindow(new QWidget);
    area.registerWindow(new QWidget);
    area.registerWindow(new TFrmGeschwindigkeitsumrechnung(state));
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
                    percentile(r.tapMicros, 0.5), percentile(r.tapMicros, 0.95),
                    percentile(r.tapMicros, 1.0));
        std::fflush(stdout);
    }
    std::printf("error: bars per minute, measured minus true; window-vs-send isolates the window's own share\n");
    return 0;
}
