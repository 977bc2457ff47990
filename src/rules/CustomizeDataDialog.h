#pragma once
#include "rules/RuleFiles.h"
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;
struct ProgramState;

// A text of the dialog that the rule file format cannot hold: which table,
// which data row (0-based, none for the source line), which column (none for a
// problem of the whole row or of the source line) and why.
struct UnsavableText {
    Discipline discipline;
    std::optional<int> row;
    std::optional<int> column;
    QString reason;
};

// The first text of `texts` that cannot be written, checking each editable
// cell, each whole row and then the source line; nullopt when all can be
// saved. A tempo or dancing time must be one the conversions read, except
// that it may stay empty where the cell of `emptyAllowed` at the same place is
// empty (as where the data the user started from has no value).
std::optional<UnsavableText> findUnsavableText(const RuleFileTexts& texts, Language language,
                                               const RuleFileTexts& emptyAllowed = {});

// The first rule file in `folder` that exists but does not hold the rows (the
// keys in their order) of the table that would replace it, as after a failed
// language switch that left another language's rows in a table. Empty when
// every existing file matches its table.
QString findFileWithOtherRows(const RuleTables& tables, const QString& folder);

// Stores the values (columns 2 to 4) and the source line of `texts` into the
// tables, row by row; keys and RowCount stay as they are.
void storeEditedValues(RuleTables& tables, const RuleFileTexts& texts);

// The modal dialog in which the user edits the national rule tables of the
// current language: one page per discipline with a grid of the table's rows
// and its source line. OK stores the values into the tables and writes the
// four rule files of the current language folder.
class CustomizeDataDialog : public QDialog {
    Q_OBJECT
public:
    using ModalRunner = std::function<void(QDialog&)>;

    CustomizeDataDialog(ProgramState& state, QWidget* parent = nullptr);

    // Fills the dialog from the tables, centres it on the screen and runs it
    // modally (through the runner when one is set).
    void showModal();
    // Replaces the modal loop; tests drive the shown dialog instead of blocking.
    void setModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }

    void windowShown();
    void okClicked();
    void helpClicked();
    // Puts the delivered values and source line of the table shown into its
    // page, after asking; only OK stores them, Cancel discards them.
    void restoreClicked();

    QTableWidget* grid(Discipline d) const { return grids_[static_cast<size_t>(d)]; }
    QLineEdit* sourceEdit(Discipline d) const { return sources_[static_cast<size_t>(d)]; }
    // German for the language folder "de", else English.
    Language language() const { return language_; }

    QTabWidget* pages = nullptr;
    QWidget* rockNRollPage = nullptr;
    QWidget* boogieWoogiePage = nullptr;
    QWidget* ballroomPage = nullptr;
    QWidget* latinPage = nullptr;
    QTableWidget* rockNRollGrid = nullptr;
    QTableWidget* boogieWoogieGrid = nullptr;
    QTableWidget* ballroomGrid = nullptr;
    QTableWidget* latinGrid = nullptr;
    QLabel* rockNRollSourceLabel = nullptr;
    QLabel* boogieWoogieSourceLabel = nullptr;
    QLabel* ballroomSourceLabel = nullptr;
    QLabel* latinSourceLabel = nullptr;
    QLineEdit* rockNRollSourceEdit = nullptr;
    QLineEdit* boogieWoogieSourceEdit = nullptr;
    QLineEdit* ballroomSourceEdit = nullptr;
    QLineEdit* latinSourceEdit = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* helpButton = nullptr;
    QPushButton* restoreButton = nullptr;

private:
    void setUpWindow();
    void buildPage(Discipline d, QWidget*& page, QTableWidget*& grid, QLabel*& label, QLineEdit*& source,
                   const char* gridName, const char* sourceName);
    void useFolderLanguage();
    void applyLanguage();
    void fillGrid(Discipline d);
    void commitOpenEditors();
    RuleFileTexts editedTexts() const;
    void refuse(const UnsavableText& problem);
    std::optional<RuleTables> deliveredTables() const;
    RuleFileTexts emptyValuesAllowed() const;
    QString folder() const;

    ProgramState& state_;
    Language language_ = Language::English;
    std::array<QTableWidget*, DisciplineCount> grids_{};
    std::array<QLineEdit*, DisciplineCount> sources_{};
    std::array<QLabel*, DisciplineCount> labels_{};
    ModalRunner modalRunner_;
};
