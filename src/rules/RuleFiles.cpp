#include "rules/RuleFiles.h"
#include "common/FileNames.h"
#include "rules/Win1252.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStringDecoder>
#include <algorithm>
#include <filesystem>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

// Q_INIT_RESOURCE must stand outside any namespace.
static void registerDeliveredRuleData()
{
    Q_INIT_RESOURCE(ruledata);
}

namespace {

constexpr int MaxLineLength = 255;
constexpr int FieldCount = 5;

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString cannotOpen(const QString& path)
{
    return QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(shownPath(path));
}

// CR LF, a lone CR and a lone LF each end a line; a break after the last
// line makes no extra line.
QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            ++i;
            continue;
        }
        lines.append(text.mid(start, i - start));
        const bool crLf = c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n');
        i += crLf ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) < 0x80; });
}

// Windows-1252 text with umlauts is never valid UTF-8 ("ü" alone is the byte
// 0xFC), so a file that is valid UTF-8 beyond ASCII was saved as UTF-8.
QString decodeRuleText(const QByteArray& bytes)
{
    static const QByteArray byteOrderMark("\xEF\xBB\xBF");
    if (bytes.startsWith(byteOrderMark))
        return QString::fromUtf8(bytes.mid(byteOrderMark.size()));
    if (!isAscii(bytes)) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return fromWin1252(bytes);
}

FileResult readLines(const QString& path, QStringList& lines)
{
    const QString cannotOpenEnglish = QStringLiteral("The file %1 cannot be opened").arg(shownPath(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {cannotOpen(path), cannotOpenEnglish};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {cannotOpen(path), cannotOpenEnglish};
    lines = splitLines(decodeRuleText(bytes));
    if (lines.isEmpty()) {
        return {QStringLiteral("Datei %1 enthält keine Zeile").arg(shownPath(path)),
                QStringLiteral("The file %1 holds no line").arg(shownPath(path))};
    }
    return {};
}

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

QString trimBlanksAndControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool isSkipped(const QString& line)
{
    return line.startsWith(QLatin1Char('*')) || trimBlanksAndControls(line).isEmpty();
}

// The five ";"-terminated fields of a data line; false when it has fewer.
bool splitDataLine(const QString& line, RuleRow& row)
{
    std::array<QString*, FieldCount> fields = {&row.name, &row.variant, &row.barsPerMin, &row.metroValue,
                                               &row.danceTime};
    qsizetype from = 0;
    for (QString* field : fields) {
        const qsizetype semicolon = line.indexOf(QLatin1Char(';'), from);
        if (semicolon < 0)
            return false;
        *field = trimBlanksAndControls(line.mid(from, semicolon - from));
        from = semicolon + 1;
    }
    return true;
}

FileResult lineError(const QString& path, int lineNumber, const QString& german, const QString& english)
{
    return {QStringLiteral("Datei %1, Zeile %2: %3").arg(shownPath(path)).arg(lineNumber).arg(german),
            QStringLiteral("File %1, line %2: %3").arg(shownPath(path)).arg(lineNumber).arg(english)};
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

QString encodingError(const QString& text, Language language)
{
    for (const QChar c : text) {
        if (!canEncodeWin1252(c)) {
            return language == Language::German
                       ? QStringLiteral("Das Zeichen \"%1\" kann in der Datei nicht gespeichert werden.").arg(c)
                       : QStringLiteral("The character \"%1\" cannot be stored in the file.").arg(c);
        }
    }
    return {};
}

QString lineBreakError(Language language)
{
    return language == Language::German ? QStringLiteral("Der Text darf keinen Zeilenumbruch enthalten.")
                                        : QStringLiteral("The text must not contain a line break.");
}

QString joinRow(const QStringList& cells)
{
    QString line;
    for (const QString& cell : cells)
        line += cell + QLatin1Char(';');
    return line;
}

QString validateFileText(const RuleFileText& text, int capacity, Language language)
{
    if (const QString error = validateSourceForSaving(text.source, language); !error.isEmpty())
        return error;
    if (text.rows.size() > capacity)
        return (language == Language::German ? QStringLiteral("Mehr als %1 Zeilen.")
                                             : QStringLiteral("More than %1 rows."))
            .arg(capacity);
    for (qsizetype i = 0; i < text.rows.size(); ++i) {
        if (const QString error = validateRowForSaving(text.rows[i], language); !error.isEmpty())
            return (language == Language::German ? QStringLiteral("Zeile %1: %2") : QStringLiteral("Row %1: %2"))
                .arg(i + 1)
                .arg(error);
    }
    return {};
}

QByteArray fileBytes(const RuleFileText& text)
{
    const QByteArray lineEnd("\r\n");
    QByteArray bytes = toWin1252(text.source) + lineEnd;
    for (const QStringList& row : text.rows)
        bytes += toWin1252(joinRow(row)) + lineEnd;
    return bytes;
}

// A reason in both languages, to be put after "cannot be saved: ".
struct Reason {
    QString german;
    QString english;
};

Reason reasonOf(const std::error_code& code, const QString& systemText = {})
{
    const QString fallback = systemText.isEmpty() ? QString::fromLocal8Bit(code.message().c_str()) : systemText;
    if (code == std::errc::permission_denied || code == std::errc::operation_not_permitted)
        return {QStringLiteral("Zugriff verweigert."), QStringLiteral("Access denied.")};
    if (code == std::errc::read_only_file_system)
        return {QStringLiteral("Das Dateisystem ist schreibgeschützt."),
                QStringLiteral("The file system is read-only.")};
    if (code == std::errc::no_space_on_device)
        return {QStringLiteral("Der Datenträger ist voll."), QStringLiteral("The disk is full.")};
    if (code == std::errc::no_such_file_or_directory)
        return {QStringLiteral("Datei oder Ordner nicht gefunden."), QStringLiteral("File or folder not found.")};
    if (code == std::errc::device_or_resource_busy || code == std::errc::text_file_busy)
        return {QStringLiteral("Die Datei wird gerade benutzt."), QStringLiteral("The file is in use.")};
    if (code == std::errc::is_a_directory)
        return {QStringLiteral("Es ist ein Ordner, keine Datei."), QStringLiteral("It is a folder, not a file.")};
    return {fallback, fallback};
}

// Qt reports a failed write in words only: the cause is found by looking at
// the folder, most likely first.
Reason reasonOfWriteFailure(const QString& folder, qint64 bytesNeeded, const QString& systemText)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return reasonOf(std::make_error_code(std::errc::no_such_file_or_directory));
    if (!info.isWritable())
        return reasonOf(std::make_error_code(std::errc::permission_denied));
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < bytesNeeded + 4096)
        return reasonOf(std::make_error_code(std::errc::no_space_on_device));
    return {systemText, systemText};
}

FileResult cannotSave(const QString& path, const Reason& reason)
{
    return {QStringLiteral("Die Datei %1 kann nicht gespeichert werden: %2 Es wurde nichts gespeichert.")
                .arg(shownPath(path), reason.german),
            QStringLiteral("The file %1 cannot be saved: %2 Nothing was saved.").arg(shownPath(path), reason.english)};
}

std::filesystem::path fsPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(QDir::toNativeSeparators(path).toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

bool syncToDisk(QFile& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// Our temporaries end in a marker no user would choose, so that only they are
// ever removed ("Standard.dat.Sicher" is the user's).
const QString OurMarker = QStringLiteral(".vantor-tmp");
const QString SaveSuffixPattern = QStringLiteral("\\.[A-Za-z]{6}\\.vantor-tmp");
// Written once every new file is whole and before the first rename: while it
// exists, the save is decided and the next start finishes it.
const QString JournalName = QStringLiteral("vantor-save.journal");

QString randomSuffix()
{
    QString suffix(QLatin1Char('.'));
    for (int i = 0; i < 6; ++i) {
        const quint32 letter = QRandomGenerator::global()->bounded(52u);
        suffix += QChar(letter < 26 ? 'A' + letter : 'a' + letter - 26);
    }
    return suffix + OurMarker;
}

// One rule file of a save: where it goes, what it will hold, what it held.
struct SaveTarget {
    QString path;
    QByteArray newBytes;
    bool existed = false;
    QByteArray oldBytes;
    QString newFile;     // the new contents, beside the target
    QString restoreFile; // the old contents, to put back after a failed replacement
    bool replaced = false;
};

// Every target can be written, and an existing one read (its contents are
// what a failed replacement puts back).
FileResult checkTarget(const QString& folder, SaveTarget& target)
{
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir())
        return cannotSave(target.path, reasonOf(std::make_error_code(std::errc::no_such_file_or_directory)));
    const QFileInfo info(target.path);
    target.existed = info.exists() || info.isSymLink();
    if (target.existed) {
        if (!info.isFile())
            return cannotSave(target.path, reasonOf(std::make_error_code(std::errc::is_a_directory)));
        if (!info.isWritable())
            return cannotSave(target.path, {QStringLiteral("Die Datei ist schreibgeschützt."),
                                            QStringLiteral("The file is read-only.")});
        QFile old(target.path);
        if (old.open(QIODevice::ReadOnly))
            target.oldBytes = old.readAll();
        if (!old.isOpen() || old.error() != QFileDevice::NoError)
            return cannotSave(target.path,
                              reasonOf(std::make_error_code(std::errc::permission_denied), old.errorString()));
    }
    if (!folderInfo.isWritable())
        return cannotSave(target.path, {QStringLiteral("Keine Schreibberechtigung für den Ordner."),
                                        QStringLiteral("No permission to write to the folder.")});
    return {};
}

// Writes bytes to a new file named target + "." + six letters; empty name and
// the reason on failure, with nothing left behind.
QString writeBeside(const QString& folder, const QString& target, const QByteArray& bytes, Reason& reason)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        const QString name = target + randomSuffix();
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(name))
                continue; // a name taken by chance
            reason = reasonOfWriteFailure(folder, bytes.size(), file.errorString());
            return {};
        }
        if (file.write(bytes) == bytes.size() && syncToDisk(file)) {
            file.close();
            return name;
        }
        reason = reasonOfWriteFailure(folder, bytes.size(), file.errorString());
        file.close();
        file.remove();
        return {};
    }
    reason = {QStringLiteral("Kein freier Name für eine neue Datei."), QStringLiteral("No free name for a new file.")};
    return {};
}

void removeOurFiles(const std::array<SaveTarget, DisciplineCount>& targets)
{
    for (const SaveTarget& target : targets) {
        for (const QString& name : {target.newFile, target.restoreFile}) {
            if (!name.isEmpty())
                QFile::remove(name);
        }
    }
}

// The journal names each new file and its target, both in the folder.
QString writeJournal(const QString& folder, const std::array<SaveTarget, DisciplineCount>& targets, Reason& reason)
{
    QByteArray text;
    for (const SaveTarget& target : targets)
        text +=
            QFileInfo(target.newFile).fileName().toUtf8() + '\t' + QFileInfo(target.path).fileName().toUtf8() + '\n';
    const QString journal = QDir(folder).filePath(JournalName);
    const QString written = writeBeside(folder, journal, text, reason);
    if (written.isEmpty())
        return {};
    if (const std::error_code code = renameOver(written, journal)) {
        QFile::remove(written);
        reason = reasonOf(code);
        return {};
    }
    return journal;
}

// Puts back what the replacements so far changed. Names the files it could
// not put back (their old contents stay in their restore file).
QStringList putBack(std::array<SaveTarget, DisciplineCount>& targets, const ReplaceFile& replace)
{
    QStringList notPutBack;
    for (SaveTarget& target : targets) {
        if (!target.replaced)
            continue;
        const bool back = target.existed ? !replace(target.restoreFile, target.path) : QFile::remove(target.path);
        if (!back) {
            notPutBack << shownPath(target.path) +
                              (target.existed ? QStringLiteral(" (%1)").arg(shownPath(target.restoreFile)) : QString());
        }
        // Put back, its restore file is gone; not put back, it holds the only old copy.
        target.restoreFile.clear();
    }
    return notPutBack;
}

FileResult cannotReplace(const QString& path, const Reason& reason, const QStringList& notPutBack)
{
    if (notPutBack.isEmpty()) {
        return {QStringLiteral("Die Datei %1 kann nicht ersetzt werden: %2 Die Regeldateien sind unverändert.")
                    .arg(shownPath(path), reason.german),
                QStringLiteral("The file %1 cannot be replaced: %2 The rule files are unchanged.")
                    .arg(shownPath(path), reason.english)};
    }
    const QString files = notPutBack.join(QStringLiteral(", "));
    return {QStringLiteral("Die Datei %1 kann nicht ersetzt werden: %2 Der alte Inhalt von %3 konnte nicht "
                           "zurückgelegt werden.")
                .arg(shownPath(path), reason.german, files),
            QStringLiteral("The file %1 cannot be replaced: %2 The old contents of %3 could not be put back.")
                .arg(shownPath(path), reason.english, files)};
}

} // namespace

QString findFileCaseInsensitive(const QString& folder, const QString& name)
{
    return findPathIgnoringCase(QDir(folder).filePath(name));
}

FileResult loadRuleTable(RuleTable& table, const QString& path)
{
    QStringList lines;
    if (FileResult result = readLines(path, lines); !result.ok())
        return result;
    RuleTable loaded;
    loaded.capacity = table.capacity;
    loaded.source = lines.first().left(MaxLineLength);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = lines[i].left(MaxLineLength);
        if (isSkipped(line))
            continue;
        const int lineNumber = static_cast<int>(i + 1);
        if (loaded.rowCount >= loaded.capacity) {
            return lineError(path, lineNumber, QStringLiteral("mehr als %1 Datenzeilen").arg(loaded.capacity),
                             QStringLiteral("more than %1 data lines").arg(loaded.capacity));
        }
        if (!splitDataLine(line, loaded.rows[loaded.rowCount])) {
            return lineError(path, lineNumber, QStringLiteral("weniger als fünf mit \";\" abgeschlossene Felder"),
                             QStringLiteral("fewer than five fields ended by \";\""));
        }
        ++loaded.rowCount;
    }
    table = loaded;
    return {};
}

FileResult loadRuleTables(RuleTables& tables, const QString& folder)
{
    RuleTables loaded = tables;
    for (int d = 0; d < DisciplineCount; ++d) {
        const auto discipline = static_cast<Discipline>(d);
        const QString path = findFileCaseInsensitive(folder, ruleFileName(discipline));
        if (FileResult result = loadRuleTable(loaded.table(discipline), path); !result.ok())
            return result;
    }
    tables = loaded;
    return {};
}

RuleFileTexts ruleFileTextsOf(const RuleTables& tables)
{
    RuleFileTexts texts;
    for (int d = 0; d < DisciplineCount; ++d) {
        const RuleTable& table = tables.table(static_cast<Discipline>(d));
        texts[d].source = table.source;
        for (int r = 0; r < qBound(0, table.rowCount, table.capacity); ++r) {
            const RuleRow& row = table.rows[r];
            texts[d].rows.append({row.name, row.variant, row.barsPerMin, row.metroValue, row.danceTime});
        }
    }
    return texts;
}

std::error_code renameOver(const QString& newFile, const QString& target)
{
    std::error_code code;
    std::filesystem::rename(fsPath(newFile), fsPath(target), code);
    return code;
}

FileResult saveRuleTables(const RuleFileTexts& texts, const QString& folder, const ReplaceFile& replace)
{
    std::array<SaveTarget, DisciplineCount> targets;
    for (int d = 0; d < DisciplineCount; ++d) {
        const auto discipline = static_cast<Discipline>(d);
        SaveTarget& target = targets[d];
        target.path = findFileCaseInsensitive(folder, ruleFileName(discipline));
        const QString german = validateFileText(texts[d], tableCapacity(discipline), Language::German);
        if (!german.isEmpty()) {
            const QString english = validateFileText(texts[d], tableCapacity(discipline), Language::English);
            return {QStringLiteral("Datei %1 wird nicht gespeichert: %2").arg(shownPath(target.path), german),
                    QStringLiteral("The file %1 is not saved: %2").arg(shownPath(target.path), english)};
        }
        target.newBytes = fileBytes(texts[d]);
    }
    for (SaveTarget& target : targets) {
        if (FileResult result = checkTarget(folder, target); !result.ok())
            return result;
    }
    // Every new file is written before the first target is replaced, so a
    // program cut off here leaves the old files whole.
    for (SaveTarget& target : targets) {
        Reason reason;
        target.newFile = writeBeside(folder, target.path, target.newBytes, reason);
        if (!target.newFile.isEmpty() && target.existed)
            target.restoreFile = writeBeside(folder, target.path, target.oldBytes, reason);
        if (target.newFile.isEmpty() || (target.existed && target.restoreFile.isEmpty())) {
            removeOurFiles(targets);
            return cannotSave(target.path, reason);
        }
    }
    Reason journalReason;
    const QString journal = writeJournal(folder, targets, journalReason);
    if (journal.isEmpty()) {
        removeOurFiles(targets);
        return cannotSave(targets.front().path, journalReason);
    }
    for (SaveTarget& target : targets) {
        if (const std::error_code code = replace(target.newFile, target.path)) {
            const QStringList notPutBack = putBack(targets, replace);
            removeOurFiles(targets);
            QFile::remove(journal);
            return cannotReplace(target.path, reasonOf(code), notPutBack);
        }
        target.replaced = true;
        target.newFile.clear();
    }
    QFile::remove(journal);
    removeOurFiles(targets);
    return {};
}

FileResult saveRuleTables(const RuleTables& tables, const QString& folder)
{
    return saveRuleTables(ruleFileTextsOf(tables), folder);
}

InfoFile readInfoFile(const QString& path)
{
    InfoFile info;
    QStringList lines;
    if (FileResult result = readLines(path, lines); !result.ok()) {
        info.error = result.error;
        return info;
    }
    info.source = lines.takeFirst();
    for (const QString& line : lines) {
        QStringList columns = line.split(QLatin1Char(';'));
        if (line.endsWith(QLatin1Char(';')))
            columns.removeLast();
        info.rows.append(columns);
    }
    return info;
}

QString validateCellForSaving(const QString& text, Language language)
{
    if (text.contains(QLatin1Char(';'))) {
        return language == Language::German ? QStringLiteral("Der Text darf kein \";\" enthalten.")
                                            : QStringLiteral("The text must not contain \";\".");
    }
    if (hasLineBreak(text))
        return lineBreakError(language);
    return encodingError(text, language);
}

QString validateSourceForSaving(const QString& text, Language language)
{
    if (hasLineBreak(text))
        return lineBreakError(language);
    return encodingError(text, language);
}

QString validateRowForSaving(const QStringList& cells, Language language)
{
    if (cells.size() != FieldCount) {
        return language == Language::German ? QStringLiteral("Die Zeile muss fünf Spalten haben.")
                                            : QStringLiteral("The row must have five columns.");
    }
    for (const QString& cell : cells) {
        if (const QString error = validateCellForSaving(cell, language); !error.isEmpty())
            return error;
    }
    if (joinRow(cells).size() > MaxLineLength) {
        return language == Language::German
                   ? QStringLiteral("Die Zeile ist länger als %1 Zeichen.").arg(MaxLineLength)
                   : QStringLiteral("The row is longer than %1 characters.").arg(MaxLineLength);
    }
    if (cells.first().startsWith(QLatin1Char('*'))) {
        return language == Language::German ? QStringLiteral("Die erste Spalte darf nicht mit \"*\" beginnen.")
                                            : QStringLiteral("The first column must not start with \"*\".");
    }
    return {};
}

QString ruleFolder(const QString& programFolder, const QString& languageFolder)
{
    return programFolder + languageFolder;
}

QString deliveredRuleFolder(const QString& languageFolder)
{
    static const bool registered = (registerDeliveredRuleData(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/ruledata/") + QDir::fromNativeSeparators(languageFolder);
}

FileResult finishCutSave(const QString& folder, const ReplaceFile& replace)
{
    const QDir dir(folder);
    QFile journal(dir.filePath(JournalName));
    FileResult result;
    if (journal.open(QIODevice::ReadOnly)) {
        const QRegularExpression ours(QStringLiteral("^[^/\\\\]+%1$").arg(SaveSuffixPattern));
        int finished = 0;
        QStringList failed;
        for (const QByteArray& line : journal.readAll().split('\n')) {
            const QList<QByteArray> names = line.split('\t');
            if (names.size() != 2)
                continue;
            const QString newName = QString::fromUtf8(names[0]);
            const QString target = QString::fromUtf8(names[1]);
            // Only our own new files, over a name in this very folder.
            if (!ours.match(newName).hasMatch() || target.contains(QLatin1Char('/')) || target.contains('\\') ||
                !newName.startsWith(target + QLatin1Char('.')) || !dir.exists(newName))
                continue;
            if (replace(dir.filePath(newName), dir.filePath(target)))
                failed << shownPath(dir.filePath(target));
            else
                ++finished;
        }
        journal.close();
        if (failed.isEmpty())
            journal.remove();
        if (!failed.isEmpty()) {
            const QString files = failed.join(QStringLiteral(", "));
            result = {QStringLiteral("Eine unterbrochene Speicherung der Regeldateien in %1 lässt sich nicht zu Ende "
                                     "führen: %2 bleiben alt.")
                          .arg(shownPath(folder), files),
                      QStringLiteral("A cut-off save of the rule files in %1 cannot be finished: %2 keep their old "
                                     "contents.")
                          .arg(shownPath(folder), files)};
        }
        else if (finished > 0) {
            result = {QStringLiteral("Eine unterbrochene Speicherung der Regeldateien in %1 wurde zu Ende geführt.")
                          .arg(shownPath(folder)),
                      QStringLiteral("A cut-off save of the rule files in %1 was finished.").arg(shownPath(folder))};
        }
    }
    else if (removeLeftoverSaveFiles(folder) > 0) {
        result = {QStringLiteral("Eine unterbrochene Speicherung der Regeldateien in %1 wurde verworfen; sie "
                                 "behalten ihren alten Inhalt.")
                      .arg(shownPath(folder)),
                  QStringLiteral("A cut-off save of the rule files in %1 was discarded; they keep their old contents.")
                      .arg(shownPath(folder))};
        return result;
    }
    removeLeftoverSaveFiles(folder);
    return result;
}

int removeLeftoverSaveFiles(const QString& folder)
{
    QStringList names;
    for (int d = 0; d < DisciplineCount; ++d)
        names << QRegularExpression::escape(ruleFileName(static_cast<Discipline>(d)));
    names << QRegularExpression::escape(JournalName);
    const QRegularExpression leftover(QStringLiteral("^(%1)%2$").arg(names.join(QLatin1Char('|')), SaveSuffixPattern),
                                      QRegularExpression::CaseInsensitiveOption);
    QDir dir(folder);
    int removed = 0;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (leftover.match(name).hasMatch() && dir.remove(name))
            ++removed;
    }
    return removed;
}
