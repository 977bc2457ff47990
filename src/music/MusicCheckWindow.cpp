#include "music/MusicCheckWindow.h"
#include "rules/ToneColour.h"
#include "widgets/DelimitedListBox.h"
#include "rules/TempoVerdict.h"
#include "common/FileNames.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "widgets/RoundedFrame.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStringConverter>
#include <algorithm>

namespace {

// What a folder yields: the formats the decoder is meant for.
const QStringList AudioPatterns{"*.mp3", "*.m4a", "*.aac", "*.mp4", "*.flac", "*.ogg", "*.oga", "*.opus", "*.wav"};

const QStringList AudioSuffixes = [] {
    QStringList suffixes;
    for (const QString& pattern : AudioPatterns)
        suffixes << pattern.mid(1);
    return suffixes;
}();

// The list hides a last field that carries the row's tone.
constexpr int ToneField = 8;

QString toneCode(RowTone tone)
{
    return tone == RowTone::Green ? "g" : tone == RowTone::Red ? "r" : "b";
}

} // namespace

MusicCheckWindow::MusicCheckWindow(ProgramState& state, const QString& cacheFile, QWidget* parent)
    : EmbeddedForm("MusicCheckWindow", QSize(545, 369), parent),
      state_(state),
      cache_(cacheFile.isEmpty() ? AnalysisCache::defaultFile() : cacheFile),
      queue_(cache_)
{
    setAcceptDrops(true);
    createControls();
    connect(&queue_, &MusicAnalysisQueue::analysed, this, &MusicCheckWindow::analysed);
    connect(&queue_, &MusicAnalysisQueue::progress, this, &MusicCheckWindow::progressChanged);
    applyLanguage();
}

void MusicCheckWindow::createControls()
{
    QFrame* panel = EmbeddedForm::panel();
    auto* shape = new RoundedFrame(5, panel);
    shape->setGeometry(4, 4, 537, 361);

    resultList = new DelimitedListBox(panel);
    resultList->setObjectName("List");
    resultList->setGeometry(12, 14, 521, 236);
    resultList->setDelimiter('\t'); // file names may hold ";"
    // With the cells' one-pixel gaps they leave room for the scroll bar of a long list.
    resultList->setSections({93, 38, 52, 34, 56, 56, 80, 88});
    resultList->setHeaderHeight(17);
    resultList->setItemHeight(16);
    resultList->setVerticalGridLines(true);
    resultList->setLastFieldRunsOn(true);
    resultList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resultList->setRowColour([this](const QStringList& fields) { return rowColour(fields); });
    resultList->setShownFields([](const QStringList& fields) { return shownFields(fields); });

    targetLabel = new QLabel(panel);
    targetLabel->setObjectName("targetLabel");
    targetLabel->setGeometry(14, 254, 517, 18);

    progressBar = new QProgressBar(panel);
    progressBar->setObjectName("Progress");
    progressBar->setGeometry(14, 278, 170, 22);
    progressBar->setRange(0, 1);
    progressBar->setValue(0);

    auto addButton = [panel](const QRect& geometry, const char* name) {
        auto* button = new QPushButton(panel);
        button->setObjectName(name);
        button->setGeometry(geometry);
        return button;
    };
    cancelButton = addButton(QRect(432, 275, 99, 28), "cancelButton");
    cancelButton->setEnabled(false);
    prelistenButton = addButton(QRect(190, 275, 88, 28), "prelistenButton");
    useInRoundButton = addButton(QRect(284, 275, 140, 28), "useInRoundButton");
    filesButton = addButton(QRect(14, 320, 80, 30), "filesButton");
    folderButton = addButton(QRect(100, 320, 80, 30), "folderButton");
    copyButton = addButton(QRect(186, 320, 80, 30), "copyButton");
    saveButton = addButton(QRect(272, 320, 100, 30), "saveButton");
    clearButton = addButton(QRect(378, 320, 70, 30), "clearButton");
    helpButton = addButton(QRect(454, 320, 77, 30), "helpButton");

    connect(cancelButton, &QPushButton::clicked, this, &MusicCheckWindow::cancelClicked);
    connect(filesButton, &QPushButton::clicked, this, &MusicCheckWindow::filesClicked);
    connect(folderButton, &QPushButton::clicked, this, &MusicCheckWindow::folderClicked);
    connect(copyButton, &QPushButton::clicked, this, &MusicCheckWindow::copyClicked);
    connect(saveButton, &QPushButton::clicked, this, &MusicCheckWindow::saveClicked);
    connect(clearButton, &QPushButton::clicked, this, &MusicCheckWindow::clearClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    connect(useInRoundButton, &QPushButton::clicked, this, &MusicCheckWindow::useInRoundClicked);
    connect(prelistenButton, &QPushButton::clicked, this, &MusicCheckWindow::prelistenClicked);
}

void MusicCheckWindow::applyLanguage()
{
    // Letters chosen apart from the menu bar's and the dance panel's.
    resultList->setSectionTexts(verdictHeader());
    cancelButton->setText(tr("A&bbrechen"));
    filesButton->setText(tr("Date&ien..."));
    folderButton->setText(tr("&Ordner..."));
    copyButton->setText(tr("&Kopieren"));
    saveButton->setText(tr("CSV &speichern..."));
    clearButton->setText(tr("&Leeren"));
    helpButton->setText(tr("Hil&fe"));
    useInRoundButton->setText(tr("In R&unde übernehmen"));
    prelistenButton->setText(tr("&Vorhören"));
    prelistenButton->setToolTip(tr("Das markierte Stück auf dem Kopfhörer vorhören, wie es im Saal klänge; "
                                   "noch einmal drücken beendet es"));
    showTarget();
    showAllRows();
}

void MusicCheckWindow::addPaths(const QStringList& paths)
{
    QStringList files;
    for (const QString& path : paths) {
        const auto status = fileStatus(path);
        if (status && status->isDir) {
            QStringList found = filesBelow(path, AudioSuffixes);
            // By the names as shown, so that a Latin-1 name sorts where the same name in UTF-8 would.
            std::sort(found.begin(), found.end(), [](const QString& a, const QString& b) {
                return readablePath(a).compare(readablePath(b), Qt::CaseInsensitive) < 0;
            });
            files << found;
        }
        else {
            files << QFileInfo(path).absoluteFilePath();
        }
    }
    QStringList queued;
    for (const QString& file : files) {
        if (queued.contains(file))
            continue;
        const auto known =
            std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.analysis.path == file; });
        if (known == entries_.end()) {
            Entry entry;
            entry.analysis.path = file;
            entries_.append(entry);
            resultList->addItem(QString());
            showRow(int(entries_.size()) - 1);
        }
        else if (known->analysis.failure == DecodeFailure::Cancelled && !known->pending) {
            // A cancelled file added again is analysed after all.
            *known = Entry{};
            known->analysis.path = file;
            showRow(int(known - entries_.begin()));
        }
        else {
            continue;
        }
        queued << file;
    }
    if (!queued.isEmpty())
        queue_.enqueue(queued);
}

void MusicCheckWindow::analysed(const FileAnalysis& analysis)
{
    for (int i = 0; i < entries_.size(); ++i) {
        if (entries_[i].pending && entries_[i].analysis.path == analysis.path) {
            entries_[i] = {analysis, false};
            showRow(i);
            return;
        }
    }
}

void MusicCheckWindow::progressChanged(int done, int total)
{
    progressBar->setRange(0, std::max(total, 1));
    progressBar->setValue(done);
    cancelButton->setEnabled(done < total);
}

void MusicCheckWindow::danceChanged(const RuleRow* row)
{
    target_ = RuleTarget{};
    const DanceSelection& selection = *state_.selection;
    if (selection.tempoRange().valid())
        target_.range = selection.tempoRange();
    target_.beatsPerBar = beatsPerBarOfRow(row);
    target_.danceTimeMin = selection.danceTime().min();
    target_.danceTimeMax = selection.danceTime().max();
    showTarget();
    showAllRows();
}

void MusicCheckWindow::timeFormatChanged(TimeFormat)
{
    showAllRows();
}

void MusicCheckWindow::showTarget()
{
    if (!target_.range) {
        targetLabel->setText(tr("Kein Tanz gewählt: Tempo ohne Regelbereich, im 4/4-Takt")
                                 .replace("4/4", QString("%1/4").arg(target_.beatsPerBar)));
        return;
    }
    QString text = tr("Regel: %1–%2 Takte/min im %3/4-Takt")
                       .arg(target_.range->min)
                       .arg(target_.range->max)
                       .arg(target_.beatsPerBar);
    if (target_.danceTimeMax > 0)
        text += tr(", Tanzzeit %1–%2 s").arg(target_.danceTimeMin).arg(target_.danceTimeMax);
    targetLabel->setText(text);
}

void MusicCheckWindow::showAllRows()
{
    for (int i = 0; i < entries_.size(); ++i)
        showRow(i);
}

QStringList MusicCheckWindow::fieldsOf(int index) const
{
    const Entry& entry = entries_[index];
    if (!entry.pending)
        return verdictFields(entry.analysis, judge(entry.analysis, target_), state_.timeFormat);
    QStringList fields(8);
    fields[0] = readablePath(QFileInfo(entry.analysis.path).fileName());
    fields[7] = tr("wird geprüft...");
    return fields;
}

void MusicCheckWindow::showRow(int index)
{
    const Entry& entry = entries_[index];
    QStringList fields = fieldsOf(index);
    fields[0].replace('\t', ' ');
    const QString note = fields[7];
    if (fields[2].isEmpty()) {
        // No tempo: the note (why not) runs on from the tempo's column, readable in full.
        fields = QStringList{fields[0], fields[1], note};
    }
    else {
        const RowTone tone = judge(entry.analysis, target_).tone;
        fields << toneCode(tone);
    }
    QListWidgetItem* item = resultList->item(index);
    item->setText(fields.join('\t'));
    // Names and notes longer than their column can be read in full here.
    item->setToolTip(readablePath(entry.analysis.path) + (note.isEmpty() ? QString() : "\n" + note));
}

// A symbol before the rule's yes or no reads without colour: inside, or which
// way the tempo misses the range (the next column says by how much). The
// stored row, and so the copied and saved list, keeps the plain word.
QStringList MusicCheckWindow::shownFields(const QStringList& fields)
{
    const QString tone = fields.value(ToneField);
    if (fields.size() <= 4 || (tone != "g" && tone != "r"))
        return fields;
    QStringList shown = fields;
    const QString symbol = tone == "g"                    ? QStringLiteral("✓")
                           : fields.at(4).startsWith('-') ? QStringLiteral("▲")
                                                          : QStringLiteral("▼");
    shown[3] = symbol + ' ' + fields.at(3);
    return shown;
}

QColor MusicCheckWindow::rowColour(const QStringList& fields) const
{
    const QString tone = fields.value(ToneField);
    return toneColour(tone == "g" ? RowTone::Green : tone == "r" ? RowTone::Red : RowTone::Black);
}

QList<QStringList> MusicCheckWindow::rowFields() const
{
    QList<QStringList> rows;
    for (int i = 0; i < entries_.size(); ++i)
        rows << fieldsOf(i);
    return rows;
}

QString MusicCheckWindow::listAsText() const
{
    return rowsAsText(verdictHeader(), rowFields());
}

void MusicCheckWindow::copyClicked()
{
    QGuiApplication::clipboard()->setText(listAsText());
}

bool MusicCheckWindow::saveCsv(const QString& path)
{
    QSaveFile file(path);
    // A byte-order mark, so that spreadsheets read the umlauts as UTF-8.
    const QByteArray bytes = "\xEF\xBB\xBF" + rowsAsCsv(verdictHeader(), rowFields()).toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    state_.messages->warning(
        tr("Datei %1 kann nicht geschrieben werden: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

void MusicCheckWindow::saveClicked()
{
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Liste als CSV speichern"), QString(), tr("CSV-Dateien (*.csv)"));
    if (!path.isEmpty())
        saveCsv(path);
}

void MusicCheckWindow::filesClicked()
{
    const QString filter = tr("Musikdateien (%1);;Alle Dateien (*)").arg(AudioPatterns.join(' '));
    addPaths(QFileDialog::getOpenFileNames(this, tr("Musikdateien wählen"), QString(), filter));
}

void MusicCheckWindow::folderClicked()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Ordner mit Musik wählen"));
    if (!folder.isEmpty())
        addPaths({folder});
}

void MusicCheckWindow::clearClicked()
{
    queue_.cancel();
    entries_.clear();
    resultList->clear();
}

void MusicCheckWindow::cancelClicked()
{
    queue_.cancel();
}

QList<int> MusicCheckWindow::markedRows() const
{
    QList<int> rows;
    for (const QListWidgetItem* item : resultList->selectedItems()) {
        const int row = resultList->row(item);
        if (row >= 0 && row < entries_.size())
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MusicCheckWindow::prelistenClicked()
{
    const QList<int> rows = markedRows();
    if (rows.isEmpty()) {
        state_.messages->information(tr("Markieren Sie in der Liste das Stück zum Vorhören."));
        return;
    }
    const Entry& entry = entries_[rows.first()];
    if (entry.pending) {
        state_.messages->information(tr("Das Stück wird noch geprüft."));
        return;
    }
    emit prelisten(entry.analysis);
}

void MusicCheckWindow::useInRoundClicked()
{
    const QList<int> rows = markedRows();
    QStringList paths;
    QList<FileAnalysis> analysed;
    for (int row : rows) {
        const Entry& entry = entries_[row];
        paths << entry.analysis.path;
        if (!entry.pending && entry.analysis.failure != DecodeFailure::Cancelled)
            analysed << entry.analysis;
    }
    if (paths.isEmpty()) {
        state_.messages->information(tr("Markieren Sie in der Liste die Stücke, die in die Runde sollen."));
        return;
    }
    emit useInRound(paths, analysed);
}

void MusicCheckWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MusicCheckWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        paths << pathOfUrl(url);
    }
    addPaths(paths);
    event->acceptProposedAction();
}
