#pragma once
#include "widgets/EmbeddedForm.h"
#include "rules/RuleTables.h"
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

class DelimitedListBox;
class QLabel;
struct ProgramState;

// One column of a rule info list: its caption (German, translated when shown,
// unless the caption is the same in every language), its width, and whether
// it holds a tempo or time (centred) or a name (left).
struct InfoColumn {
    const char* caption;
    int width;
    bool centred;
    bool translated = true;

    static InfoColumn oneLanguage(const char* text, int width, bool centred) { return {text, width, centred, false}; }
};

// What tells the info windows apart: names, file, places and columns.
struct RuleInfoLayout {
    QString objectName;
    QString fileName;
    QSize panel;
    QRect list;
    QRect sourceLabel;
    QString listName;
    QString sourceLabelName;
    QList<InfoColumn> columns;
};

// The look shared by the rule info windows: on a rounded shape, a list whose
// rows are the lines of a rule file split at ";", and beneath it the file's
// source line.
class RuleInfoWindow : public EmbeddedForm {
    Q_OBJECT
public:
    DelimitedListBox* infoList() const { return list_; }
    QLabel* sourceLabel() const { return sourceLabel_; }

protected:
    RuleInfoWindow(ProgramState& state, const RuleInfoLayout& layout, QWidget* parent);

    // Shows the source line and the further lines as they stand. On failure
    // list and label keep what they showed and the error text is returned.
    QString showFile(const QString& path);
    void setColumnCaptions();
    const RuleInfoLayout& layout() const { return layout_; }

    ProgramState& state_;

private:
    RuleInfoLayout layout_;
    DelimitedListBox* list_;
    QLabel* sourceLabel_;
};

// The national tables, in the window's language: read afresh at every
// showing, so an edited file shows at once. A double click on a row can make
// it the dance selection of the main window.
struct NationalInfoConfig {
    QString objectName;
    QString fileName; // in the language folder
    int listHeight;
    QList<InfoColumn> columns;
    // The discipline chosen on a double click; none: a double click does nothing.
    std::optional<Discipline> discipline;
    // The second column names the round, chosen on a double click too.
    bool chooseRound = false;
    // The bold line under the list, German, translated when shown; none when null.
    const char* note = nullptr;
    int noteWidth = 0;
};

class NationalInfoWindow : public RuleInfoWindow {
    Q_OBJECT
public:
    // "de" or "en" with the folder separator.
    QString languageFolder() const { return languageFolder_; }
    QLabel* noteLabel() const { return noteLabel_; }
    void noteDoubleClicked();

    NationalInfoWindow(ProgramState& state, const NationalInfoConfig& config, QWidget* parent = nullptr);

protected:
    void applyLanguage() override;
    void windowShown() override;

private:
    NationalInfoConfig config_;
    QString languageFolder_;
    QLabel* noteLabel_ = nullptr;
};

// The international tables: English only, one file for both languages in the
// program folder, read once when the window is created.
struct InternationalInfoConfig {
    QString objectName;
    QString fileName; // in the program folder
    QString listName;
    QString sourceLabelName;
    QList<InfoColumn> columns; // captions in English only
    QRect list = QRect(24, 16, 489, 281);
    int sourceLabelWidth = 441;
};

class InternationalInfoWindow : public RuleInfoWindow {
    Q_OBJECT
public:
    InternationalInfoWindow(ProgramState& state, const InternationalInfoConfig& config, QWidget* parent = nullptr);
};

// The rule info windows of the display area, in its order; each is a row of
// the table in InfoWindowTable.cpp.
enum class InfoWindow {
    RockNRoll,
    BoogieWoogie,
    Ballroom,
    Latin,
    Formation,
    InternationalRockNRoll,
    InternationalBoogieWoogie,
    InternationalBallroom,
    InternationalLatin,
    InternationalFormations,
};
constexpr int InfoWindowCount = 10;

RuleInfoWindow* createInfoWindow(InfoWindow which, ProgramState& state, QWidget* parent = nullptr);
