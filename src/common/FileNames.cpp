#include "common/FileNames.h"
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace {

constexpr char16_t kForeignBase = 0xDC00;

bool continuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF)
{
    return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at data, 0 when there is none
// (overlong forms and encoded surrogates included, as the standard says).
int sequenceLength(const unsigned char* data, qsizetype left)
{
    const unsigned char lead = data[0];
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && continuation(data[1]) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return left >= 3 && continuation(data[1], low, high) && continuation(data[2]) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && continuation(data[1], low, high) && continuation(data[2]) && continuation(data[3]) ? 4 : 0;
    }
    return 0;
}

bool isForeignAt(const QString& path, qsizetype i)
{
    const char16_t c = path.at(i).unicode();
    return c >= kForeignBase + 0x80 && c <= kForeignBase + 0xFF && !(i > 0 && path.at(i - 1).isHighSurrogate());
}

} // namespace

QString findPathIgnoringCase(const QString& path)
{
    if (QFileInfo::exists(path))
        return path;
    // Walk up to the deepest folder that exists as written ...
    QString existing = QDir::cleanPath(QDir::fromNativeSeparators(path));
    QStringList missing;
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        const QString parent = info.path();
        if (parent == existing)
            return path;
        missing.prepend(info.fileName());
        existing = parent;
    }
    // ... then down again, taking each name in the spelling found on disk.
    for (const QString& name : missing) {
        const QDir dir(existing);
        const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& entry) {
            return entry.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.end())
            return path;
        existing = dir.filePath(*match);
    }
    return existing;
}

QString pathFromNative(const QByteArray& bytes)
{
    QString path;
    path.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size();) {
        if (data[i] < 0x80) {
            path.append(QChar(data[i]));
            ++i;
            continue;
        }
        const int length = sequenceLength(data + i, bytes.size() - i);
        if (length == 0) {
            path.append(QChar(char16_t(kForeignBase + data[i])));
            ++i;
            continue;
        }
        path.append(QString::fromUtf8(bytes.constData() + i, length));
        i += length;
    }
    return path;
}

QByteArray nativePath(const QString& path)
{
    if (!hasForeignBytes(path))
        return path.toUtf8();
    QByteArray bytes;
    qsizetype from = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isForeignAt(path, i))
            continue;
        bytes += QStringView(path).mid(from, i - from).toUtf8();
        bytes += char(path.at(i).unicode() - kForeignBase);
        from = i + 1;
    }
    return bytes + QStringView(path).mid(from).toUtf8();
}

bool hasForeignBytes(const QString& path)
{
    for (qsizetype i = 0; i < path.size(); ++i)
        if (isForeignAt(path, i))
            return true;
    return false;
}

std::optional<FileStatus> fileStatus(const QString& path)
{
#ifdef Q_OS_UNIX
    if (hasForeignBytes(path)) {
        struct stat st {};
        if (::stat(nativePath(path).constData(), &st) != 0)
            return std::nullopt;
        return FileStatus{S_ISREG(st.st_mode), S_ISDIR(st.st_mode), qint64(st.st_size),
                          qint64(st.st_mtim.tv_sec) * 1000 + qint64(st.st_mtim.tv_nsec) / 1000000};
    }
#endif
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    return FileStatus{info.isFile(), info.isDir(), info.size(), info.lastModified().toMSecsSinceEpoch()};
}

bool openForReading(QFile& file, const QString& path, QString* why)
{
#ifdef Q_OS_UNIX
    if (hasForeignBytes(path)) {
        const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (why)
                *why = qt_error_string(errno);
            return false;
        }
        if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            return true;
        ::close(fd);
        if (why)
            *why = file.errorString();
        return false;
    }
#endif
    file.setFileName(path);
    if (file.open(QIODevice::ReadOnly))
        return true;
    if (why)
        *why = file.errorString();
    return false;
}

QStringList filesBelow(const QString& folder, const QStringList& suffixes)
{
    const auto wanted = [&suffixes](const QString& name) {
        return std::any_of(suffixes.begin(), suffixes.end(),
                           [&name](const QString& suffix) { return name.endsWith(suffix, Qt::CaseInsensitive); });
    };
    QStringList found;
#ifdef Q_OS_UNIX
    // Read by hand: Qt's listing leaves out the names it cannot decode. Hidden
    // names are left out as Qt does (among them other systems' "._" copies).
    QSet<QPair<quint64, quint64>> seen; // folders by device and node, so that a link loop ends
    QList<QByteArray> folders{nativePath(folder)};
    while (!folders.isEmpty()) {
        QByteArray at = folders.takeLast();
        DIR* dir = ::opendir(at.constData());
        if (!dir)
            continue;
        struct stat st {};
        if (::fstat(::dirfd(dir), &st) != 0 || seen.contains({quint64(st.st_dev), quint64(st.st_ino)})) {
            ::closedir(dir);
            continue;
        }
        seen.insert({quint64(st.st_dev), quint64(st.st_ino)});
        if (!at.endsWith('/'))
            at += '/';
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name.startsWith('.'))
                continue;
            const QByteArray path = at + name;
            if (::stat(path.constData(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode))
                folders << path;
            else if (S_ISREG(st.st_mode) && wanted(pathFromNative(name)))
                found << pathFromNative(path);
        }
        ::closedir(dir);
    }
#else
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext()) {
        const QString path = it.next();
        if (wanted(it.fileName()))
            found << path;
    }
#endif
    return found;
}

QString pathOfUrl(const QUrl& url)
{
    const QString path = url.toLocalFile();
    // Qt replaced bytes that are no UTF-8: the name is taken from those the URL encodes.
    if (!path.contains(QChar::ReplacementCharacter))
        return path;
    return pathFromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}
