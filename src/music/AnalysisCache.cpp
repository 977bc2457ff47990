#include "music/AnalysisCache.h"
#include "common/FileNames.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {
constexpr double kSilence = -std::numeric_limits<double>::infinity();
// Enough of each end to tell two recordings apart, little enough to read at once.
constexpr qint64 kHashedBlock = qint64(64) * 1024;
constexpr qint64 kStrayAgeSeconds = 600;
constexpr qint64 kDayMs = 24LL * 3600 * 1000;
constexpr qint64 kUnusedMs = 183 * kDayMs;

QString endsHash(const QString& path)
{
    QFile file;
    if (!openForReading(file, path))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(file.read(kHashedBlock));
    if (file.size() > kHashedBlock && file.seek(std::max(kHashedBlock, file.size() - kHashedBlock)))
        hash.addData(file.read(kHashedBlock));
    return QString::fromLatin1(hash.result().toHex());
}

// A JSON string as it stands in a document, quotes included.
QByteArray jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}
} // namespace

QString AnalysisCache::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/Vantor/music-tempo.json";
}

// One thread that writes the latest copy it was handed, and again when a
// newer one came during the write.
class AnalysisCache::Writer {
public:
    explicit Writer(QString file)
        : file_(std::move(file))
    {
    }
    ~Writer() { waitForWritten(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void hand(Entries entries)
    {
        std::unique_lock lock(mutex_);
        next_ = std::move(entries);
        hasNext_ = true;
        if (running_)
            return;
        running_ = true;
        lock.unlock();
        // The thread before has left its loop: this ends it at once.
        if (thread_.joinable())
            thread_.join();
        thread_ = std::thread([this] { run(); });
    }

    bool waitForWritten()
    {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return !running_; });
        lock.unlock();
        if (thread_.joinable())
            thread_.join();
        return !failed_;
    }

    // Whether the last write failed, and forgets it: the next save tries again.
    bool takeFailure() { return failed_.exchange(false); }

private:
    void run()
    {
        for (;;) {
            Entries entries;
            {
                const std::lock_guard lock(mutex_);
                if (!hasNext_) {
                    running_ = false;
                    idle_.notify_all();
                    return;
                }
                entries = std::move(next_);
                next_ = {};
                hasNext_ = false;
            }
            failed_ = !AnalysisCache::write(file_, std::move(entries));
        }
    }

    const QString file_;
    // Standard threads and locks, which the thread checker sees (Qt's it does not).
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable idle_;
    Entries next_;
    bool hasNext_ = false;
    bool running_ = false;
    std::atomic_bool failed_{false};
};

AnalysisCache::AnalysisCache(QString file)
    : file_(std::move(file)),
      writer_(std::make_unique<Writer>(file_))
{
    removeStrayCopies();
    load();
}

AnalysisCache::~AnalysisCache() = default;

std::optional<AnalysisCache::Entry> AnalysisCache::stamp(const QString& path)
{
    const auto status = fileStatus(path);
    if (!status || !status->isFile)
        return std::nullopt;
    Entry entry;
    entry.size = status->size;
    entry.modified = status->modifiedMs;
    entry.hash = endsHash(path);
    return entry;
}

bool AnalysisCache::sameFile(const Entry& a, const Entry& b)
{
    return a.size == b.size && a.modified == b.modified && !a.hash.isEmpty() && a.hash == b.hash;
}

void AnalysisCache::keepNewerTap(Entry& entry, const Entry& other)
{
    if (!other.analysis.tempoTapped || other.tapped <= entry.tapped || !sameFile(entry, other))
        return;
    entry.analysis = withTappedTempo(entry.analysis, other.analysis.beatsPerMinute);
    entry.tapped = other.tapped;
}

std::optional<FileAnalysis> AnalysisCache::find(const QString& path)
{
    const auto found = entries_.find(QFileInfo(path).absoluteFilePath());
    const auto now = stamp(path);
    if (found == entries_.end() || !now || now->size != found->size || now->modified != found->modified ||
        now->hash.isEmpty() || now->hash != found->hash)
        return std::nullopt;
    // Once a day is enough for pruning, and spares a save after every look-up.
    const qint64 today = QDateTime::currentMSecsSinceEpoch();
    if (today - found->used > kDayMs) {
        found->used = today;
        dirty_ = true;
    }
    FileAnalysis analysis = found->analysis;
    analysis.path = path;
    return analysis;
}

void AnalysisCache::store(const FileAnalysis& analysis)
{
    if (!analysis.ok())
        return;
    auto entry = stamp(analysis.path);
    if (!entry)
        return;
    entry->analysis = analysis;
    entry->analysis.path.clear();
    entry->used = QDateTime::currentMSecsSinceEpoch();
    const QString key = QFileInfo(analysis.path).absoluteFilePath();
    const auto before = entries_.constFind(key);
    if (analysis.tempoTapped) {
        // The same figure handed on (to the play window) is no new tapping.
        const bool again = before != entries_.constEnd() && sameFile(*before, *entry) && before->analysis.tempoTapped &&
                           before->analysis.beatsPerMinute == analysis.beatsPerMinute;
        entry->tapped = again ? before->tapped : entry->used;
    }
    else if (before != entries_.constEnd()) {
        keepNewerTap(*entry, *before);
    }
    // A doubtful tempo, or one a dance's range may still settle, is measured again rather than remembered.
    if (entry->analysis.tempoUncertain() || entry->analysis.onsets)
        return;
    entries_.insert(key, *entry);
    dirty_ = true;
}

void AnalysisCache::load()
{
    entries_ = read(file_);
    dirty_ = prune(entries_) || dirty_;
}

AnalysisCache::Entries AnalysisCache::read(const QString& path)
{
    Entries entries;
    // A pipe or device in its place would block the start for good.
    if (!QFileInfo(path).isFile())
        return entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const qint64 loaded = QDateTime::currentMSecsSinceEpoch();
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    if (root.value("version").toInt() != Version)
        return entries;
    const QJsonObject files = root.value("files").toObject();
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QJsonObject o = it.value().toObject();
        Entry entry{o.value("size").toInteger(),
                    o.value("modified").toInteger(),
                    o.value("hash").toString(),
                    o.value("used").toInteger(loaded),
                    {},
                    0};
        entry.analysis.seconds = o.value("seconds").toDouble();
        entry.analysis.beatsPerMinute = o.value("bpm").toDouble();
        // Files written before these fields held sure, detected tempos only.
        entry.analysis.tempoConfidence = o.value("sure").toDouble(1);
        entry.analysis.alternativeBeatsPerMinute = o.value("rival").toDouble(0);
        entry.tapped = o.value("tapped").toInteger(0);
        entry.analysis.tempoTapped = entry.tapped > 0;
        entry.analysis.firstBeatSeconds = o.value("beat").toDouble();
        entry.analysis.firstSoundSeconds = o.value("sound").toDouble();
        // JSON has no infinity: silence is stored as null.
        entry.analysis.loudnessLufs = o.value("lufs").toDouble(kSilence);
        entry.analysis.truePeakDb = o.value("dbtp").toDouble(kSilence);
        entries.insert(it.key(), entry);
    }
    return entries;
}

bool AnalysisCache::prune(Entries& entries)
{
    const qint64 oldest = QDateTime::currentMSecsSinceEpoch() - kUnusedMs;
    const auto before = entries.size();
    entries.removeIf([oldest](const auto& it) { return it.value().used < oldest; });
    if (entries.size() > MaxEntries) {
        std::vector<qint64> used;
        used.reserve(size_t(entries.size()));
        for (const Entry& entry : std::as_const(entries))
            used.push_back(entry.used);
        auto cut = used.end() - MaxEntries;
        std::nth_element(used.begin(), cut, used.end());
        const qint64 keepFrom = *cut;
        entries.removeIf([keepFrom](const auto& it) { return it.value().used < keepFrom; });
        // Entries used at the very same moment as the cut may still be too many.
        for (auto it = entries.begin(); it != entries.end() && entries.size() > MaxEntries;)
            it = it.value().used == keepFrom ? entries.erase(it) : std::next(it);
    }
    return entries.size() != before;
}

void AnalysisCache::saveInBackground()
{
    if (!writer_->takeFailure() && !dirty_)
        return;
    // A table of its own for the writer, copied here (a few milliseconds at
    // the cap): one shared with this thread would be copied on the next store
    // while the writer reads it, and Qt's test for sharing orders nothing.
    Entries copy = entries_;
    copy.detach();
    writer_->hand(std::move(copy));
    dirty_ = false;
}

bool AnalysisCache::save()
{
    saveInBackground();
    return writer_->waitForWritten();
}

bool AnalysisCache::write(const QString& file, Entries entries)
{
    // Another window's cache, or another instance's, saves to the same file:
    // what it stored since this one loaded is kept, the later use of a file
    // wins. The windows' writers take turns, so that neither reads the file
    // while the other has yet to write its part.
    static std::mutex writing;
    const std::lock_guard turn(writing);
    const Entries saved = read(file);
    for (auto it = saved.constBegin(); it != saved.constEnd(); ++it) {
        const auto ours = entries.find(it.key());
        if (ours == entries.end()) {
            entries.insert(it.key(), it.value());
        }
        else if (ours->used < it->used) {
            Entry theirs = it.value();
            keepNewerTap(theirs, *ours);
            *ours = theirs;
        }
        else {
            // A tempo tapped in the other window outlives this one's later analysis.
            keepNewerTap(*ours, it.value());
        }
    }
    prune(entries);
    // Written entry by entry: filling one QJsonObject costs the square of its size.
    QByteArray text = "{\"version\":" + QByteArray::number(Version) + ",\"files\":{";
    bool first = true;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        const FileAnalysis& analysis = it->analysis;
        QJsonObject entry{{"size", it->size},
                          {"modified", it->modified},
                          {"hash", it->hash},
                          {"used", it->used},
                          {"seconds", analysis.seconds},
                          {"bpm", analysis.beatsPerMinute},
                          {"beat", analysis.firstBeatSeconds},
                          {"sound", analysis.firstSoundSeconds},
                          {"lufs", analysis.loudnessLufs},
                          {"dbtp", analysis.truePeakDb},
                          {"sure", analysis.tempoConfidence}};
        if (analysis.alternativeBeatsPerMinute > 0)
            entry.insert("rival", analysis.alternativeBeatsPerMinute);
        if (it->tapped > 0)
            entry.insert("tapped", it->tapped);
        if (!first)
            text += ',';
        first = false;
        text += jsonString(it.key()) + ':' + QJsonDocument(entry).toJson(QJsonDocument::Compact);
    }
    text += "}}";
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(text);
    return out.commit();
}

// A write killed midway leaves its temporary copy, named by the save as the
// file plus a dot and six characters. One still being written by a program
// started a moment before is young.
void AnalysisCache::removeStrayCopies() const
{
    const QFileInfo info(file_);
    const QRegularExpression stray(
        QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(info.fileName())));
    QDir dir(info.absolutePath());
    for (const QString& name : dir.entryList({info.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden)) {
        const QDateTime modified = QFileInfo(dir.filePath(name)).lastModified();
        if (stray.match(name).hasMatch() && modified.secsTo(QDateTime::currentDateTime()) > kStrayAgeSeconds)
            dir.remove(name);
    }
}
