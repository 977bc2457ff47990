#pragma once
#include "music/MusicAnalysis.h"
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <memory>

class AnalysisCache;

// Analyses files on worker threads, as many at a time as the machine has
// cores, and hands each result back on the owner's thread. Files the cache
// knows come back at once.
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

signals:
    void analysed(const FileAnalysis& analysis);
    void progress(int done, int total);
    void finished();

private:
    void deliver(const FileAnalysis& analysis);

    AnalysisCache& cache_;
    QThreadPool pool_;
    std::shared_ptr<std::atomic_bool> cancel_;
    int done_ = 0;
    int total_ = 0;
};
