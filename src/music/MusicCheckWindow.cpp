#include "music/MusicCheckWindow.h"
#include "rules/ToneColour.h"
#include "widgets/DelimitedListBox.h"
#include "rules/TempoVerdict.h"
#include "audio/AudioOutput.h"
#include "audio/LoudnessMeter.h"
#include "audio/TrackPlayback.h"
#include "common/Clock.h"
#include "common/FileNames.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/PlayingHeat.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "widgets/ElidedLabel.h"
#include "widgets/RoundedFrame.h"
#include "widgets/TextFit.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStringConverter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

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

// As the player polls its tracks.
constexpr int TapPollMs = 20;
// The player's limit of loudness matching.
constexpr double MaxGainDb = 12;

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
    // The tap keys count wherever the focus is on this window while a file plays.
    qApp->installEventFilter(this);
    // A heat that starts in the hall silences the piece tapped along.
    if (state_.playingHeat)
        connect(state_.playingHeat, &PlayingHeat::begun, this, &MusicCheckWindow::stopTapping);
    applyLanguage();
}

MusicCheckWindow::~MusicCheckWindow()
{
    stopTapping();
}

void MusicCheckWindow::layOutControls()
{
    auto* work = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{progressBar, tapButton, prelistenButton, useInRoundButton})
        work->addWidget(control);
    work->addStretch();
    work->addWidget(cancelButton);

    auto* list = new QHBoxLayout;
    for (QWidget* control :
         std::initializer_list<QWidget*>{filesButton, folderButton, copyButton, saveButton, clearButton})
        list->addWidget(control);
    list->addStretch();
    list->addWidget(helpButton);

    auto* panel = new QVBoxLayout(EmbeddedForm::panel());
    panel->setContentsMargins(12, 10, 12, 12);
    panel->addWidget(resultList, 1);
    panel->addWidget(targetLabel);
    panel->addLayout(work);
    panel->addSpacing(6);
    panel->addLayout(list);
}

void MusicCheckWindow::createControls()
{
    QFrame* panel = EmbeddedForm::panel();
    auto* shape = new RoundedFrame(5, panel);
    shape->followParent(QMargins(4, 4, 4, 4));

    resultList = new DelimitedListBox(panel);
    resultList->setObjectName("List");
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

    // The rule or the tapping figures; a long one elides and shows whole on hover.
    targetLabel = new ElidedLabel(panel);
    targetLabel->setObjectName("targetLabel");

    progressBar = new QProgressBar(panel);
    progressBar->setObjectName("Progress");
    progressBar->setFixedWidth(84);
    progressBar->setRange(0, 1);
    progressBar->setValue(0);

    auto addButton = [panel](const char* name) {
        auto* button = new QPushButton(panel);
        button->setObjectName(name);
        return button;
    };
    cancelButton = addButton("cancelButton");
    cancelButton->setEnabled(false);
    tapButton = addButton("tapButton");
    tapButton->setCheckable(true);
    prelistenButton = addButton("prelistenButton");
    useInRoundButton = addButton("useInRoundButton");
    filesButton = addButton("filesButton");
    folderButton = addButton("folderButton");
    copyButton = addButton("copyButton");
    saveButton = addButton("saveButton");
    clearButton = addButton("clearButton");
    helpButton = addButton("helpButton");
    layOutControls();

    connect(cancelButton, &QPushButton::clicked, this, &MusicCheckWindow::cancelClicked);
    connect(filesButton, &QPushButton::clicked, this, &MusicCheckWindow::filesClicked);
    connect(folderButton, &QPushButton::clicked, this, &MusicCheckWindow::folderClicked);
    connect(copyButton, &QPushButton::clicked, this, &MusicCheckWindow::copyClicked);
    connect(saveButton, &QPushButton::clicked, this, &MusicCheckWindow::saveClicked);
    connect(clearButton, &QPushButton::clicked, this, &MusicCheckWindow::clearClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    connect(useInRoundButton, &QPushButton::clicked, this, &MusicCheckWindow::useInRoundClicked);
    connect(prelistenButton, &QPushButton::clicked, this, &MusicCheckWindow::prelistenClicked);
    connect(tapButton, &QPushButton::clicked, this, &MusicCheckWindow::tapClicked);

    tapTimer = new QTimer(this);
    tapTimer->setInterval(TapPollMs);
    connect(tapTimer, &QTimer::timeout, this, &MusicCheckWindow::tapTimerFired);
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
    tapButton->setText(tr("Antip&pen"));
    letButtonsShrinkToText({cancelButton, filesButton, folderButton, copyButton, saveButton, clearButton, helpButton,
                            useInRoundButton, prelistenButton, tapButton});
    tapButton->setToolTip(tr("Das markierte Stück im Saal abspielen und sein Tempo mit T oder der Leertaste "
                             "mittippen, einmal je Takt; noch einmal drücken beendet es"));
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
    if (tapping_) {
        showTapping();
        return;
    }
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
    stopTapping();
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

int MusicCheckWindow::rowOfPath(const QString& path) const
{
    for (int i = 0; i < entries_.size(); ++i)
        if (entries_[i].analysis.path == path)
            return i;
    return -1;
}

void MusicCheckWindow::tapClicked()
{
    if (tapping_) {
        stopTapping();
        return;
    }
    tapButton->setChecked(false);
    const QList<int> rows = markedRows();
    if (rows.isEmpty()) {
        state_.messages->information(tr("Markieren Sie in der Liste das Stück, dessen Tempo Sie antippen wollen."));
        return;
    }
    const Entry& entry = entries_[rows.first()];
    if (entry.pending) {
        state_.messages->information(tr("Das Stück wird noch geprüft."));
        return;
    }
    if (!entry.analysis.ok()) {
        state_.messages->information(tr("Das Stück lässt sich nicht abspielen: %1").arg(failureText(entry.analysis)));
        return;
    }
    // The hall hears this output: a heat playing there is not to be mixed with another piece.
    if (state_.playingHeat && state_.playingHeat->playing()) {
        state_.messages->information(tr("Im Saal läuft gerade Musik. Antippen geht, wenn sie beendet ist."));
        return;
    }
    if (!state_.audio || !state_.audio->ensureOpen(true)) {
        const QString why = state_.audio ? QString::fromStdString(state_.audio->lastError()) : QString();
        state_.messages->warning(why.isEmpty()
                                     ? tr("Keine Tonausgabe: Das Stück kann nicht abgespielt werden.")
                                     : tr("Keine Tonausgabe: Das Stück kann nicht abgespielt werden (%1).").arg(why));
        return;
    }
    const FileAnalysis& analysis = entry.analysis;
    PlaybackPlan plan;
    plan.path = analysis.path;
    // From the first beat, past a free intro; unchanged in tempo, since the taps measure the file.
    plan.track.startSeconds = analysis.firstBeatSeconds;
    plan.gain = float(std::pow(
        10.0, std::clamp(gainToTarget(analysis.loudnessLufs, analysis.truePeakDb), -MaxGainDb, MaxGainDb) / 20));
    tapPlayback_ = std::make_unique<TrackPlayback>(*state_.audio, plan);
    tapping_.emplace(target_.beatsPerBar);
    tappingPath_ = analysis.path;
    tapTaken_ = false;
    tapTimer->start();
    tapButton->setChecked(true);
    showTapping();
}

void MusicCheckWindow::tapped()
{
    if (!tapping_ || !state_.clock)
        return;
    tapping_->tap(state_.clock->nowNs());
    const auto beatsPerMinute = tapping_->beatsPerMinute();
    const int row = rowOfPath(tappingPath_);
    if (beatsPerMinute && row >= 0) {
        Entry& entry = entries_[row];
        entry.analysis = withTappedTempo(entry.analysis, *beatsPerMinute);
        cache_.store(entry.analysis);
        tapTaken_ = true;
        showRow(row);
    }
    showTapping();
}

void MusicCheckWindow::stopTapping()
{
    tapTimer->stop();
    tapPlayback_.reset();
    const bool wasTapping = tapping_.has_value();
    tapping_.reset();
    tapButton->setChecked(false);
    if (!wasTapping)
        return;
    const int row = rowOfPath(tappingPath_);
    if (tapTaken_ && row >= 0) {
        cache_.saveInBackground();
        emit tempoTapped(entries_[row].analysis);
    }
    tapTaken_ = false;
    showTarget();
}

void MusicCheckWindow::tapTimerFired()
{
    if (!tapPlayback_)
        return;
    tapPlayback_->poll();
    if (!tapPlayback_->finished())
        return;
    if (tapPlayback_->state() == TrackPlayback::State::Failed) {
        const DecodeFailure failure = tapPlayback_->track().failure();
        state_.messages->warning(
            failure != DecodeFailure::None
                ? tr("Die Musik brach ab: %1").arg(failureText(failure, tapPlayback_->track().failureDetail()))
                : tr("Die Tonausgabe ist weg."));
    }
    stopTapping();
}

void MusicCheckWindow::showTapping()
{
    const TappedTempo& tapping = *tapping_;
    const auto average = tapping.barsPerMinute();
    if (!average) {
        targetLabel->setText(tr("T oder Leertaste einmal je Takt drücken, auf die Eins (%1 Schläge je Takt)")
                                 .arg(tapping.beatsPerBar()));
        return;
    }
    const auto spread = tapping.spread();
    const QString figures =
        spread ? tr("Takte: %1   Tempo: %2 ± %3 Takte/min")
                     .arg(tapping.bars())
                     .arg(formatFixed(*average, 1), formatFixed(*spread, 1))
               : tr("Takte: %1   Tempo: %2 Takte/min").arg(tapping.bars()).arg(formatFixed(*average, 1));
    targetLabel->setText(tapping.steady() ? tr("%1 – übernommen").arg(figures)
                                          : tr("%1 – weiter im Takt tippen").arg(figures));
}

bool MusicCheckWindow::tapKey(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (!tapping_ || (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride))
        return false;
    if (!watched->isWidgetType() || !isVisible() || QApplication::activeModalWidget())
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if ((key.key() != Qt::Key_T && key.key() != Qt::Key_Space) ||
        (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // Anywhere in the main window, as count beat's Space, so that a click on the
    // dance panel does not swallow the taps; text fields keep their letters.
    const auto* widget = static_cast<const QWidget*>(watched);
    if (widget->window() != window() || widget->testAttribute(Qt::WA_InputMethodEnabled))
        return false;
    // Swallowed throughout: Space would press the focused button, T move a list to a name.
    if (type == QEvent::ShortcutOverride)
        event->accept();
    else if (type == QEvent::KeyPress && !key.isAutoRepeat())
        tapped();
    return true;
}

bool MusicCheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    return tapKey(watched, event) || EmbeddedForm::eventFilter(watched, event);
}

void MusicCheckWindow::hideEvent(QHideEvent* event)
{
    stopTapping();
    EmbeddedForm::hideEvent(event);
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
