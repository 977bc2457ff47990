#include "music/AnalysisCache.h"
#include "common/FileNames.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <unistd.h>

class TestAnalysisCache : public QObject {
    Q_OBJECT
private slots:
    // Saves handed to the writer one after another, each while the one before
    // may still be written, and the cache closed at once: the file holds every
    // entry, also those under names that are no UTF-8.
    void backgroundSavesKeepEveryEntry()
    {
        QTemporaryDir dir;
        const QString cacheFile = dir.filePath("cache/music.json");
        const QByteArray folder = QFile::encodeName(dir.path());
        constexpr int kFiles = 300;
        QStringList paths;
        for (int i = 0; i < kFiles; ++i) {
            const QByteArray name = folder + (i % 3 == 0 ? "/caf\xE9 " : "/piece ") + QByteArray::number(i) + ".wav";
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, name.constData(), size_t(name.size())), ssize_t(name.size()));
            ::close(fd);
            paths << pathFromNative(name);
        }
        {
            AnalysisCache cache(cacheFile);
            for (int i = 0; i < kFiles; ++i) {
                FileAnalysis analysis;
                analysis.path = paths[i];
                analysis.seconds = 60 + i;
                analysis.beatsPerMinute = 100;
                cache.store(analysis);
                cache.saveInBackground();
            }
        }
        AnalysisCache reopened(cacheFile);
        for (int i = 0; i < kFiles; ++i) {
            const auto found = reopened.find(paths[i]);
            QVERIFY2(found, qPrintable(QString::number(i)));
            QCOMPARE(found->seconds, 60.0 + i);
            QCOMPARE(::unlink(nativePath(paths[i]).constData()), 0);
        }
        // Nothing changed since: no write, and none failed.
        QVERIFY(reopened.save());
    }

    // The check and the play window each keep a cache on the same file: what
    // one saves does not drop what the other saved, also when both save at once.
    void twoCachesOnOneFileKeepBoth()
    {
        QTemporaryDir dir;
        const QString cacheFile = dir.filePath("music.json");
        QStringList paths;
        for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(name);
            paths << file.fileName();
        }
        const auto analysed = [](const QString& path, double seconds) {
            FileAnalysis analysis;
            analysis.path = path;
            analysis.seconds = seconds;
            return analysis;
        };
        {
            AnalysisCache check(cacheFile);
            AnalysisCache play(cacheFile);
            check.store(analysed(paths[0], 10));
            check.store(analysed(paths[2], 30));
            play.store(analysed(paths[1], 20));
            // Both writers at once.
            check.saveInBackground();
            play.saveInBackground();
        }
        AnalysisCache reopened(cacheFile);
        for (int i = 0; i < 3; ++i) {
            const auto found = reopened.find(paths[i]);
            QVERIFY(found);
            QCOMPARE(found->seconds, 10.0 * (i + 1));
        }
    }
};

QTEST_GUILESS_MAIN(TestAnalysisCache)
#include "tst_analysis_cache.moc"
