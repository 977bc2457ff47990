// The analysis cache at sizes a long-used program may reach: prints how long
// opening (load and prune), one look-up and one save take for a cache file of
// N entries: the save's part on the calling (user-interface) thread (a copy
// of the entries), a store right after it, and the time until the writer has
// written both.
//
//   bench_analysis_cache [N ...]
#include "music/AnalysisCache.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void writeCacheFile(const QString& path, int entries)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    file.write("{\"version\":" + QByteArray::number(AnalysisCache::Version) + ",\"files\":{");
    for (int i = 0; i < entries; ++i) {
        file.write(QStringLiteral("%1\"/music/folder %2/track %3.mp3\":{\"size\":%4,\"modified\":%5,\"hash\":\"%6\","
                                  "\"used\":%7,\"seconds\":95.5,\"bpm\":100.5,\"beat\":0.25,\"sound\":0.1,"
                                  "\"lufs\":-14.2,\"dbtp\":-1.1}")
                       .arg(i == 0 ? "" : ",")
                       .arg(i / 100)
                       .arg(i)
                       .arg(1000000 + i)
                       .arg(now - i)
                       .arg(QString(40, QChar('a')))
                       .arg(now - qint64(i) * 1000)
                       .toUtf8());
    }
    file.write("}}");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {1000, 20000, 100000, 600000};
    QTemporaryDir dir;
    const QString piece = dir.filePath("piece.wav");
    QFile pieceFile(piece);
    if (pieceFile.open(QIODevice::WriteOnly))
        pieceFile.write(QByteArray(200000, 'x'));
    pieceFile.close();
    std::printf("%10s %10s %10s %10s %10s %10s %10s\n", "entries", "kept", "open ms", "find ms", "save ms", "store ms",
                "written ms");
    for (const int size : sizes) {
        const QString cacheFile = dir.filePath(QStringLiteral("cache-%1.json").arg(size));
        writeCacheFile(cacheFile, size);
        QElapsedTimer timer;
        timer.start();
        AnalysisCache cache(cacheFile);
        const qint64 openMs = timer.restart();
        FileAnalysis analysis;
        analysis.path = piece;
        analysis.seconds = 90;
        cache.store(analysis);
        timer.restart();
        const bool found = cache.find(piece).has_value();
        const qint64 findMs = timer.restart();
        cache.saveInBackground();
        const qint64 saveMs = timer.restart();
        cache.store(analysis);
        const qint64 storeMs = timer.restart();
        cache.save();
        const qint64 writeMs = timer.elapsed() + saveMs + storeMs;
        AnalysisCache reopened(cacheFile);
        std::printf("%10d %10s %10lld %10lld %10lld %10lld %10lld\n", size, found ? "yes" : "no",
                    static_cast<long long>(openMs), static_cast<long long>(findMs), static_cast<long long>(saveMs),
                    static_cast<long long>(storeMs), static_cast<long long>(writeMs));
    }
    return 0;
}
