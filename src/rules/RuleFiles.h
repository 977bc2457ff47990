#pragma once
#include "common/Language.h"
#include "rules/RuleTables.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <system_error>

// Outcome of a file operation: an empty error means success. The error text is
// German, the framework's wording, meant to be shown as it stands; where the
// operation has an English wording too, errorEnglish holds it.
struct FileResult {
    QString error;
    QString errorEnglish;
    bool ok() const { return error.isEmpty(); }
    // The error in the given language.
    QString text(Language language) const
    {
        return language == Language::German || errorEnglish.isEmpty() ? error : errorEnglish;
    }
};

// Path of the entry `name` in `folder`, matched without regard to letter case
// (an exact match wins); folder + name when there is none, so that a file
// about to be created gets the canonical name.
QString findFileCaseInsensitive(const QString& folder, const QString& name);

// The folder whose four rule files the program reads and writes for the
// language folder ("de/" or "en/"). Every reader and writer of the rule files
// asks here, so that the place is decided once.
QString ruleFolder(const QString& programFolder, const QString& languageFolder);

// The folder of the rule files delivered with the program for the language
// folder ("de/" or "en/"): built into the program, so they can always be
// restored.
QString deliveredRuleFolder(const QString& languageFolder);

// Reads one rule file into `table`. On failure `table` keeps what it held.
// A file that starts with the UTF-8 byte-order mark, or that is valid UTF-8
// and holds characters beyond ASCII, is read as UTF-8 (as today's editors
// save); every other file as Windows-1252.
FileResult loadRuleTable(RuleTable& table, const QString& path);

// Reads the four rule files of `folder` in the order RnR, Boogie, Ballroom,
// Latin, all or nothing: on the first failure every table keeps what it held.
FileResult loadRuleTables(RuleTables& tables, const QString& folder);

// What one rule file holds when it is written: the source line and the rows of
// five cells.
struct RuleFileText {
    QString source;
    QList<QStringList> rows;
};
using RuleFileTexts = std::array<RuleFileText, DisciplineCount>;

RuleFileTexts ruleFileTextsOf(const RuleTables& tables);

// How a written new file takes its target's place; the program renames it
// over the target. A test can make a replacement fail.
using ReplaceFile = std::function<std::error_code(const QString& newFile, const QString& target)>;
std::error_code renameOver(const QString& newFile, const QString& target);

// Writes the four rule files of `folder` as one transaction, with CR LF line
// ends in Windows-1252: texts the format cannot hold are refused and every
// target is checked before anything is written; then every new file is written
// beside its target, then a journal naming them, and only then are the
// targets replaced. Where a replacement fails, the files replaced so far get
// their old contents back; where the program is killed, finishCutSave()
// completes the save at the next start.
// On any failure the files keep their old contents, no file of ours is left
// behind, and the error names the file and the reason (German and English).
FileResult saveRuleTables(const RuleFileTexts& texts, const QString& folder, const ReplaceFile& replace = renameOver);
FileResult saveRuleTables(const RuleTables& tables, const QString& folder);

// Removes from `folder` the new files of a save that was cut off (the program
// killed while saving): only names of the exact shape the save gives them, a
// rule file's name, ".", six letters, ".vantor-tmp". Returns how many were
// removed.
int removeLeftoverSaveFiles(const QString& folder);

// Settles a save of `folder` that was cut off, at the next start: once its
// journal was written (every new file whole) the remaining renames are done;
// before that, the new files are dropped and the old files stay. Either way
// the rule files are all old or all new. The result's error text tells the
// user what was done (empty when there was nothing to settle).
FileResult finishCutSave(const QString& folder, const ReplaceFile& replace = renameOver);

// An info-only file: the source line and every further line, as it stands,
// split at ";" (the empty piece after a closing ";" is dropped).
struct InfoFile {
    QString error;
    QString source;
    QList<QStringList> rows;
    bool ok() const { return error.isEmpty(); }
};
InfoFile readInfoFile(const QString& path);

// Why a text cannot be saved in a rule file, in the given language; empty
// when it can. A cell must hold no ";", no line break and only
// characters of Windows-1252; the source line may hold ";".
QString validateCellForSaving(const QString& text, Language language = Language::German);
QString validateSourceForSaving(const QString& text, Language language = Language::German);
// A row must have five cells, fit in 255 characters with its separators, and
// not start with "*" (which would read back as a comment).
QString validateRowForSaving(const QStringList& cells, Language language = Language::German);
