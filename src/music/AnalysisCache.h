#pragma once
#include "music/MusicAnalysis.h"
#include <QHash>
#include <QString>
#include <optional>

// Analyses kept between runs in one JSON file, each under the file's path and
// valid while its size and modification time stay the same. A cache that is
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
        FileAnalysis analysis; // without its path
    };
    static std::optional<Entry> stamp(const QString& path);
    void load();

    QString file_;
    QHash<QString, Entry> entries_;
    bool dirty_ = false;
};
