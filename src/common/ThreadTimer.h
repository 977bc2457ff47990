#pragma once
#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

// A timer whose ticks come from a thread of its own and run on the thread
// that owns the timer (the user-interface thread). Each tick waits for its
// handler to return, then the thread sleeps max(Interval - handler time,
// 10 ms), so ticks never overlap and a slow handler stretches the period.
//
// Each enabling starts a new tick thread with its own stop request; disabling
// only sets that request and never waits, because the thread may at that
// moment be waiting for this (the user-interface) thread. A thread checks its
// request at the top of its loop and before every handler call, so a disabled
// or destroyed timer gets no further tick and is never touched again.
class ThreadTimer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(ThreadTimer* sender)>;

    explicit ThreadTimer(QObject* parent = nullptr);
    ~ThreadTimer() override;

    bool isEnabled() const { return run_ != nullptr; }
    void setEnabled(bool enabled);

    int interval() const { return interval_; }
    void setInterval(int milliseconds);

    // Given to the tick thread when the timer is enabled.
    QThread::Priority threadPriority() const { return priority_; }
    void setThreadPriority(QThread::Priority priority) { priority_ = priority; }

    // Runs on every tick, on the user-interface thread.
    Handler onTimer;

private:
    struct Run;
    class TickThread;

    void start();
    void stop();
    void tick();

    std::shared_ptr<Run> run_;
    int interval_ = 0;
    QThread::Priority priority_ = QThread::NormalPriority;
};
