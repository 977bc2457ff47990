#pragma once
#include "music/MusicAnalysis.h"
#include <QHash>
#include <QString>
#include <memory>
#include <optional>

// Analyses kept between runs in one JSON file, each under the file's path and
// valid while its size, modification time and a hash of its first and last
// blocks stay the same (a file replaced by another of the same size and time
// is analysed again). Entries not used for half a year go, and beyond
// MaxEntries the least recently used. A cache that is missing, unreadable,
// not a plain file or of an older analysis is simply empty. The file is
// written on a thread of its own, one write at a time, and keeps what other
// caches on it (another window's, another instance's) saved meanwhile.
class AnalysisCache {
public:
    // The user's cache folder's file.
    static QString defaultFile();
    explicit AnalysisCache(QString file);
    // Waits for the writes handed over.
    ~AnalysisCache();
    AnalysisCache(const AnalysisCache&) = delete;
    AnalysisCache& operator=(const AnalysisCache&) = delete;

    // Far more files than a music operator's collection, few enough to load
    // and save in a moment.
    static constexpr int MaxEntries = 20000;
    // Raised when the analysis changes, so that no stale figure survives.
    static constexpr int Version = 4;

    // Marks the entry used, so that pruning keeps it.
    std::optional<FileAnalysis> find(const QString& path);
    // Only analyses that another run would repeat are kept (no failures of
    // opening, no cancelled ones), and no doubtful tempo unless it was
    // tapped. A tapped tempo stays with its file: a later analysis of the
    // same file, stored here or by another cache, keeps it until another
    // tapping replaces it.
    void store(const FileAnalysis& analysis);
    // Hands what is stored to the writer when something changed since the
    // last save (or its write failed) and returns at once. Saves in quick
    // succession are not queued: the writer writes the latest it was handed.
    void saveInBackground();
    // Saves and waits until the file is written; whether it could be.
    bool save();

private:
    struct Entry {
        qint64 size = 0;
        qint64 modified = 0;
        QString hash;
        qint64 used = 0;       // when last found or stored, ms since the epoch
        FileAnalysis analysis; // without its path
        qint64 tapped = 0;     // when its tempo was tapped, ms since the epoch; 0 when not
    };
    using Entries = QHash<QString, Entry>;
    class Writer;
    static std::optional<Entry> stamp(const QString& path);
    static bool sameFile(const Entry& a, const Entry& b);
    // Takes other's tapped tempo when it is of the same file and newer.
    static void keepNewerTap(Entry& entry, const Entry& other);
    static Entries read(const QString& file);
    // Drops what is unused for long and beyond the cap; whether anything went.
    static bool prune(Entries& entries);
    // Adds what the file holds and entries lacks, and writes both.
    static bool write(const QString& file, Entries entries);
    void load();
    void removeStrayCopies() const;

    QString file_;
    Entries entries_;
    bool dirty_ = false;
    std::unique_ptr<Writer> writer_;
};
