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
};

QTEST_GUILESS_MAIN(TestAnalysisCache)
#include "tst_analysis_cache.moc"
