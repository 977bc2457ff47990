#include "music/MusicAnalysisQueue.h"
#include "music/AnalysisCache.h"
#include "common/FileNames.h"

#include <QFile>
#include <QPointer>
#include <new>

namespace {

constexpr int kWatchMs = 250;
// Workers that see the cancel flag return within a block; longer means hung.
constexpr int kQuitWaitMs = 1000;

FileAnalysis failedAnalysis(const QString& path, DecodeFailure failure, const QString& detail = {})
{
    FileAnalysis analysis;
    analysis.path = path;
    analysis.failure = failure;
    analysis.detail = detail;
    return analysis;
}

} // namespace

// Opens the file and reads its first block, the steps a hung share blocks in;
// the decoder's own open then finds it at hand. A pipe or device would block
// or never end, so only regular files are opened.
bool MusicAnalysisQueue::probeOpens(const QString& path, QString& why)
{
    const auto status = fileStatus(path);
    if (status && !status->isFile && !status->isDir) {
        why = QStringLiteral("not a regular file");
        return false;
    }
    QFile file;
    if (openForReading(file, path))
        file.read(4096);
    return true;
}

MusicAnalysisQueue::MusicAnalysisQueue(AnalysisCache& cache, QObject* parent)
    : QObject(parent),
      cache_(cache),
      pool_(std::make_unique<QThreadPool>()),
      cancel_(std::make_shared<std::atomic_bool>(false))
{
    pool_->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    clock_.start();
    watchdog_.setInterval(kWatchMs);
    connect(&watchdog_, &QTimer::timeout, this, &MusicAnalysisQueue::watchOpenings);
}

MusicAnalysisQueue::~MusicAnalysisQueue()
{
    cancel_->store(true);
    for (const auto& job : jobs_)
        job->answered = true;
    pool_->clear();
    if (!pool_->waitForDone(kQuitWaitMs))
        (void)pool_.release(); // the process's end takes the hung threads along
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
        auto job = std::make_shared<Job>();
        job->path = path;
        jobs_.append(job);
        QPointer<MusicAnalysisQueue> self(this);
        const QElapsedTimer clock = clock_;
        pool_->start([self, job, clock, opener = opener_, cancel = cancel_] {
            FileAnalysis analysis;
            QString why;
            job->openingSinceMs = clock.elapsed();
            if (cancel->load()) {
                analysis = failedAnalysis(job->path, DecodeFailure::Cancelled);
            }
            else if (!opener(job->path, why)) {
                analysis = failedAnalysis(job->path, DecodeFailure::CannotOpen, why);
            }
            else {
                job->opened = true;
                try {
                    analysis = analyseFile(job->path, cancel.get());
                }
                catch (const std::bad_alloc&) {
                    // One file must not end the program; the reader's bounds make this rare.
                    analysis = failedAnalysis(job->path, DecodeFailure::Undecodable, QStringLiteral("out of memory"));
                }
            }
            job->opened = true;
            if (job->answered)
                return;
            QMetaObject::invokeMethod(
                self.data(),
                [self, job, analysis] {
                    if (self)
                        self->answer(job, analysis);
                },
                Qt::QueuedConnection);
        });
    }
    if (!jobs_.isEmpty())
        watchdog_.start();
}

void MusicAnalysisQueue::answer(const std::shared_ptr<Job>& job, const FileAnalysis& analysis)
{
    jobs_.removeOne(job);
    if (jobs_.isEmpty())
        watchdog_.stop();
    if (job->answered.exchange(true))
        return;
    deliver(analysis);
}

void MusicAnalysisQueue::watchOpenings()
{
    const qint64 now = clock_.elapsed();
    const QList<std::shared_ptr<Job>> jobs = jobs_;
    for (const auto& job : jobs) {
        const qint64 since = job->openingSinceMs;
        if (since < 0 || job->opened || now - since < openTimeoutMs_ || job->answered.exchange(true))
            continue;
        jobs_.removeOne(job);
        // The hung worker keeps its thread; the files after it get another.
        pool_->releaseThread();
        deliver(failedAnalysis(job->path, DecodeFailure::NotResponding));
    }
    if (jobs_.isEmpty())
        watchdog_.stop();
}

void MusicAnalysisQueue::deliver(const FileAnalysis& analysis)
{
    if (analysis.failure != DecodeFailure::Cancelled && analysis.failure != DecodeFailure::NotResponding)
        cache_.store(analysis);
    ++done_;
    emit analysed(analysis);
    emit progress(done_, total_);
    if (!busy()) {
        cache_.saveInBackground();
        emit finished();
    }
}

void MusicAnalysisQueue::cancel()
{
    // Waiting files see the flag before they open anything, so each still
    // gets its row at once.
    cancel_->store(true);
    // A file hung in opening sees no flag: its row is given now.
    const QList<std::shared_ptr<Job>> jobs = jobs_;
    for (const auto& job : jobs) {
        if (job->openingSinceMs < 0 || job->opened || job->answered.exchange(true))
            continue;
        jobs_.removeOne(job);
        pool_->releaseThread();
        deliver(failedAnalysis(job->path, DecodeFailure::Cancelled));
    }
    // Files added from now on are analysed again.
    cancel_ = std::make_shared<std::atomic_bool>(false);
}

void MusicAnalysisQueue::waitForDone()
{
    pool_->waitForDone();
}
