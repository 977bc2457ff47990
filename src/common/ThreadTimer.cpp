#include "common/ThreadTimer.h"
#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#if defined(__SANITIZE_THREAD__)
#define VANTOR_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VANTOR_TSAN 1
#endif
#endif
#ifdef VANTOR_TSAN
#include <sanitizer/tsan_interface.h>
#endif

namespace {

constexpr int kMinimumSleepMs = 10;

// Qt's event queue hands an event over with locks that a thread checker
// compiled into this program cannot see; these two mark that hand-over for it
// and compile to nothing otherwise.
void markHandOver([[maybe_unused]] void* what)
{
#ifdef VANTOR_TSAN
    __tsan_release(what);
#endif
}

void markTakeOver([[maybe_unused]] void* what)
{
#ifdef VANTOR_TSAN
    __tsan_acquire(what);
#endif
}

QEvent::Type newEventType()
{
    return static_cast<QEvent::Type>(QEvent::registerEventType());
}

const QEvent::Type kTickEventType = newEventType();
const QEvent::Type kThreadEndedEventType = newEventType();

// One tick on its way to the user-interface thread. Its promise is kept when
// the tick has been handled, or broken when the event is dropped undelivered
// (as pending events are when the application ends); either releases the
// waiting tick thread.
class TickEvent : public QEvent {
public:
    TickEvent()
        : QEvent(kTickEventType)
    {
    }

    // Dropped undelivered, the event is deleted by Qt's clean-up on the
    // user-interface thread without passing through the timer's event().
    ~TickEvent() override { markTakeOver(this); }

    std::promise<void> handled;
};

} // namespace

// What one enabling shares with its tick thread. The thread owns a reference,
// so the run outlives the timer if the timer is destroyed while enabled.
struct ThreadTimer::Run {
    Run(ThreadTimer* owner, int intervalMs)
        : timer(owner),
          interval(intervalMs)
    {
    }

    // Used on the user-interface thread only, and only while stopRequested is
    // false: the timer sets the request before it goes away.
    ThreadTimer* const timer;
    std::atomic<int> interval;
    std::atomic<bool> stopRequested{false};
};

// The tick thread of one run. The object itself lives on the user-interface
// thread, which receives the ticks through it; it deletes itself there once
// its thread has ended, so it outlives every tick it posts.
class ThreadTimer::TickThread : public QThread {
public:
    explicit TickThread(std::shared_ptr<Run> run)
        : run_(std::move(run))
    {
    }

protected:
    void run() override
    {
        using namespace std::chrono;
        while (!run_->stopRequested) {
            const auto started = steady_clock::now();
            auto* tick = new TickEvent;
            std::future<void> handled = tick->handled.get_future();
            post(tick);
            handled.wait();
            const auto handlerMs = duration_cast<milliseconds>(steady_clock::now() - started).count();
            std::this_thread::sleep_for(milliseconds(std::max<long long>(run_->interval - handlerMs, kMinimumSleepMs)));
        }
        post(new QEvent(kThreadEndedEventType));
    }

    bool event(QEvent* event) override
    {
        markTakeOver(this);
        if (event->type() == kTickEventType) {
            if (!run_->stopRequested)
                run_->timer->tick();
            static_cast<TickEvent*>(event)->handled.set_value();
            return true;
        }
        if (event->type() == kThreadEndedEventType) {
            // The thread has left its loop and waits for nothing any more, so
            // this wait is only for its last steps out.
            wait();
            deleteLater();
            return true;
        }
        return QThread::event(event);
    }

private:
    void post(QEvent* event)
    {
        markHandOver(this);
        markHandOver(event);
        QCoreApplication::postEvent(this, event);
    }

    const std::shared_ptr<Run> run_;
};

ThreadTimer::ThreadTimer(QObject* parent)
    : QObject(parent)
{
}

ThreadTimer::~ThreadTimer()
{
    stop();
}

void ThreadTimer::setEnabled(bool enabled)
{
    if (enabled == isEnabled())
        return;
    if (enabled)
        start();
    else
        stop();
}

void ThreadTimer::setInterval(int milliseconds)
{
    interval_ = milliseconds;
    if (run_)
        run_->interval = milliseconds;
}

void ThreadTimer::start()
{
    run_ = std::make_shared<Run>(this, interval_);
    (new TickThread(run_))->start(priority_);
}

void ThreadTimer::stop()
{
    if (!run_)
        return;
    run_->stopRequested = true;
    run_.reset();
}

void ThreadTimer::tick()
{
    // The handler may disable, re-enable or destroy this timer, so it runs
    // from a copy and nothing touches the timer after it.
    const Handler handler = onTimer;
    if (handler)
        handler(this);
}
