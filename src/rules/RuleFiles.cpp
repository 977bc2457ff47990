#include "RuleFiles.h"
#include "FileNames.h"
#include "Win1252.h"
#include <QDir>
#include <QFile>
#include <QSaveFile>

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

QString cannotCreate(const QString& path)
{
    return QStringLiteral("Datei %1 kann nicht erstellt werden").arg(shownPath(path));
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

FileResult readLines(const QString& path, QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {cannotOpen(path)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {cannotOpen(path)};
    lines = splitLines(fromWin1252(bytes));
    if (lines.isEmpty())
        return {QStringLiteral("Datei %1 enthält keine Zeile").arg(shownPath(path))};
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
    std::array<QString*, FieldCount> fields = {&row.Name, &row.Variant, &row.BarsPerMin,
                                               &row.MetroValue, &row.DanceTime};
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

QString lineError(const QString& path, int lineNumber, const QString& what)
{
    return QStringLiteral("Datei %1, Zeile %2: %3").arg(shownPath(path)).arg(lineNumber).arg(what);
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

QString encodingError(const QString& text, int sprache)
{
    for (const QChar c : text) {
        if (!canEncodeWin1252(c)) {
            return sprache == 0
                ? QStringLiteral("Das Zeichen \"%1\" kann in der Datei nicht gespeichert werden.").arg(c)
                : QStringLiteral("The character \"%1\" cannot be stored in the file.").arg(c);
        }
    }
    return {};
}

QString lineBreakError(int sprache)
{
    return sprache == 0 ? QStringLiteral("Der Text darf keinen Zeilenumbruch enthalten.")
                        : QStringLiteral("The text must not contain a line break.");
}

QString joinRow(const QStringList& cells)
{
    QString line;
    for (const QString& cell : cells)
        line += cell + QLatin1Char(';');
    return line;
}

QString validateFileText(const RuleFileText& text, int capacity)
{
    if (const QString error = ValidateSourceForSaving(text.Source); !error.isEmpty())
        return error;
    if (text.Rows.size() > capacity)
        return QStringLiteral("Mehr als %1 Zeilen.").arg(capacity);
    for (qsizetype i = 0; i < text.Rows.size(); ++i) {
        if (const QString error = ValidateRowForSaving(text.Rows[i]); !error.isEmpty())
            return QStringLiteral("Zeile %1: %2").arg(i + 1).arg(error);
    }
    return {};
}

QByteArray fileBytes(const RuleFileText& text)
{
    const QByteArray lineEnd("\r\n");
    QByteArray bytes = toWin1252(text.Source) + lineEnd;
    for (const QStringList& row : text.Rows)
        bytes += toWin1252(joinRow(row)) + lineEnd;
    return bytes;
}

FileResult writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {cannotCreate(path)};
    return {};
}

} // namespace

QString findFileCaseInsensitive(const QString& folder, const QString& name)
{
    return FindPathIgnoringCase(QDir(folder).filePath(name));
}

FileResult LoadRuleTable(RuleTable& table, const QString& path)
{
    QStringList lines;
    if (FileResult result = readLines(path, lines); !result.ok())
        return result;
    RuleTable loaded;
    loaded.Capacity = table.Capacity;
    loaded.Source = lines.first().left(MaxLineLength);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = lines[i].left(MaxLineLength);
        if (isSkipped(line))
            continue;
        const int lineNumber = static_cast<int>(i + 1);
        if (loaded.RowCount >= loaded.Capacity) {
            return {lineError(path, lineNumber,
                              QStringLiteral("mehr als %1 Datenzeilen").arg(loaded.Capacity))};
        }
        if (!splitDataLine(line, loaded.Rows[loaded.RowCount])) {
            return {lineError(path, lineNumber,
                              QStringLiteral("weniger als fünf mit \";\" abgeschlossene Felder"))};
        }
        ++loaded.RowCount;
    }
    table = loaded;
    return {};
}

FileResult LoadRuleTables(RuleTables& tables, const QString& folder)
{
    for (int d = 0; d < DisciplineCount; ++d) {
        const auto discipline = static_cast<Discipline>(d);
        const QString path = findFileCaseInsensitive(folder, RuleFileName(discipline));
        if (FileResult result = LoadRuleTable(tables.table(discipline), path); !result.ok())
            return result;
    }
    return {};
}

RuleFileTexts RuleFileTextsOf(const RuleTables& tables)
{
    RuleFileTexts texts;
    for (int d = 0; d < DisciplineCount; ++d) {
        const RuleTable& table = tables.table(static_cast<Discipline>(d));
        texts[d].Source = table.Source;
        for (int r = 0; r < qBound(0, table.RowCount, table.Capacity); ++r) {
            const RuleRow& row = table.Rows[r];
            texts[d].Rows.append({row.Name, row.Variant, row.BarsPerMin, row.MetroValue, row.DanceTime});
        }
    }
    return texts;
}

FileResult SaveRuleTables(const RuleFileTexts& texts, const QString& folder)
{
    std::array<QString, DisciplineCount> paths;
    for (int d = 0; d < DisciplineCount; ++d) {
        const auto discipline = static_cast<Discipline>(d);
        paths[d] = findFileCaseInsensitive(folder, RuleFileName(discipline));
        if (const QString error = validateFileText(texts[d], TableCapacity(discipline)); !error.isEmpty()) {
            return {QStringLiteral("Datei %1 wird nicht gespeichert: %2").arg(shownPath(paths[d]), error)};
        }
    }
    for (int d = 0; d < DisciplineCount; ++d) {
        if (FileResult result = writeWhole(paths[d], fileBytes(texts[d])); !result.ok())
            return result;
    }
    return {};
}

FileResult SaveRuleTables(const RuleTables& tables, const QString& folder)
{
    return SaveRuleTables(RuleFileTextsOf(tables), folder);
}

InfoFile ReadInfoFile(const QString& path)
{
    InfoFile info;
    QStringList lines;
    if (FileResult result = readLines(path, lines); !result.ok()) {
        info.error = result.error;
        return info;
    }
    info.Source = lines.takeFirst();
    for (const QString& line : lines) {
        QStringList columns = line.split(QLatin1Char(';'));
        if (line.endsWith(QLatin1Char(';')))
            columns.removeLast();
        info.Rows.append(columns);
    }
    return info;
}

QString ValidateCellForSaving(const QString& text, int sprache)
{
    if (text.contains(QLatin1Char(';'))) {
        return sprache == 0 ? QStringLiteral("Der Text darf kein \";\" enthalten.")
                            : QStringLiteral("The text must not contain \";\".");
    }
    if (hasLineBreak(text))
        return lineBreakError(sprache);
    return encodingError(text, sprache);
}

QString ValidateSourceForSaving(const QString& text, int sprache)
{
    if (hasLineBreak(text))
        return lineBreakError(sprache);
    return encodingError(text, sprache);
}

QString ValidateRowForSaving(const QStringList& cells, int sprache)
{
    if (cells.size() != FieldCount) {
        return sprache == 0 ? QStringLiteral("Die Zeile muss fünf Spalten haben.")
                            : QStringLiteral("The row must have five columns.");
    }
    for (const QString& cell : cells) {
        if (const QString error = ValidateCellForSaving(cell, sprache); !error.isEmpty())
            return error;
    }
    if (joinRow(cells).size() > MaxLineLength) {
        return sprache == 0 ? QStringLiteral("Die Zeile ist länger als %1 Zeichen.").arg(MaxLineLength)
                            : QStringLiteral("The row is longer than %1 characters.").arg(MaxLineLength);
    }
    if (cells.first().startsWith(QLatin1Char('*'))) {
        return sprache == 0 ? QStringLiteral("Die erste Spalte darf nicht mit \"*\" beginnen.")
                            : QStringLiteral("The first column must not start with \"*\".");
    }
    return {};
}
