#include "music/AnalysisCache.h"
#include "common/FileNames.h"
#include "music/TempoDetector.h"
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

    // What a cache keeps of a reading, also from a file written before
    // confidence and tapping were stored: a sure reading with its confidence,
    // no doubtful one unless its tempo was tapped, none whose onsets are kept
    // for a dance's range to settle (the next run reads them again).
    void keepsSureAndTappedReadings_data()
    {
        QTest::addColumn<double>("confidence");
        QTest::addColumn<double>("tapped"); // beats per minute; 0 for none
        QTest::addColumn<bool>("kept");
        QTest::addColumn<double>("keptBeats");
        QTest::addColumn<double>("keptConfidence");
        QTest::addColumn<bool>("withOnsets");
        QTest::newRow("sure") << 0.9 << 0.0 << true << 100.0 << 0.9 << false;
        QTest::newRow("uncertain") << 0.2 << 0.0 << false << 0.0 << 0.0 << false;
        QTest::newRow("uncertain, tapped") << 0.2 << 87.3 << true << 87.3 << 1.0 << false;
        QTest::newRow("sure, onsets kept") << 0.9 << 0.0 << false << 0.0 << 0.0 << true;
        QTest::newRow("onsets kept, tapped") << 0.9 << 87.3 << true << 87.3 << 1.0 << true;
    }

    void keepsSureAndTappedReadings()
    {
        QFETCH(double, confidence);
        QFETCH(double, tapped);
        QFETCH(bool, kept);
        QFETCH(double, keptBeats);
        QFETCH(double, keptConfidence);
        QFETCH(bool, withOnsets);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "a.wav");
        FileAnalysis analysis = analysed(path, 100);
        analysis.tempoConfidence = confidence;
        analysis.alternativeBeatsPerMinute = 150;
        if (withOnsets)
            analysis.onsets = std::make_shared<const PeriodicityCheck>(std::vector<float>(1000, 1.0f), 100);
        if (tapped > 0)
            analysis = withTappedTempo(analysis, tapped);
        {
            AnalysisCache cache(dir.filePath("music.json"));
            cache.store(analysis);
            QVERIFY(cache.save());
        }
        AnalysisCache reopened(dir.filePath("music.json"));
        const auto found = reopened.find(path);
        QCOMPARE(found.has_value(), kept);
        if (!kept)
            return;
        QCOMPARE(found->beatsPerMinute, keptBeats);
        QCOMPARE(found->tempoConfidence, keptConfidence);
        QCOMPARE(found->tempoTapped, tapped > 0);
        QCOMPARE(found->alternativeBeatsPerMinute, tapped > 0 ? 0.0 : 150.0);
    }

    void readsAFileWithoutConfidence()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "a.wav");
        const QString cacheFile = dir.filePath("music.json");
        {
            AnalysisCache cache(cacheFile);
            cache.store(analysed(path, 100));
            QVERIFY(cache.save());
        }
        QFile file(cacheFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        QVERIFY(text.contains(",\"sure\":1"));
        text.replace(",\"sure\":1", "");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        AnalysisCache reopened(cacheFile);
        const auto found = reopened.find(path);
        QVERIFY(found);
        QCOMPARE(found->beatsPerMinute, 100.0);
        QCOMPARE(found->tempoConfidence, 1.0);
        QVERIFY(!found->tempoTapped);
    }

    // A tapped tempo stays with its file when the file is analysed again, in
    // this cache or in another on the same file that saves later, until it is
    // tapped anew; a changed file loses it.
    void aTappedTempoOutlivesLaterAnalyses()
    {
        QTemporaryDir dir;
        const QString cacheFile = dir.filePath("music.json");
        const QString path = writeFile(dir, "a.wav");
        {
            AnalysisCache check(cacheFile);
            AnalysisCache play(cacheFile);
            check.store(withTappedTempo(analysed(path, 130), 87));
            check.store(analysed(path, 131));
            QCOMPARE(check.find(path)->beatsPerMinute, 87.0);
            QVERIFY(check.save());
            QTest::qWait(5); // the play window's analysis comes later
            play.store(analysed(path, 132));
            QVERIFY(play.save());
        }
        {
            AnalysisCache reopened(cacheFile);
            const auto found = reopened.find(path);
            QVERIFY(found);
            QVERIFY(found->tempoTapped);
            QCOMPARE(found->beatsPerMinute, 87.0);
            QCOMPARE(found->tempoConfidence, 1.0);
            QTest::qWait(5);
            reopened.store(withTappedTempo(*found, 88.5));
            QVERIFY(reopened.save());
        }
        AnalysisCache again(cacheFile);
        QCOMPARE(again.find(path)->beatsPerMinute, 88.5);

        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("changed");
        file.close();
        again.store(analysed(path, 133));
        QCOMPARE(again.find(path)->beatsPerMinute, 133.0);
        QVERIFY(!again.find(path)->tempoTapped);
    }

private:
    static QString writeFile(const QTemporaryDir& dir, const char* name)
    {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(name);
        return file.fileName();
    }

    static FileAnalysis analysed(const QString& path, double beatsPerMinute)
    {
        FileAnalysis analysis;
        analysis.path = path;
        analysis.seconds = 60;
        analysis.beatsPerMinute = beatsPerMinute;
        return analysis;
    }
};

QTEST_GUILESS_MAIN(TestAnalysisCache)
#include "tst_analysis_cache.moc"
