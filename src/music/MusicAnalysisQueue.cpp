#include "music/MusicAnalysisQueue.h"
#include "music/AnalysisCache.h"

#include <QPointer>

MusicAnalysisQueue::MusicAnalysisQueue(AnalysisCache& cache, QObject* parent)
    : QObject(parent),
      cache_(cache),
      cancel_(std::make_shared<std::atomic_bool>(false))
{
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

MusicAnalysisQueue::~MusicAnalysisQueue()
{
    cancel_->store(true);
    pool_.clear();
    pool_.waitForDone();
    cache_.save();
}

void MusicAnalysisQueue::enqueue(const QStringList& paths)
{
    if (!busy())
        done_ = total_ = 0;
    total_ += int(paths.size());
    emit progress(done_, total_);
    for (const QString& path : paths) {
        if (const auto known = cache_.find(path)) {
            // Queued, so that rows come in the order of the paths.
            QMetaObject::invokeMethod(
                this, [this, analysis = *known] { deliver(analysis); }, Qt::QueuedConnection);
            continue;
        }
        QPointer<MusicAnalysisQueue> self(this);
        pool_.start([self, path, cancel = cancel_] {
            const FileAnalysis analysis = analyseFile(path, cancel.get());
            // The queue waits for its workers before it goes, so self is valid here.
            QMetaObject::invokeMethod(
                self.data(),
                [self, analysis] {
                    if (self)
                        self->deliver(analysis);
                },
                Qt::QueuedConnection);
        });
    }
}

void MusicAnalysisQueue::deliver(const FileAnalysis& analysis)
{
    // The cache keeps no confidence, so a doubtful tempo is measured again rather than remembered as sure.
    if (analysis.failure != DecodeFailure::Cancelled && !analysis.tempoUncertain())
        cache_.store(analysis);
    ++done_;
    emit analysed(analysis);
    emit progress(done_, total_);
    if (!busy()) {
        cache_.save();
        emit finished();
    }
}

void MusicAnalysisQueue::cancel()
{
    // Waiting files see the flag before they open anything, so each still
    // gets its row at once.
    cancel_->store(true);
    // Files added from now on are analysed again.
    cancel_ = std::make_shared<std::atomic_bool>(false);
}

void MusicAnalysisQueue::waitForDone()
{
    pool_.waitForDone();
}
