#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class QFile;
class QUrl;

// The existing file or folder that path names when letter case is ignored in
// every part below the deepest folder that exists as written; path itself when
// there is none. The delivered folders may differ in case from the names the
// program asks for, and Linux file systems are case-sensitive.
QString findPathIgnoringCase(const QString& path);

// File names on Linux are bytes, most of them UTF-8; names copied from old
// discs are often Latin-1 or Windows-1252, which Qt cannot decode (its folder
// listings skip them, its conversions replace their bytes). A path as we keep
// it holds each byte that is no UTF-8 as one lone surrogate U+DC80-U+DCFF, so
// that every name survives the round trip to the file system; the functions
// below read such paths. A path without those bytes is Qt's own.
QString pathFromNative(const QByteArray& bytes);
QByteArray nativePath(const QString& path);
// Whether path holds bytes that are no UTF-8, so that Qt cannot reach it.
bool hasForeignBytes(const QString& path);
// The path a dropped local file's URL names, bytes that are no UTF-8 kept.
QString pathOfUrl(const QUrl& url);

struct FileStatus {
    bool isFile = false;
    bool isDir = false;
    qint64 size = 0;
    qint64 modifiedMs = 0; // since the epoch
};
// Of what path names, links followed; nothing when it does not exist.
std::optional<FileStatus> fileStatus(const QString& path);
// Opens path for reading into file; why says what stopped it.
bool openForReading(QFile& file, const QString& path, QString* why = nullptr);
// The files below folder, sub-folders and their links included, whose names
// end in one of suffixes (letter case ignored), in no particular order.
QStringList filesBelow(const QString& folder, const QStringList& suffixes);
