#include "widgets/ScreenPlacement.h"
#include "rules/CustomizeDataDialog.h"
#include "rules/DataFolders.h"
#include "common/HelpViewer.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>

namespace {

constexpr int MaxTextLength = 255;
constexpr int ColumnCount = 5;
constexpr int FirstValueColumn = 2;
constexpr int BarsColumn = 2;
constexpr int TimeColumn = 4;
constexpr int RowHeight = 24;

// The captions in German, translated when shown.
using ColumnCaptions = std::array<const char*, ColumnCount>;

constexpr const char* BarsCaption = QT_TRANSLATE_NOOP("CustomizeDataDialog", "Takte/min.");
constexpr const char* MetronomeCaption = QT_TRANSLATE_NOOP("CustomizeDataDialog", "Metronom");
constexpr const char* TimeCaption = QT_TRANSLATE_NOOP("CustomizeDataDialog", "Tanzzeit");
constexpr const char* ClassCaption = QT_TRANSLATE_NOOP("CustomizeDataDialog", "Klasse");
constexpr const char* DanceCaption = QT_TRANSLATE_NOOP("CustomizeDataDialog", "Tanz");
constexpr const char* BeatCaption = QT_TRANSLATE_NOOP("CustomizeDataDialog", "Takt");

const std::array<ColumnCaptions, DisciplineCount> Headers = {{
    {{ClassCaption, QT_TRANSLATE_NOOP("CustomizeDataDialog", "Bein/Akro"), BarsCaption, MetronomeCaption, TimeCaption}},
    {{ClassCaption, QT_TRANSLATE_NOOP("CustomizeDataDialog", "Runde"), BarsCaption, MetronomeCaption, TimeCaption}},
    {{DanceCaption, BeatCaption, BarsCaption, MetronomeCaption, TimeCaption}},
    {{DanceCaption, BeatCaption, BarsCaption, MetronomeCaption, TimeCaption}},
}};

// The tab texts, the same in both languages; they also name the table in messages.
const std::array<const char*, DisciplineCount> TableNames = {"Rock'n'Roll", "Boogie", "Ballroom", "Latin"};

QString captionText(const char* caption)
{
    return CustomizeDataDialog::tr(caption);
}

QString sourceCaption()
{
    return CustomizeDataDialog::tr("Daten gemäß:");
}

size_t index(Discipline d)
{
    return static_cast<size_t>(d);
}

int loadedRows(const RuleTable& table)
{
    return qBound(0, table.rowCount, table.capacity);
}

bool sameRows(const RuleTable& a, const RuleTable& b)
{
    if (loadedRows(a) != loadedRows(b))
        return false;
    for (int r = 0; r < loadedRows(a); ++r) {
        if (a.rows[r].name != b.rows[r].name || a.rows[r].variant != b.rows[r].variant)
            return false;
    }
    return true;
}

QTableWidgetItem* keyItem(const QString& text, const QColor& background)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(background);
    item->setToolTip(text);
    return item;
}

// The caption keeps its full text in any font; the edit takes the rest of the line.
void fitSourceRow(QLabel* label, QLineEdit* source)
{
    constexpr int rowRight = 521;
    const int labelWidth = qMax(88, label->sizeHint().width());
    label->resize(labelWidth, label->height());
    const int sourceLeft = qMax(104, label->x() + labelWidth + 8);
    source->setGeometry(sourceLeft, source->y(), rowRight - sourceLeft, source->height());
}

QString cellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

// Count beat and the fade windows compute with these two columns: a text the
// conversions cannot read would silently become 0.
QString valueError(int column, const QString& text, bool mayStayEmpty)
{
    if (column != BarsColumn && column != TimeColumn)
        return {};
    if (text.isEmpty() && mayStayEmpty)
        return {};
    if (column == BarsColumn && !barsPerMinReadable(text)) {
        return CustomizeDataDialog::tr("\"%1\" ist keine Taktzahl wie 50 oder 48-50.").arg(text);
    }
    if (column == TimeColumn && !danceTimeReadable(text)) {
        return CustomizeDataDialog::tr("\"%1\" ist keine Tanzzeit wie 90s oder 90-105s.").arg(text);
    }
    return {};
}

} // namespace

std::optional<UnsavableText> findUnsavableText(const RuleFileTexts& texts, Language language,
                                               const RuleFileTexts& emptyAllowed)
{
    for (int d = 0; d < DisciplineCount; ++d) {
        const auto discipline = static_cast<Discipline>(d);
        const RuleFileText& text = texts[d];
        for (int r = 0; r < text.rows.size(); ++r) {
            const QStringList& cells = text.rows[r];
            for (int c = FirstValueColumn; c < cells.size(); ++c) {
                if (QString reason = validateCellForSaving(cells[c], language); !reason.isEmpty())
                    return UnsavableText{discipline, r, c, reason};
                const bool mayStayEmpty = emptyAllowed[d].rows.value(r).value(c, QStringLiteral("x")).isEmpty();
                if (QString reason = valueError(c, cells[c], mayStayEmpty); !reason.isEmpty())
                    return UnsavableText{discipline, r, c, reason};
            }
            if (QString reason = validateRowForSaving(cells, language); !reason.isEmpty())
                return UnsavableText{discipline, r, std::nullopt, reason};
        }
        if (QString reason = validateSourceForSaving(text.source, language); !reason.isEmpty())
            return UnsavableText{discipline, std::nullopt, std::nullopt, reason};
    }
    return std::nullopt;
}

QString findFileWithOtherRows(const RuleTables& tables, const QString& folder)
{
    for (int d = 0; d < DisciplineCount; ++d) {
        const auto discipline = static_cast<Discipline>(d);
        const QString path = findFileCaseInsensitive(folder, ruleFileName(discipline));
        const QFileInfo info(path);
        if (!info.isFile() || !info.isReadable())
            continue; // nothing there to lose, or the save itself names why it cannot replace it
        RuleTable onDisk;
        onDisk.capacity = tableCapacity(discipline);
        if (!loadRuleTable(onDisk, path).ok() || !sameRows(onDisk, tables.table(discipline)))
            return path;
    }
    return {};
}

void storeEditedValues(RuleTables& tables, const RuleFileTexts& texts)
{
    for (int d = 0; d < DisciplineCount; ++d) {
        RuleTable& table = tables.table(static_cast<Discipline>(d));
        const RuleFileText& text = texts[d];
        const int rows = qMin(loadedRows(table), static_cast<int>(text.rows.size()));
        for (int r = 0; r < rows; ++r) {
            const QStringList& cells = text.rows[r];
            table.rows[r].barsPerMin = cells.value(2).left(MaxTextLength);
            table.rows[r].metroValue = cells.value(3).left(MaxTextLength);
            table.rows[r].danceTime = cells.value(4).left(MaxTextLength);
        }
        table.source = text.source.left(MaxTextLength);
    }
}

CustomizeDataDialog::CustomizeDataDialog(ProgramState& state, QWidget* parent)
    : QDialog(parent),
      state_(state)
{
    setObjectName("CustomizeDataDialog");
    setWindowTitle("Customize Data");
    setFixedSize(538, 373);
    setModal(true);

    pages = new QTabWidget(this);
    pages->setObjectName("PageControl");
    pages->setGeometry(0, 0, 538, 337);
    buildPage(Discipline::RnR, rockNRollPage, rockNRollGrid, rockNRollSourceLabel, rockNRollSourceEdit, "RnRGrid",
              "rockNRollSourceEdit");
    buildPage(Discipline::Boogie, boogieWoogiePage, boogieWoogieGrid, boogieWoogieSourceLabel, boogieWoogieSourceEdit,
              "BoogieGrid", "boogieWoogieSourceEdit");
    buildPage(Discipline::Ballroom, ballroomPage, ballroomGrid, ballroomSourceLabel, ballroomSourceEdit, "BallroomGrid",
              "ballroomSourceEdit");
    buildPage(Discipline::Latin, latinPage, latinGrid, latinSourceLabel, latinSourceEdit, "LatinGrid",
              "latinSourceEdit");
    pages->setCurrentIndex(0);

    auto addButton = [this](QPushButton*& button, const char* name, QRect geometry) {
        button = new QPushButton(this);
        button->setObjectName(name);
        button->setGeometry(geometry);
    };
    addButton(restoreButton, "restoreButton", {8, 344, 168, 25});
    addButton(okButton, "okButton", {184, 344, 108, 25});
    addButton(cancelButton, "cancelButton", {298, 344, 108, 25});
    addButton(helpButton, "helpButton", {412, 344, 108, 25});
    okButton->setText("OK");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &CustomizeDataDialog::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &CustomizeDataDialog::helpClicked);
    connect(restoreButton, &QPushButton::clicked, this, &CustomizeDataDialog::restoreClicked);
    // Enter in a cell confirms the dialog; it never replaces the user's values.
    restoreButton->setAutoDefault(false);

    setUpWindow();
}

void CustomizeDataDialog::buildPage(Discipline d, QWidget*& page, QTableWidget*& grid, QLabel*& label,
                                    QLineEdit*& source, const char* gridName, const char* sourceName)
{
    page = new QWidget;
    pages->addTab(page, QString::fromUtf8(TableNames[index(d)]));

    grid = new QTableWidget(page);
    grid->setObjectName(gridName);
    grid->setGeometry(8, 8, 513, 257);
    grid->setColumnCount(ColumnCount);
    grid->setFrameShadow(QFrame::Plain);
    grid->setShowGrid(true);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    // The keys get the room they need ("Vor-/Zwischenrunde" would be cut at
    // 100 pixels); the values share the rest, so no row is scrolled sideways.
    QHeaderView* header = grid->horizontalHeader();
    header->setDefaultSectionSize(100);
    header->setMinimumSectionSize(60);
    for (int c = 0; c < ColumnCount; ++c)
        header->setSectionResizeMode(c, c < FirstValueColumn ? QHeaderView::ResizeToContents : QHeaderView::Stretch);
    header->setFixedHeight(RowHeight);
    header->setHighlightSections(false);

    label = new QLabel(page);
    label->setGeometry(8, 280, 88, 21);
    source = new QLineEdit(page);
    source->setObjectName(sourceName);
    source->setGeometry(104, 280, 417, 21);
    // The file keeps no more of the line than this.
    source->setMaxLength(MaxTextLength);
    label->setBuddy(source);

    grids_[index(d)] = grid;
    sources_[index(d)] = source;
    labels_[index(d)] = label;
}

void CustomizeDataDialog::setUpWindow()
{
    applyLanguage();
}

// The dialog speaks the language of the folder it edits.
void CustomizeDataDialog::useFolderLanguage()
{
    const QString& languageFolder = state_.languageFolder;
    language_ = (languageFolder == "de/" || languageFolder == "de\\") ? Language::German : Language::English;
    useLanguage(language_);
    applyLanguage();
}

void CustomizeDataDialog::applyLanguage()
{
    for (int d = 0; d < DisciplineCount; ++d) {
        QStringList captions;
        for (const char* caption : Headers[d])
            captions << captionText(caption);
        grids_[d]->setHorizontalHeaderLabels(captions);
        labels_[d]->setText(sourceCaption());
        fitSourceRow(labels_[d], sources_[d]);
    }
    cancelButton->setText(tr("&Abbrechen"));
    helpButton->setText(tr("&Hilfe"));
    restoreButton->setText(tr("&Gelieferte Werte"));
    restoreButton->setToolTip(tr("Die mit dem Programm gelieferten Werte dieser Tabelle wiederherstellen"));
}

void CustomizeDataDialog::windowShown()
{
    useFolderLanguage();
    for (int d = 0; d < DisciplineCount; ++d) {
        const auto discipline = static_cast<Discipline>(d);
        fillGrid(discipline);
        sources_[d]->setText(state_.rules->table(discipline).source);
        sources_[d]->setCursorPosition(0); // a long line shows its beginning
    }
}

// The keys come from the table itself, so that a written file keeps the keys
// its values were read with, and only the loaded rows are shown and written.
void CustomizeDataDialog::fillGrid(Discipline d)
{
    QTableWidget* grid = grids_[index(d)];
    const RuleTable& table = state_.rules->table(d);
    const QColor keyBackground = grid->palette().color(QPalette::Button);
    grid->clearContents();
    grid->setRowCount(loadedRows(table));
    for (int r = 0; r < loadedRows(table); ++r) {
        const RuleRow& row = table.rows[r];
        grid->setItem(r, 0, keyItem(row.name, keyBackground));
        grid->setItem(r, 1, keyItem(row.variant, keyBackground));
        grid->setItem(r, 2, new QTableWidgetItem(row.barsPerMin));
        grid->setItem(r, 3, new QTableWidgetItem(row.metroValue));
        grid->setItem(r, 4, new QTableWidgetItem(row.danceTime));
    }
    if (d == Discipline::Ballroom && grid->rowCount() > 0)
        grid->setRowHeight(0, 22);
    grid->setCurrentCell(-1, -1);
}

void CustomizeDataDialog::showModal()
{
    windowShown();
    centreOnScreen(*this);
    if (modalRunner_)
        modalRunner_(*this);
    else
        exec();
}

// Where a click on OK leaves the focus in a cell editor (buttons take no focus
// on macOS), the view has not taken the typed text over yet.
void CustomizeDataDialog::commitOpenEditors()
{
    QWidget* focus = focusWidget();
    for (QTableWidget* grid : grids_) {
        if (focus && grid->viewport()->isAncestorOf(focus))
            emit grid->itemDelegate()->commitData(focus);
    }
}

// Values are trimmed as the loader trims them, so that the tables hold what a
// reload of the written files gives (a tempo "48-50 " would read as 0).
RuleFileTexts CustomizeDataDialog::editedTexts() const
{
    RuleFileTexts texts;
    for (int d = 0; d < DisciplineCount; ++d) {
        const QTableWidget* grid = grids_[d];
        texts[d].source = sources_[d]->text();
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells{cellText(grid, r, 0), cellText(grid, r, 1)};
            for (int c = FirstValueColumn; c < ColumnCount; ++c)
                cells << cellText(grid, r, c).trimmed();
            texts[d].rows.append(cells);
        }
    }
    return texts;
}

void CustomizeDataDialog::okClicked()
{
    commitOpenEditors();
    const RuleFileTexts texts = editedTexts();
    if (const auto problem = findUnsavableText(texts, language_, emptyValuesAllowed())) {
        refuse(*problem);
        return;
    }
    if (const QString path = findFileWithOtherRows(*state_.rules, folder()); !path.isEmpty()) {
        const QString shown = QDir::toNativeSeparators(path);
        state_.messages->warning(tr("Die Datei %1 kann nicht gelesen werden oder enthält andere Zeilen als die "
                                    "geladene Tabelle. Damit keine Daten verloren gehen, wird nichts gespeichert.")
                                     .arg(shown));
        return;
    }
    // The tables take the edits only once the files hold them, so that the
    // program never shows values that a restart would lose; on a failure the
    // dialog stays open with every edit.
    if (const FileResult result = saveRuleTables(texts, folder()); !result.ok()) {
        state_.messages->warning(result.text(language_));
        return;
    }
    storeEditedValues(*state_.rules, texts);
    accept();
}

// Names the place of the text and keeps the dialog open on it, so that nothing
// typed is lost.
void CustomizeDataDialog::refuse(const UnsavableText& problem)
{
    const size_t d = index(problem.discipline);
    QTableWidget* grid = grids_[d];
    QString place = QString::fromUtf8(TableNames[d]);
    if (problem.row) {
        const int r = *problem.row;
        place += tr(", Zeile %1 (%2, %3)").arg(r + 1).arg(cellText(grid, r, 0), cellText(grid, r, 1));
    }
    if (problem.column) {
        place += tr(", Spalte \"%1\"").arg(captionText(Headers[d][static_cast<size_t>(*problem.column)]));
    }
    if (!problem.row)
        place += QStringLiteral(", \"%1\"").arg(sourceCaption());
    state_.messages->warning(place + QStringLiteral(": ") + problem.reason + tr(" Es wurde nichts gespeichert."));

    pages->setCurrentIndex(static_cast<int>(d));
    if (problem.row) {
        grid->setCurrentCell(*problem.row, problem.column.value_or(FirstValueColumn));
        grid->setFocus();
    }
    else {
        sources_[d]->setFocus();
    }
}

std::optional<RuleTables> CustomizeDataDialog::deliveredTables() const
{
    RuleTables delivered;
    if (!loadRuleTables(delivered, deliveredRuleFolder(state_.languageFolder)).ok())
        return std::nullopt;
    return delivered;
}

// Empty where the files the user started from, or the delivered ones, have
// no value.
RuleFileTexts CustomizeDataDialog::emptyValuesAllowed() const
{
    RuleFileTexts allowed = ruleFileTextsOf(*state_.rules);
    const std::optional<RuleTables> delivered = deliveredTables();
    if (!delivered)
        return allowed;
    const RuleFileTexts deliveredTexts = ruleFileTextsOf(*delivered);
    for (int d = 0; d < DisciplineCount; ++d) {
        for (int r = 0; r < qMin(allowed[d].rows.size(), deliveredTexts[d].rows.size()); ++r) {
            for (int c = FirstValueColumn; c < ColumnCount; ++c) {
                if (deliveredTexts[d].rows[r].value(c).isEmpty())
                    allowed[d].rows[r][c].clear();
            }
        }
    }
    return allowed;
}

void CustomizeDataDialog::restoreClicked()
{
    const auto d = static_cast<Discipline>(pages->currentIndex());
    const QString table = QString::fromUtf8(TableNames[index(d)]);
    if (!state_.messages->question(
            tr("Die Werte und die Quellenangabe der Tabelle %1 durch die mit dem Programm gelieferten "
               "ersetzen? Gespeichert wird erst mit OK; Abbrechen verwirft sie.")
                .arg(table)))
        return;
    const std::optional<RuleTables> delivered = deliveredTables();
    if (!delivered) {
        state_.messages->warning(tr("Die gelieferten Werte können nicht gelesen werden."));
        return;
    }
    // Rows are matched by their keys, so a file whose rows were reordered by
    // hand still gets each row's own values.
    QTableWidget* grid = grids_[index(d)];
    for (int r = 0; r < grid->rowCount(); ++r) {
        const std::optional<int> row = delivered->findFirstRow(d, cellText(grid, r, 0), cellText(grid, r, 1));
        if (!row)
            continue;
        const RuleRow& values = delivered->table(d).rows[static_cast<size_t>(*row)];
        grid->item(r, 2)->setText(values.barsPerMin);
        grid->item(r, 3)->setText(values.metroValue);
        grid->item(r, 4)->setText(values.danceTime);
    }
    sources_[index(d)]->setText(delivered->table(d).source);
    sources_[index(d)]->setCursorPosition(0);
}

// The help exists in English only and is shown so in both languages.
void CustomizeDataDialog::helpClicked()
{
    showToolHelp(state_, Language::English, QStringLiteral("Change data"), QStringLiteral("AdaptDataHelp.rtf"));
}

QString CustomizeDataDialog::folder() const
{
    return ruleFolderToSave(dataFoldersOf(state_), state_.languageFolder);
}
