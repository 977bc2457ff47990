#pragma once
#include "music/MusicAnalysis.h"
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

class AnalysisCache;

// Analyses files on worker threads, as many at a time as the machine has
// cores, and hands each result back on the owner's thread. Files the cache
// knows come back at once. A file that does not open in time (a hung network
// share, a pipe) gets its row as not responding and holds up nothing: neither
// the files after it nor the program's end.
class MusicAnalysisQueue : public QObject {
    Q_OBJECT
public:
    explicit MusicAnalysisQueue(AnalysisCache& cache, QObject* parent = nullptr);
    ~MusicAnalysisQueue() override;

    void enqueue(const QStringList& paths);
    // Stops what runs and what waits; their rows say so.
    void cancel();
    bool busy() const { return done_ < total_; }
    int done() const { return done_; }
    int total() const { return total_; }
    // Blocks until every started analysis has returned (tests and shutdown).
    void waitForDone();
    // How long a file may take to open before its row says it does not respond.
    void setOpenTimeoutMs(int ms) { openTimeoutMs_ = ms; }

    // The first step on a file, the one that may hang: opens it, false with a
    // reason when it cannot be analysed. Tests put in one that hangs at will.
    using Opener = std::function<bool(const QString& path, QString& why)>;
    void setOpener(Opener opener) { opener_ = std::move(opener); }
    static bool probeOpens(const QString& path, QString& why);

signals:
    void analysed(const FileAnalysis& analysis);
    void progress(int done, int total);
    void finished();

private:
    // One file on its way, shared with its worker.
    struct Job {
        QString path;
        std::atomic<qint64> openingSinceMs{-1}; // on the queue's clock; -1 before the worker starts
        std::atomic_bool opened{false};
        std::atomic_bool answered{false}; // its row is given; a later result is dropped
    };

    void deliver(const FileAnalysis& analysis);
    void answer(const std::shared_ptr<Job>& job, const FileAnalysis& analysis);
    void watchOpenings();

    AnalysisCache& cache_;
    // Left running at the end when a worker hangs in the system, since no
    // thread can be taken back from a blocked open.
    std::unique_ptr<QThreadPool> pool_;
    std::shared_ptr<std::atomic_bool> cancel_;
    Opener opener_ = probeOpens;
    QList<std::shared_ptr<Job>> jobs_;
    QElapsedTimer clock_;
    QTimer watchdog_;
    int openTimeoutMs_ = 5000;
    int done_ = 0;
    int total_ = 0;
};
