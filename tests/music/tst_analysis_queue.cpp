#include "music/AnalysisCache.h"
#include "music/MusicAnalysisQueue.h"
#include "PieceSynth.h"
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <mutex>
#include <condition_variable>
#include <sys/stat.h>

Q_DECLARE_METATYPE(DecodeFailure)

namespace {

QString WritePiece(const QTemporaryDir& dir, const QString& name, double bars)
{
    PieceRecipe recipe;
    recipe.barsPerMinute = bars;
    recipe.seconds = 8;
    const QString path = dir.filePath(name);
    PieceSynth::writeWav(path, PieceSynth::render(recipe));
    return path;
}

FileAnalysis Analysis(const QString& path, double seconds, double bpm)
{
    FileAnalysis analysis;
    analysis.path = path;
    analysis.seconds = seconds;
    analysis.beatsPerMinute = bpm;
    return analysis;
}

// An opener that hangs on files named "hung*" until released, like a network
// share that stopped answering.
class HangingOpener {
public:
    bool open(const QString& path, QString& why)
    {
        if (QFileInfo(path).fileName().startsWith("hung")) {
            std::unique_lock<std::mutex> lock(mutex_);
            released_.wait(lock, [this] { return free_; });
        }
        return MusicAnalysisQueue::probeOpens(path, why);
    }
    void release()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        free_ = true;
        released_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool free_ = false;
};

} // namespace

class TstAnalysisQueue : public QObject {
    Q_OBJECT
private slots:
    void cacheKnowsUnchangedFilesOnly()
    {
        QTemporaryDir dir;
        const QString cacheFile = dir.filePath("cache/music.json");
        const QString piece = WritePiece(dir, "a.wav", 50);
        {
            AnalysisCache cache(cacheFile);
            FileAnalysis analysis = Analysis(piece, 8, 100);
            analysis.firstBeatSeconds = 0.3;
            analysis.firstSoundSeconds = 0.1;
            analysis.loudnessLufs = -std::numeric_limits<double>::infinity(); // silence
            analysis.truePeakDb = -1.5;
            cache.store(analysis);
            FileAnalysis broken = Analysis(dir.filePath("b.mp3"), 0, 0);
            broken.failure = DecodeFailure::Undecodable;
            cache.store(broken);
            QVERIFY(cache.save());
        }
        AnalysisCache reopened(cacheFile);
        const auto found = reopened.find(piece);
        QVERIFY(found);
        QCOMPARE(found->beatsPerMinute, 100.0);
        QCOMPARE(found->seconds, 8.0);
        QCOMPARE(found->firstBeatSeconds, 0.3);
        QCOMPARE(found->firstSoundSeconds, 0.1);
        QCOMPARE(found->loudnessLufs, -std::numeric_limits<double>::infinity());
        QCOMPARE(found->truePeakDb, -1.5);
        QVERIFY(!reopened.find(dir.filePath("b.mp3")));

        QFile file(piece);
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(4, '\0'));
        file.close();
        QVERIFY2(!reopened.find(piece), "a changed file is analysed again");
    }

    // A file replaced by another of the same size and time is analysed
    // again; a killed write's stray copy goes, the user's files stay.
    void replacedFileIsNotTakenFromTheCache()
    {
        QTemporaryDir dir;
        const QString cacheFile = dir.filePath("music-tempo.json");
        const QString piece = WritePiece(dir, "dance.wav", 50);
        const QString other = WritePiece(dir, "other.wav", 30);
        const QDateTime time = QFileInfo(piece).lastModified();
        {
            AnalysisCache cache(cacheFile);
            cache.store(Analysis(piece, 1800, 25));
            QVERIFY(cache.save());
        }
        // A killed write's copy, one being written now, a user's copy.
        for (const QString& name :
             QStringList{"music-tempo.json.AbC123", "music-tempo.json.XyZ789", "music-tempo.json.old"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (name.endsWith("AbC123"))
                QVERIFY(file.setFileTime(time.addSecs(-3600), QFileDevice::FileModificationTime));
        }
        QCOMPARE(QFileInfo(other).size(), QFileInfo(piece).size());
        QVERIFY(AnalysisCache(cacheFile).find(piece));
        QVERIFY(QFile::remove(piece));
        QVERIFY(QFile::rename(other, piece));
        QFile replaced(piece);
        QVERIFY(replaced.open(QIODevice::ReadWrite));
        QVERIFY(replaced.setFileTime(time, QFileDevice::FileModificationTime));
        replaced.close();
        AnalysisCache reopened(cacheFile);
        QVERIFY2(!reopened.find(piece), "same path, size and time, other content");
        QVERIFY(!QFile::exists(dir.filePath("music-tempo.json.AbC123")));
        QVERIFY(QFile::exists(dir.filePath("music-tempo.json.XyZ789")));
        QVERIFY(QFile::exists(dir.filePath("music-tempo.json.old")));
    }

    // Entries unused for half a year go, and beyond the cap the least
    // recently used; a pipe in place of the cache file is an empty cache.
    void cacheIsPruned_data()
    {
        QTest::addColumn<int>("recent");
        QTest::addColumn<int>("stale");
        QTest::addColumn<int>("kept");
        QTest::newRow("small and fresh") << 3 << 0 << 3;
        QTest::newRow("unused for long") << 3 << 2 << 3;
        QTest::newRow("over the cap") << AnalysisCache::MaxEntries + 5 << 0 << AnalysisCache::MaxEntries;
    }
    void cacheIsPruned()
    {
        QFETCH(int, recent);
        QFETCH(int, stale);
        QFETCH(int, kept);
        QTemporaryDir dir;
        const QString cacheFile = dir.filePath("music.json");
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        QJsonObject files;
        for (int i = 0; i < recent + stale; ++i) {
            const qint64 used = i < recent ? now - i : now - 200LL * 24 * 3600 * 1000;
            files.insert(QString("/gone/%1.wav").arg(i), QJsonObject{{"size", 1}, {"used", used}});
        }
        QFile file(cacheFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(QJsonObject{{"version", AnalysisCache::Version}, {"files", files}}).toJson());
        file.close();
        {
            AnalysisCache cache(cacheFile);
            QVERIFY(cache.save());
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject saved = QJsonDocument::fromJson(file.readAll()).object().value("files").toObject();
        QCOMPARE(saved.size(), kept);
        QVERIFY2(saved.contains("/gone/0.wav"), "the most recently used stays");

        const QString pipe = dir.filePath("pipe.json");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        AnalysisCache fromPipe(pipe);
        QVERIFY(!fromPipe.find(WritePiece(dir, "a.wav", 40)));
    }

    void damagedCacheIsEmpty()
    {
        QTemporaryDir dir;
        const QString cacheFile = dir.filePath("music.json");
        QFile file(cacheFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"version\": 1, \"files\": [garbage");
        file.close();
        AnalysisCache cache(cacheFile);
        QVERIFY(!cache.find(WritePiece(dir, "a.wav", 50)));
    }

    void everyFileGetsItsRowAndTheCacheFills()
    {
        QTemporaryDir dir;
        const QStringList files{WritePiece(dir, "a.wav", 50), dir.filePath("missing.ogg"),
                                WritePiece(dir, "c.wav", 30)};
        AnalysisCache cache(dir.filePath("music.json"));
        MusicAnalysisQueue queue(cache);
        QSignalSpy analysed(&queue, &MusicAnalysisQueue::analysed);
        QSignalSpy finished(&queue, &MusicAnalysisQueue::finished);
        queue.enqueue(files);
        QVERIFY(queue.busy());
        QVERIFY(finished.wait(20000));
        QCOMPARE(analysed.count(), 3);
        QCOMPARE(queue.done(), 3);
        QVERIFY(cache.find(files[0]));
        QVERIFY(!cache.find(files[1]));
        // Written by the cache's own thread, soon after.
        QTRY_VERIFY(QFile::exists(dir.filePath("music.json")));
    }

    void cancelStillAnswersEveryFile()
    {
        QTemporaryDir dir;
        QStringList files;
        for (int i = 0; i < 6; ++i)
            files << WritePiece(dir, QString("p%1.wav").arg(i), 40 + i);
        AnalysisCache cache(dir.filePath("music.json"));
        MusicAnalysisQueue queue(cache);
        QSignalSpy analysed(&queue, &MusicAnalysisQueue::analysed);
        QSignalSpy finished(&queue, &MusicAnalysisQueue::finished);
        queue.enqueue(files);
        queue.cancel();
        QVERIFY(finished.wait(20000));
        QCOMPARE(analysed.count(), 6);
        int cancelled = 0;
        for (const QList<QVariant>& signal : analysed)
            cancelled += signal[0].value<FileAnalysis>().failure == DecodeFailure::Cancelled;
        QVERIFY(cancelled > 0);
        QVERIFY2(!cache.find(files.last()), "a cancelled analysis is not kept");
    }

    // Hung files get their row without holding up the files after them, and
    // Cancel answers them at once.
    void hungOpeningHoldsUpNothing_data()
    {
        QTest::addColumn<int>("hung");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<DecodeFailure>("hungRow");
        QTest::newRow("one hung file") << 1 << false << DecodeFailure::NotResponding;
        QTest::newRow("more hung files than threads") << 4 << false << DecodeFailure::NotResponding;
        QTest::newRow("cancelled while hung") << 2 << true << DecodeFailure::Cancelled;
    }
    void hungOpeningHoldsUpNothing()
    {
        QFETCH(int, hung);
        QFETCH(bool, cancel);
        QFETCH(DecodeFailure, hungRow);
        QTemporaryDir dir;
        QStringList files;
        for (int i = 0; i < hung; ++i)
            files << WritePiece(dir, QString("hung%1.wav").arg(i), 40);
        files << WritePiece(dir, "fine.wav", 50);
        AnalysisCache cache(dir.filePath("music.json"));
        auto opener = std::make_shared<HangingOpener>();
        {
            MusicAnalysisQueue queue(cache);
            queue.setOpenTimeoutMs(cancel ? 600000 : 300);
            queue.setOpener([opener](const QString& path, QString& why) { return opener->open(path, why); });
            QSignalSpy analysed(&queue, &MusicAnalysisQueue::analysed);
            QSignalSpy finished(&queue, &MusicAnalysisQueue::finished);
            queue.enqueue(files);
            if (cancel)
                queue.cancel();
            QVERIFY(finished.wait(20000) || finished.count() == 1);
            QCOMPARE(analysed.count(), files.size());
            int hungRows = 0;
            for (const QList<QVariant>& signal : analysed) {
                const auto analysis = signal[0].value<FileAnalysis>();
                if (analysis.path.contains("hung")) {
                    QCOMPARE(analysis.failure, hungRow);
                    ++hungRows;
                }
                else {
                    QVERIFY(analysis.ok() || (cancel && analysis.failure == DecodeFailure::Cancelled));
                }
            }
            QCOMPARE(hungRows, hung);
            QVERIFY(!cache.find(files.first()));
        } // the queue goes while its workers still hang
        opener->release();
    }

    // A pipe in place of a file would block its reader for good.
    void pipeIsRefusedAtOnce()
    {
        QTemporaryDir dir;
        const QString pipe = dir.filePath("pipe.wav");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QString why;
        QVERIFY(!MusicAnalysisQueue::probeOpens(pipe, why));
        QVERIFY(!why.isEmpty());
        QVERIFY(MusicAnalysisQueue::probeOpens(WritePiece(dir, "a.wav", 40), why));
    }
};

QTEST_GUILESS_MAIN(TstAnalysisQueue)
#include "tst_analysis_queue.moc"
