#include "play/TrackTags.h"
#include "common/FileNames.h"
#include "music/MusicJudgement.h"
#include <QFile>
#include <QFileInfo>
#include <fileref.h>
#include <tag.h>

namespace {

QString fromTagLib(const TagLib::String& text)
{
    return QString::fromUtf8(text.toCString(true)).trimmed();
}

} // namespace

QString TrackTags::displayText() const
{
    if (title.isEmpty())
        return QString();
    return artist.isEmpty() ? title : artist + QStringLiteral(" – ") + title;
}

TrackTags readTrackTags(const QString& path)
{
    TrackTags tags;
#ifdef Q_OS_WIN
    const TagLib::FileRef file(reinterpret_cast<const wchar_t*>(path.utf16()), false);
#else
    const QByteArray name = nativePath(path);
    const TagLib::FileRef file(name.constData(), false);
#endif
    if (!file.isNull() && file.tag()) {
        tags.title = fromTagLib(file.tag()->title());
        tags.artist = fromTagLib(file.tag()->artist());
    }
    if (tags.title.isEmpty())
        tags.title = readablePath(QFileInfo(path).completeBaseName());
    return tags;
}
