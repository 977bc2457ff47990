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
class TThreadTimer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(TThreadTimer* sender)>;

    explicit TThreadTimer(QObject* parent = nullptr);
    ~TThreadTimer() override;

    bool Enabled() const { return run_ != nullptr; }
    void setEnabled(bool enabled);

    int Interval() const { return interval_; }
    void setInterval(int milliseconds);

    // Given to the tick thread when the timer is enabled.
    QThread::Priority ThreadPriority() const { return priority_; }
    void setThreadPriority(QThread::Priority priority) { priority_ = priority; }

    // Runs on every tick, on the user-interface thread.
    Handler OnTimer;

private:
    struct Run;
    class TTimerThread;

    void start();
    void stop();
    void tick();

    std::shared_ptr<Run> run_;
    int interval_ = 0;
    QThread::Priority priority_ = QThread::NormalPriority;
};
