#pragma once
#include "music/MusicAnalysis.h"
#include <QHash>
#include <QString>
#include <optional>

// Analyses kept between runs in one JSON file, each under the file's path and
// valid while its size, modification time and a hash of its first and last
// blocks stay the same (a file replaced by another of the same size and time
// is analysed again). Entries not used for half a year go, and beyond
// MaxEntries the least recently used. A cache that is missing, unreadable,
// not a plain file or of an older analysis is simply empty.
class AnalysisCache {
public:
    // The user's cache folder's file.
    static QString defaultFile();
    explicit AnalysisCache(QString file);

    // Far more files than a music operator's collection, few enough to load
    // and save in a moment.
    static constexpr int MaxEntries = 20000;
    // Raised when the analysis changes, so that no stale figure survives.
    static constexpr int Version = 4;

    // Marks the entry used, so that pruning keeps it.
    std::optional<FileAnalysis> find(const QString& path);
    // Only analyses that another run would repeat are kept (no failures of
    // opening, no cancelled ones).
    void store(const FileAnalysis& analysis);
    // Writes the file when something was stored since the last save.
    bool save();

private:
    struct Entry {
        qint64 size = 0;
        qint64 modified = 0;
        QString hash;
        qint64 used = 0;       // when last found or stored, ms since the epoch
        FileAnalysis analysis; // without its path
    };
    static std::optional<Entry> stamp(const QString& path);
    void load();
    void removeStrayCopies() const;
    void prune();

    QString file_;
    QHash<QString, Entry> entries_;
    bool dirty_ = false;
};
