#include "music/AnalysisCache.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <limits>

namespace {
// Raise when the analysis changes, so that no stale figure survives.
constexpr int AnalysisVersion = 4;
constexpr double kSilence = -std::numeric_limits<double>::infinity();
} // namespace

QString AnalysisCache::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/Vantor/music-tempo.json";
}

AnalysisCache::AnalysisCache(QString file)
    : file_(std::move(file))
{
    load();
}

std::optional<AnalysisCache::Entry> AnalysisCache::stamp(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    Entry entry;
    entry.size = info.size();
    entry.modified = info.lastModified().toMSecsSinceEpoch();
    return entry;
}

std::optional<FileAnalysis> AnalysisCache::find(const QString& path) const
{
    const auto found = entries_.constFind(QFileInfo(path).absoluteFilePath());
    const auto now = stamp(path);
    if (found == entries_.constEnd() || !now || now->size != found->size || now->modified != found->modified)
        return std::nullopt;
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
    entries_.insert(QFileInfo(analysis.path).absoluteFilePath(), *entry);
    dirty_ = true;
}

void AnalysisCache::load()
{
    QFile file(file_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    if (root.value("version").toInt() != AnalysisVersion)
        return;
    const QJsonObject files = root.value("files").toObject();
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QJsonObject o = it.value().toObject();
        Entry entry{o.value("size").toInteger(), o.value("modified").toInteger(), {}};
        entry.analysis.seconds = o.value("seconds").toDouble();
        entry.analysis.beatsPerMinute = o.value("bpm").toDouble();
        entry.analysis.firstBeatSeconds = o.value("beat").toDouble();
        entry.analysis.firstSoundSeconds = o.value("sound").toDouble();
        // JSON has no infinity: silence is stored as null.
        entry.analysis.loudnessLufs = o.value("lufs").toDouble(kSilence);
        entry.analysis.truePeakDb = o.value("dbtp").toDouble(kSilence);
        entries_.insert(it.key(), entry);
    }
}

bool AnalysisCache::save()
{
    if (!dirty_)
        return true;
    QJsonObject files;
    for (auto it = entries_.constBegin(); it != entries_.constEnd(); ++it) {
        const FileAnalysis& analysis = it->analysis;
        files.insert(it.key(), QJsonObject{{"size", it->size},
                                           {"modified", it->modified},
                                           {"seconds", analysis.seconds},
                                           {"bpm", analysis.beatsPerMinute},
                                           {"beat", analysis.firstBeatSeconds},
                                           {"sound", analysis.firstSoundSeconds},
                                           {"lufs", analysis.loudnessLufs},
                                           {"dbtp", analysis.truePeakDb}});
    }
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile out(file_);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(
        QJsonDocument(QJsonObject{{"version", AnalysisVersion}, {"files", files}}).toJson(QJsonDocument::Compact));
    dirty_ = !out.commit();
    return !dirty_;
}
