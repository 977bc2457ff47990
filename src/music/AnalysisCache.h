#pragma once
#include "music/MusicAnalysis.h"
#include <QHash>
#include <QString>
#include <optional>

// Analyses kept between runs in one JSON file, each under the file's path and
// valid while its size, modification time and a hash of its first and last
// blocks stay the same (a file replaced by another of the same size and time
// is analysed again). A cache that is
// missing, unreadable or of an older analysis is simply empty.
class AnalysisCache {
public:
    // The user's cache folder's file.
    static QString defaultFile();
    explicit AnalysisCache(QString file);

    std::optional<FileAnalysis> find(const QString& path) const;
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
        FileAnalysis analysis; // without its path
    };
    static std::optional<Entry> stamp(const QString& path);
    void load();
    void removeStrayCopies() const;

    QString file_;
    QHash<QString, Entry> entries_;
    bool dirty_ = false;
};
