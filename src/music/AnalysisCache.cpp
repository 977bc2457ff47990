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
constexpr int AnalysisVersion = 2;
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
    FileAnalysis analysis;
    analysis.path = path;
    analysis.seconds = found->seconds;
    analysis.beatsPerMinute = found->beatsPerMinute;
    analysis.loudnessLufs = found->loudnessLufs;
    analysis.truePeakDb = found->truePeakDb;
    return analysis;
}

void AnalysisCache::store(const FileAnalysis& analysis)
{
    if (!analysis.ok())
        return;
    auto entry = stamp(analysis.path);
    if (!entry)
        return;
    entry->seconds = analysis.seconds;
    entry->beatsPerMinute = analysis.beatsPerMinute;
    entry->loudnessLufs = analysis.loudnessLufs;
    entry->truePeakDb = analysis.truePeakDb;
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
        // JSON has no infinity: silence is stored as null.
        entries_.insert(it.key(), Entry{o.value("size").toInteger(), o.value("modified").toInteger(),
                                        o.value("seconds").toDouble(), o.value("bpm").toDouble(),
                                        o.value("lufs").toDouble(kSilence), o.value("dbtp").toDouble(kSilence)});
    }
}

bool AnalysisCache::save()
{
    if (!dirty_)
        return true;
    QJsonObject files;
    for (auto it = entries_.constBegin(); it != entries_.constEnd(); ++it) {
        files.insert(it.key(), QJsonObject{{"size", it->size},
                                           {"modified", it->modified},
                                           {"seconds", it->seconds},
                                           {"bpm", it->beatsPerMinute},
                                           {"lufs", it->loudnessLufs},
                                           {"dbtp", it->truePeakDb}});
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
