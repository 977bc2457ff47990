#include "rules/DataFolders.h"
#include "common/FileNames.h"
#include "rules/RuleTables.h"
#include <QDir>
#include <QFileInfo>

namespace {

QString withSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QDir::separator()))
        return folder;
    return folder + QDir::separator();
}

bool holdsLanguageFolders(const QString& folder)
{
    return QFileInfo(findPathIgnoringCase(folder + QStringLiteral("de"))).isDir();
}

bool languageFoldersWritable(const QString& folder)
{
    for (const char* language : {"de", "en"}) {
        const QFileInfo info(findPathIgnoringCase(folder + QLatin1String(language)));
        if (!info.isDir() || !info.isWritable())
            return false;
    }
    return true;
}

bool holdsAllRuleFiles(const QString& folder)
{
    for (int d = 0; d < DisciplineCount; ++d) {
        if (!QFileInfo(findPathIgnoringCase(folder + ruleFileName(static_cast<Discipline>(d)))).isFile())
            return false;
    }
    return true;
}

} // namespace

DataFolders locateDataFolders(const QString& executableFolder, const QString& installedDataFolder,
                              const QString& userDataFolder)
{
    const QString beside = withSeparator(executableFolder);
    const QString installed = withSeparator(QDir::cleanPath(installedDataFolder));
    const QString user = withSeparator(userDataFolder);
    if (holdsLanguageFolders(beside))
        return {beside, languageFoldersWritable(beside) ? QString() : user};
    if (!installedDataFolder.isEmpty() && holdsLanguageFolders(installed))
        return {installed, user};
    return {beside, QString()}; // nothing found: the load reports the missing files as it always did
}

QString ruleFolderToRead(const DataFolders& folders, const QString& languageFolder)
{
    if (!folders.user.isEmpty() && holdsAllRuleFiles(folders.user + languageFolder))
        return folders.user + languageFolder;
    return folders.program + languageFolder;
}

QString ruleFolderToSave(const DataFolders& folders, const QString& languageFolder)
{
    if (folders.user.isEmpty())
        return folders.program + languageFolder;
    const QString folder = folders.user + languageFolder;
    QDir().mkpath(folder);
    return folder;
}
