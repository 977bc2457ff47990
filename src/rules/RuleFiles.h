#pragma once
#include "RuleTables.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// Outcome of a file operation: an empty error means success. The error text is
// German, the framework's wording, meant to be shown as it stands.
struct FileResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Path of the entry `name` in `folder`, matched without regard to letter case
// (an exact match wins); folder + name when there is none, so that a file
// about to be created gets the canonical name.
QString findFileCaseInsensitive(const QString& folder, const QString& name);

// Reads one rule file into `table`. On failure `table` keeps what it held.
FileResult LoadRuleTable(RuleTable& table, const QString& path);

// Reads the four rule files of `folder` in the order RnR, Boogie, Ballroom,
// Latin and stops at the first failure: the tables read before it hold their
// new rows, the failing one and those after it keep theirs.
FileResult LoadRuleTables(RuleTables& tables, const QString& folder);

// What one rule file holds when it is written: the source line and the rows of
// five cells.
struct RuleFileText {
    QString Source;
    QList<QStringList> Rows;
};
using RuleFileTexts = std::array<RuleFileText, DisciplineCount>;

RuleFileTexts RuleFileTextsOf(const RuleTables& tables);

// Writes the four rule files of `folder`, each as a whole and in the order
// RnR, Boogie, Ballroom, Latin, with CR LF line ends. Texts the format cannot
// hold are refused before anything is written. A file that cannot be written
// keeps its old contents and stops the run; the files before it stay written.
FileResult SaveRuleTables(const RuleFileTexts& texts, const QString& folder);
FileResult SaveRuleTables(const RuleTables& tables, const QString& folder);

// An info-only file: the source line and every further line, as it stands,
// split at ";" (the empty piece after a closing ";" is dropped).
struct InfoFile {
    QString error;
    QString Source;
    QList<QStringList> Rows;
    bool ok() const { return error.isEmpty(); }
};
InfoFile ReadInfoFile(const QString& path);

// Why a text cannot be saved in a rule file, by sprache (0 German, else
// English); empty when it can. A cell must hold no ";", no line break and only
// characters of Windows-1252; the source line may hold ";".
QString ValidateCellForSaving(const QString& text, int sprache = 0);
QString ValidateSourceForSaving(const QString& text, int sprache = 0);
// A row must have five cells, fit in 255 characters with its separators, and
// not start with "*" (which would read back as a comment).
QString ValidateRowForSaving(const QStringList& cells, int sprache = 0);
