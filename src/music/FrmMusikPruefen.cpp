#include "music/FrmMusikPruefen.h"
#include "widgets/DelimitedListBox.h"
#include "rules/TempoVerdict.h"
#include "common/HelpViewer.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "widgets/RoundedFrame.h"

#include <QClipboard>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStringConverter>

namespace {

// What a folder yields: the formats the decoder is meant for.
const QStringList AudioPatterns{"*.mp3", "*.m4a", "*.aac", "*.mp4", "*.flac", "*.ogg", "*.oga", "*.opus", "*.wav"};

// The list hides a last field that carries the row's tone.
constexpr int ToneField = 8;

QString ToneCode(RowTone tone)
{
    return tone == RowTone::Green ? "g" : tone == RowTone::Red ? "r" : "b";
}

} // namespace

TFrmMusikPruefen::TFrmMusikPruefen(ProgramState& state, const QString& cacheFile, QWidget* parent)
    : EmbeddedForm("FrmMusikPruefen", QSize(545, 369), parent),
      state_(state),
      cache_(cacheFile.isEmpty() ? AnalysisCache::defaultFile() : cacheFile),
      queue_(cache_)
{
    setAcceptDrops(true);
    createControls();
    connect(&queue_, &MusicAnalysisQueue::analysed, this, &TFrmMusikPruefen::Analysed);
    connect(&queue_, &MusicAnalysisQueue::progress, this, &TFrmMusikPruefen::ProgressChange);
    applyLanguage();
}

void TFrmMusikPruefen::createControls()
{
    QFrame* panel = Panel1();
    auto* shape = new RoundedFrame(5, panel);
    shape->setGeometry(4, 4, 537, 361);

    List = new DelimitedListBox(panel);
    List->setObjectName("List");
    List->setGeometry(12, 14, 521, 236);
    List->setDelimiter('\t'); // file names may hold ";"
    // With the cells' one-pixel gaps they leave room for the scroll bar of a long list.
    List->setSections({93, 38, 52, 34, 56, 56, 80, 88});
    List->setHeaderHeight(17);
    List->setItemHeight(16);
    List->setVerticalGridLines(true);
    List->setLastFieldRunsOn(true);
    List->setRowColour([this](const QStringList& fields) { return rowColour(fields); });

    LB_Target = new QLabel(panel);
    LB_Target->setObjectName("LB_Target");
    LB_Target->setGeometry(14, 254, 517, 18);

    Progress = new QProgressBar(panel);
    Progress->setObjectName("Progress");
    Progress->setGeometry(14, 278, 410, 22);
    Progress->setRange(0, 1);
    Progress->setValue(0);

    auto addButton = [panel](const QRect& geometry, const char* name) {
        auto* button = new QPushButton(panel);
        button->setObjectName(name);
        button->setGeometry(geometry);
        return button;
    };
    BT_Cancel = addButton(QRect(432, 275, 99, 28), "BT_Cancel");
    BT_Cancel->setEnabled(false);
    BT_Files = addButton(QRect(14, 320, 80, 30), "BT_Files");
    BT_Folder = addButton(QRect(100, 320, 80, 30), "BT_Folder");
    BT_Copy = addButton(QRect(186, 320, 80, 30), "BT_Copy");
    BT_Save = addButton(QRect(272, 320, 100, 30), "BT_Save");
    BT_Clear = addButton(QRect(378, 320, 70, 30), "BT_Clear");
    BT_Help = addButton(QRect(454, 320, 77, 30), "BT_Help");

    connect(BT_Cancel, &QPushButton::clicked, this, &TFrmMusikPruefen::BT_CancelClick);
    connect(BT_Files, &QPushButton::clicked, this, &TFrmMusikPruefen::BT_FilesClick);
    connect(BT_Folder, &QPushButton::clicked, this, &TFrmMusikPruefen::BT_FolderClick);
    connect(BT_Copy, &QPushButton::clicked, this, &TFrmMusikPruefen::BT_CopyClick);
    connect(BT_Save, &QPushButton::clicked, this, &TFrmMusikPruefen::BT_SaveClick);
    connect(BT_Clear, &QPushButton::clicked, this, &TFrmMusikPruefen::BT_ClearClick);
    connect(BT_Help, &QPushButton::clicked, this, &TFrmMusikPruefen::BT_HelpClick);
}

void TFrmMusikPruefen::applyLanguage()
{
    // Letters chosen apart from the menu bar's and the dance panel's.
    List->setSectionTexts(VerdictHeader());
    BT_Cancel->setText(tr("A&bbrechen"));
    BT_Files->setText(tr("Date&ien..."));
    BT_Folder->setText(tr("&Ordner..."));
    BT_Copy->setText(tr("&Kopieren"));
    BT_Save->setText(tr("CSV &speichern..."));
    BT_Clear->setText(tr("&Leeren"));
    BT_Help->setText(tr("Hil&fe"));
    showTarget();
    showAllRows();
}

void TFrmMusikPruefen::AddPaths(const QStringList& paths)
{
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            QStringList found;
            QDirIterator it(path, AudioPatterns, QDir::Files,
                            QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
            while (it.hasNext())
                found << it.next();
            found.sort(Qt::CaseInsensitive);
            files << found;
        }
        else {
            files << info.absoluteFilePath();
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
            List->addItem(QString());
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

void TFrmMusikPruefen::Analysed(const FileAnalysis& analysis)
{
    for (int i = 0; i < entries_.size(); ++i) {
        if (entries_[i].pending && entries_[i].analysis.path == analysis.path) {
            entries_[i] = {analysis, false};
            showRow(i);
            return;
        }
    }
}

void TFrmMusikPruefen::ProgressChange(int done, int total)
{
    Progress->setRange(0, std::max(total, 1));
    Progress->setValue(done);
    BT_Cancel->setEnabled(done < total);
}

void TFrmMusikPruefen::DanceChanged(const RuleRow* row)
{
    target_ = RuleTarget{};
    if (state_.TempoMax > 0)
        target_.range = BarsRange{state_.TempoMin, state_.TempoMax};
    target_.beatsPerBar = BeatsPerBarOfRow(row);
    target_.danceTimeMin = state_.DanceTimeMin;
    target_.danceTimeMax = state_.DanceTimeMax;
    showTarget();
    showAllRows();
}

void TFrmMusikPruefen::TimeFormatChanged(TimeFormat)
{
    showAllRows();
}

void TFrmMusikPruefen::showTarget()
{
    if (!target_.range) {
        LB_Target->setText(tr("Kein Tanz gewählt: Tempo ohne Regelbereich, im 4/4-Takt")
                               .replace("4/4", QString("%1/4").arg(target_.beatsPerBar)));
        return;
    }
    QString text = tr("Regel: %1–%2 Takte/min im %3/4-Takt")
                       .arg(target_.range->min)
                       .arg(target_.range->max)
                       .arg(target_.beatsPerBar);
    if (target_.danceTimeMax > 0)
        text += tr(", Tanzzeit %1–%2 s").arg(target_.danceTimeMin).arg(target_.danceTimeMax);
    LB_Target->setText(text);
}

void TFrmMusikPruefen::showAllRows()
{
    for (int i = 0; i < entries_.size(); ++i)
        showRow(i);
}

QStringList TFrmMusikPruefen::fieldsOf(int index) const
{
    const Entry& entry = entries_[index];
    if (!entry.pending)
        return VerdictFields(entry.analysis, Judge(entry.analysis, target_), state_.Zeitformat);
    QStringList fields(8);
    fields[0] = QFileInfo(entry.analysis.path).fileName();
    fields[7] = tr("wird geprüft...");
    return fields;
}

void TFrmMusikPruefen::showRow(int index)
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
        const RowTone tone = Judge(entry.analysis, target_).tone;
        fields << ToneCode(tone);
    }
    QListWidgetItem* item = List->item(index);
    item->setText(fields.join('\t'));
    // Names and notes longer than their column can be read in full here.
    item->setToolTip(entry.analysis.path + (note.isEmpty() ? QString() : "\n" + note));
}

QColor TFrmMusikPruefen::rowColour(const QStringList& fields) const
{
    const QString tone = fields.value(ToneField);
    return ToneColour(tone == "g" ? RowTone::Green : tone == "r" ? RowTone::Red : RowTone::Black);
}

QList<QStringList> TFrmMusikPruefen::rowFields() const
{
    QList<QStringList> rows;
    for (int i = 0; i < entries_.size(); ++i)
        rows << fieldsOf(i);
    return rows;
}

QString TFrmMusikPruefen::ListAsText() const
{
    return RowsAsText(VerdictHeader(), rowFields());
}

void TFrmMusikPruefen::BT_CopyClick()
{
    QGuiApplication::clipboard()->setText(ListAsText());
}

bool TFrmMusikPruefen::SaveCsv(const QString& path)
{
    QSaveFile file(path);
    // A byte-order mark, so that spreadsheets read the umlauts as UTF-8.
    const QByteArray bytes = "\xEF\xBB\xBF" + RowsAsCsv(VerdictHeader(), rowFields()).toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    state_.messages->warning(
        tr("Datei %1 kann nicht geschrieben werden: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

void TFrmMusikPruefen::BT_SaveClick()
{
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Liste als CSV speichern"), QString(), tr("CSV-Dateien (*.csv)"));
    if (!path.isEmpty())
        SaveCsv(path);
}

void TFrmMusikPruefen::BT_FilesClick()
{
    const QString filter = tr("Musikdateien (%1);;Alle Dateien (*)").arg(AudioPatterns.join(' '));
    AddPaths(QFileDialog::getOpenFileNames(this, tr("Musikdateien wählen"), QString(), filter));
}

void TFrmMusikPruefen::BT_FolderClick()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Ordner mit Musik wählen"));
    if (!folder.isEmpty())
        AddPaths({folder});
}

void TFrmMusikPruefen::BT_ClearClick()
{
    queue_.cancel();
    entries_.clear();
    List->clear();
}

void TFrmMusikPruefen::BT_CancelClick()
{
    queue_.cancel();
}

void TFrmMusikPruefen::BT_HelpClick()
{
    ShowToolHelp(state_, language(), tr("Musik prüfen"), QStringLiteral("MusikPruefenHelp.rtf"));
}

void TFrmMusikPruefen::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFrmMusikPruefen::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    AddPaths(paths);
    event->acceptProposedAction();
}
