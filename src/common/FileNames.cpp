#include "common/FileNames.h"
#include <QDir>
#include <QFileInfo>
#include <algorithm>

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
