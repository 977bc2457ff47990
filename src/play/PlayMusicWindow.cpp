#include "play/PlayMusicWindow.h"
#include "common/FileNames.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "audio/AudioOutput.h"
#include "common/PlayingHeat.h"
#include "common/ProgramState.h"
#include "common/StopwatchClock.h"
#include "music/MusicJudgement.h"
#include "play/RoundCheck.h"
#include "rules/DanceSelection.h"
#include "rules/ToneColour.h"
#include "widgets/ElidedLabel.h"
#include "widgets/PeakMeter.h"
#include "widgets/RoundedFrame.h"
#include "widgets/TextFit.h"
#include "widgets/Theme.h"
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

enum Column { NameColumn, LengthColumn, TempoColumn, TargetColumn, ChangeColumn, LoudnessColumn, NoteColumn };

const QStringList AudioFilter{"*.mp3", "*.m4a", "*.aac", "*.mp4", "*.flac", "*.ogg", "*.oga", "*.opus", "*.wav"};

QString bars(double value)
{
    return formatFixed(value, 1);
}

// A rule range as the rules write it: whole bars without decimals.
QString rangeText(const TempoRange& range)
{
    const auto bound = [](double value) { return formatFixed(value, value == std::round(value) ? 0 : 1); };
    return bound(range.min) + "-" + bound(range.max);
}

} // namespace

PlayMusicWindow::PlayMusicWindow(ProgramState& state, const QString& planFolder, const QString& cacheFile,
                                 QWidget* parent)
    : EmbeddedForm("PlayMusicWindow", QSize(545, 369), parent),
      state_(state),
      store_(planFolder.isEmpty() ? PlanStore::defaultFolder(state) : planFolder),
      model_(store_),
      cache_(cacheFile.isEmpty() ? AnalysisCache::defaultFile() : cacheFile),
      queue_(cache_),
      player_(state.audio, state.playingHeat),
      prelistener_(state.prelisten),
      tagReader_(std::make_unique<QThreadPool>())
{
    tagReader_->setMaxThreadCount(1);
    setAcceptDrops(true);
    createControls();
    createShortcuts();
    connectControls();
    openChosenRound();
    applyLanguage();
}

void PlayMusicWindow::createControls()
{
    QFrame* panel = EmbeddedForm::panel();
    auto* shape = new RoundedFrame(5, panel);
    shape->followParent(QMargins(4, 4, 4, 4));
    const auto make = [panel](auto* widget, const char* name) {
        widget->setParent(panel);
        widget->setObjectName(name);
        return widget;
    };
    // Texts of any length (a round's name, a title's tags) elide and show whole on hover.
    roundLabel = make(new ElidedLabel, "roundLabel");
    danceTree = make(new QTreeWidget, "danceTree");
    danceTree->setColumnCount(7);
    danceTree->setRootIsDecorated(true);
    danceTree->setUniformRowHeights(true);
    danceTree->header()->setStretchLastSection(true);
    danceTree->setColumnWidth(NameColumn, 140);

    prelistenButton = make(new QPushButton, "prelistenButton");
    prelistenBackButton = make(new QPushButton, "prelistenBackButton");
    prelistenForwardButton = make(new QPushButton, "prelistenForwardButton");
    prelistenLabel = make(new ElidedLabel, "prelistenLabel");
    hallMeter = make(new PeakMeter, "hallMeter");
    prelistenMeter = make(new PeakMeter, "prelistenMeter");

    addButton = make(new QPushButton, "addButton");
    removeButton = make(new QPushButton, "removeButton");
    heatsLabel = make(new QLabel, "heatsLabel");
    heatsSpin = make(new QSpinBox, "heatsSpin");
    heatsSpin->setRange(1, RoundPlan::MaxHeats);
    danceTimeLabel = make(new QLabel, "danceTimeLabel");
    danceTimeSpin = make(new QSpinBox, "danceTimeSpin");
    danceTimeSpin->setRange(1, 3600);
    checkButton = make(new QPushButton, "checkButton");

    fadeLabel = make(new QLabel, "fadeLabel");
    fadeSpin = make(new QSpinBox, "fadeSpin");
    fadeSpin->setRange(0, int(RoundPlanModel::MaxFadeSeconds));
    fileStartCheck = make(new QCheckBox, "fileStartCheck");
    gapLabel = make(new QLabel, "gapLabel");
    gapSpin = make(new QSpinBox, "gapSpin");
    gapSpin->setRange(0, int(RoundPlanModel::MaxGapSeconds));

    nowLabel = make(new ElidedLabel, "nowLabel");
    clockLabel = make(new ElidedLabel, "clockLabel");
    replaceButton = make(new QPushButton, "replaceButton");
    QFont clockFont = clockLabel->font();
    clockFont.setPointSizeF(clockFont.pointSizeF() * 1.4);
    clockFont.setBold(true);
    clockLabel->setFont(clockFont);
    nextLabel = make(new ElidedLabel, "nextLabel");
    problemLabel = make(new ElidedLabel, "problemLabel");
    const auto warningColour = [this] {
        QPalette warning = problemLabel->palette();
        warning.setColor(QPalette::WindowText, Theme::instance().colours().warningText);
        problemLabel->setPalette(warning);
    };
    warningColour();
    connect(&Theme::instance(), &Theme::changed, problemLabel, warningColour);

    startButton = make(new QPushButton, "startButton");
    fadeButton = make(new QPushButton, "fadeButton");
    stopButton = make(new QPushButton, "stopButton");
    replayButton = make(new QPushButton, "replayButton");
    skipButton = make(new QPushButton, "skipButton");
    slowerButton = make(new QPushButton, "slowerButton");
    slowerTenthButton = make(new QPushButton, "slowerTenthButton");
    fasterTenthButton = make(new QPushButton, "fasterTenthButton");
    fasterButton = make(new QPushButton, "fasterButton");
    helpButton = make(new QPushButton, "helpButton");
    layOutControls();
}

void PlayMusicWindow::layOutControls()
{
    const auto row = [](std::initializer_list<QWidget*> widgets, int stretchAfter = -1) {
        auto* line = new QHBoxLayout;
        int index = 0;
        for (QWidget* widget : widgets) {
            line->addWidget(widget);
            if (index++ == stretchAfter)
                line->addStretch();
        }
        return line;
    };
    auto* meters = new QVBoxLayout;
    meters->setSpacing(2);
    meters->addWidget(hallMeter);
    meters->addWidget(prelistenMeter);
    for (PeakMeter* meter : {hallMeter, prelistenMeter})
        meter->setFixedSize(125, 11);
    // The label on a line of its own: what is missing or playing is the
    // message, and a device's name is long.
    QHBoxLayout* prelistenRow = row({prelistenButton, prelistenBackButton, prelistenForwardButton}, 2);
    prelistenRow->addLayout(meters);

    // The tempo steps beside the clock that shows the tempo.
    auto* nudges = row({slowerButton, slowerTenthButton, fasterTenthButton, fasterButton});
    nudges->setSpacing(0); // one control of four steps
    QHBoxLayout* clockRow = row({clockLabel});
    clockRow->setStretchFactor(clockLabel, 1);
    clockRow->addLayout(nudges);
    clockRow->addWidget(replaceButton);

    auto* panel = new QVBoxLayout(EmbeddedForm::panel());
    panel->setContentsMargins(12, 8, 12, 10);
    panel->setSpacing(3);
    panel->addWidget(roundLabel);
    panel->addWidget(danceTree, 1);
    panel->addLayout(prelistenRow);
    panel->addWidget(prelistenLabel);
    panel->addLayout(row({addButton, removeButton, checkButton, helpButton}, 1));
    panel->addLayout(row({heatsLabel, heatsSpin, danceTimeLabel, danceTimeSpin, fadeLabel, fadeSpin}, 5));
    panel->addLayout(row({fileStartCheck, gapLabel, gapSpin}, 2));
    panel->addWidget(nowLabel);
    panel->addLayout(clockRow);
    panel->addWidget(nextLabel);
    panel->addWidget(problemLabel);
    panel->addLayout(row({startButton, fadeButton, stopButton, replayButton, skipButton}, 4));
}

void PlayMusicWindow::createShortcuts()
{
    const auto key = [this](const QKeySequence& sequence, auto slot) {
        // Wherever the focus is while the window is shown (a tool key leaves it
        // outside); fields that take text keep their keys.
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    key(Qt::Key_Space, [this] { startClicked(); });
    key(Qt::Key_F, [this] { player_.fadeNow(); });
    key(Qt::Key_Escape, [this] { player_.stop(); });
    key(Qt::Key_Plus, [this] { player_.nudgeTempo(0.1); });
    key(Qt::Key_Minus, [this] { player_.nudgeTempo(-0.1); });
    key(Qt::CTRL | Qt::Key_Plus, [this] { player_.nudgeTempo(1); });
    key(Qt::CTRL | Qt::Key_Minus, [this] { player_.nudgeTempo(-1); });
    key(Qt::Key_V, [this] { prelistenClicked(); });
    key(Qt::CTRL | Qt::Key_Left, [this] { prelistener_.seek(-Prelistener::SeekSeconds); });
    key(Qt::CTRL | Qt::Key_Right, [this] { prelistener_.seek(Prelistener::SeekSeconds); });
}

void PlayMusicWindow::connectControls()
{
    connect(addButton, &QPushButton::clicked, this, &PlayMusicWindow::addClicked);
    connect(removeButton, &QPushButton::clicked, this, &PlayMusicWindow::removeClicked);
    connect(checkButton, &QPushButton::clicked, this, &PlayMusicWindow::checkClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    connect(startButton, &QPushButton::clicked, this, &PlayMusicWindow::startClicked);
    connect(replaceButton, &QPushButton::clicked, this, &PlayMusicWindow::replaceClicked);
    connect(fadeButton, &QPushButton::clicked, &player_, &RoundPlayer::fadeNow);
    connect(stopButton, &QPushButton::clicked, &player_, &RoundPlayer::stop);
    connect(replayButton, &QPushButton::clicked, &player_, &RoundPlayer::replay);
    connect(skipButton, &QPushButton::clicked, &player_, &RoundPlayer::skipDance);
    connect(slowerButton, &QPushButton::clicked, this, [this] { player_.nudgeTempo(-1); });
    connect(slowerTenthButton, &QPushButton::clicked, this, [this] { player_.nudgeTempo(-0.1); });
    connect(fasterTenthButton, &QPushButton::clicked, this, [this] { player_.nudgeTempo(0.1); });
    connect(fasterButton, &QPushButton::clicked, this, [this] { player_.nudgeTempo(1); });

    connect(danceTree, &QTreeWidget::currentItemChanged, this, &PlayMusicWindow::showDanceSettings);
    connect(heatsSpin, &QSpinBox::editingFinished, this, [this] {
        if (selectedDance() >= 0)
            tell({model_.setHeats(selectedDance(), heatsSpin->value()).note});
    });
    connect(danceTimeSpin, &QSpinBox::editingFinished, this, [this] {
        if (selectedDance() >= 0)
            tell({model_.setDanceSeconds(selectedDance(), danceTimeSpin->value()).note});
    });
    connect(fadeSpin, &QSpinBox::editingFinished, this, [this] { model_.setFadeSeconds(fadeSpin->value()); });
    connect(gapSpin, &QSpinBox::editingFinished, this, [this] {
        model_.setBetweenHeats(gapSpin->value() > 0 ? BetweenHeats::Gap : BetweenHeats::Hold, gapSpin->value());
    });
    connect(fileStartCheck, &QCheckBox::toggled, this,
            [this](bool on) { model_.setStart(on ? StartPoint::FileStart : StartPoint::FirstBeat); });

    connect(&model_, &RoundPlanModel::planChanged, this, &PlayMusicWindow::planChanged);
    connect(&model_, &RoundPlanModel::saveFailed, this, [this](const QString& error) { tell({error}); });
    connect(&queue_, &MusicAnalysisQueue::analysed, this, &PlayMusicWindow::analysed);
    connect(&player_, &RoundPlayer::changed, this, &PlayMusicWindow::playerChanged);
    connect(prelistenButton, &QPushButton::clicked, this, &PlayMusicWindow::prelistenClicked);
    connect(prelistenBackButton, &QPushButton::clicked, this, [this] { prelistener_.seek(-Prelistener::SeekSeconds); });
    connect(prelistenForwardButton, &QPushButton::clicked, this,
            [this] { prelistener_.seek(Prelistener::SeekSeconds); });
    connect(&prelistener_, &Prelistener::changed, this, &PlayMusicWindow::showPrelisten);
    if (state_.selection)
        connect(state_.selection, &DanceSelection::choiceChanged, this, &PlayMusicWindow::openChosenRound);
    auto* clockTimer = new QTimer(this);
    connect(clockTimer, &QTimer::timeout, this, [this] {
        showClock();
        showLevels();
        // Also follows a device chosen in the menu meanwhile.
        showPrelisten();
    });
    clockTimer->start(50);
}

// Wide enough for their longest figures (the target with its verdict mark)
// and their headers, in the font in use.
void PlayMusicWindow::fitFigureColumns()
{
    const QFontMetrics metrics(danceTree->font());
    const QFontMetrics headerMetrics(danceTree->header()->font());
    const std::pair<int, const char*> longest[] = {{LengthColumn, "00:00"},
                                                   {TempoColumn, "000,0"},
                                                   {TargetColumn, "00,0  ▲ 0,0"},
                                                   {ChangeColumn, "+00,0 %"},
                                                   {LoudnessColumn, "-00,0"}};
    for (const auto& [column, sample] : longest) {
        const int header = headerMetrics.horizontalAdvance(danceTree->headerItem()->text(column));
        danceTree->setColumnWidth(column, std::max(metrics.horizontalAdvance(QString::fromUtf8(sample)), header) + 14);
    }
}

void PlayMusicWindow::applyLanguage()
{
    danceTree->setHeaderLabels(
        {tr("Tanz / Musik"), tr("Länge"), tr("Takte/min"), tr("Ziel"), tr("Änderung"), tr("LUFS"), tr("Hinweis")});
    fitFigureColumns();
    addButton->setText(tr("M&usik..."));
    removeButton->setText(tr("Entfer&nen"));
    heatsLabel->setText(tr("Durchgänge:"));
    danceTimeLabel->setText(tr("Tanzzeit (s):"));
    checkButton->setText(tr("Runde &prüfen"));
    replaceButton->setText(tr("Erset&zen..."));
    replaceButton->setToolTip(tr("Einen anderen Titel für den nächsten Durchgang wählen"));
    fadeLabel->setText(tr("Ausblenden (s):"));
    fileStartCheck->setText(tr("ab Date&ianfang"));
    gapLabel->setText(tr("Pause (s, 0 = warten):"));
    startButton->setText(tr("&Start"));
    startButton->setToolTip(tr("Nächsten Durchgang starten (Leertaste)"));
    fadeButton->setText(tr("Aus&blenden"));
    fadeButton->setToolTip(tr("Jetzt ausblenden (F)"));
    stopButton->setText(tr("St&opp"));
    stopButton->setToolTip(tr("Sofort anhalten (Esc)"));
    replayButton->setText(tr("Nochma&l"));
    replayButton->setToolTip(tr("Den Durchgang wiederholen"));
    skipButton->setText(tr("Nä&chster Tanz"));
    slowerButton->setText(QStringLiteral("−1"));
    slowerButton->setToolTip(tr("Tempo 1 Takt/min langsamer (Strg+Minus)"));
    slowerTenthButton->setText(QStringLiteral("−,1"));
    slowerTenthButton->setToolTip(tr("Tempo 0,1 Takt/min langsamer (Minus)"));
    fasterTenthButton->setText(QStringLiteral("+,1"));
    fasterTenthButton->setToolTip(tr("Tempo 0,1 Takt/min schneller (Plus)"));
    fasterButton->setText(QStringLiteral("+1"));
    fasterButton->setToolTip(tr("Tempo 1 Takt/min schneller (Strg+Plus)"));
    helpButton->setText(tr("Hil&fe"));
    prelistenButton->setToolTip(tr("Das gewählte Stück auf dem Kopfhörer vorhören, wie es im Saal klänge (V)"));
    prelistenBackButton->setText(tr("−10 s"));
    prelistenBackButton->setToolTip(tr("Vorhören 10 s zurück (Strg+Links)"));
    prelistenForwardButton->setText(tr("+10 s"));
    prelistenForwardButton->setToolTip(tr("Vorhören 10 s vor (Strg+Rechts)"));
    hallMeter->setName(tr("Saal"));
    prelistenMeter->setName(tr("Vorhören"));
    letButtonsShrinkToText({prelistenBackButton, prelistenForwardButton, addButton, removeButton, checkButton,
                            replaceButton, startButton, fadeButton, stopButton, replayButton, skipButton, helpButton});
    // Four small steps, as narrow as their signs.
    for (QPushButton* nudge : {slowerButton, slowerTenthButton, fasterTenthButton, fasterButton})
        nudge->setFixedWidth(buttonTextWidth(*nudge) + 8);
    showPrelisten();
    if (model_.isOpen() && state_.rules)
        tell(model_.rulesChanged(*state_.rules));
    showTree();
    showPlayer();
}

PlayMusicWindow::~PlayMusicWindow()
{
    tagReader_->clear();
    if (!tagReader_->waitForDone(1000))
        (void)tagReader_.release(); // a read hung in the system ends with the process
}

void PlayMusicWindow::openChosenRound()
{
    const auto key = state_.selection ? roundKeyOf(*state_.selection) : std::nullopt;
    if (!key || !state_.rules) {
        model_.close();
        notes_.clear();
        showTree();
        showPlayer();
        return;
    }
    if (model_.isOpen() && model_.plan().key == *key)
        return;
    notes_.clear();
    tell(model_.open(*state_.rules, *key));
    analyseTracks();
}

void PlayMusicWindow::planChanged()
{
    player_.setRound(model_.plan(), model_.order(),
                     [this](int dance, const QString& path) { return figuresOf(dance, path); });
    analyseTracks();
    showTree();
}

void PlayMusicWindow::analyseTracks()
{
    QStringList missing;
    for (const DancePlan& dance : model_.plan().dances) {
        for (const QString& track : dance.tracks) {
            if (!analyses_.contains(track) && !missing.contains(track))
                missing << track;
        }
    }
    if (!missing.isEmpty())
        queue_.enqueue(missing);
}

void PlayMusicWindow::analysed(const FileAnalysis& analysis)
{
    if (analysis.failure == DecodeFailure::Cancelled)
        return;
    analyses_.insert(analysis.path, analysis);
    cache_.store(analysis);
    if (!queue_.busy())
        cache_.saveInBackground();
    showTree();
}

TrackTags PlayMusicWindow::tagsOf(const QString& path)
{
    const auto found = tags_.constFind(path);
    if (found != tags_.constEnd())
        return *found;
    TrackTags named;
    named.title = readablePath(QFileInfo(path).completeBaseName());
    tags_.insert(path, named);
    QPointer<PlayMusicWindow> self(this);
    tagReader_->start([self, path] {
        // Pipes and devices would block the reader; they are no tracks anyway.
        const auto status = fileStatus(path);
        if (!status || !status->isFile)
            return;
        const TrackTags tags = readTrackTags(path);
        QMetaObject::invokeMethod(
            self.data(),
            [self, path, tags] {
                if (self)
                    self->tagsRead(path, tags);
            },
            Qt::QueuedConnection);
    });
    return named;
}

void PlayMusicWindow::tagsRead(const QString& path, const TrackTags& tags)
{
    if (tags_.value(path).displayText() == tags.displayText())
        return;
    tags_.insert(path, tags);
    showTree();
}

std::optional<TrackFigures> PlayMusicWindow::figuresOf(int dance, const QString& path)
{
    const auto analysis = analyses_.constFind(path);
    const RunningDance* running = model_.dance(dance);
    if (analysis == analyses_.constEnd() || !running)
        return std::nullopt;
    return trackFigures(*analysis, tagsOf(path), *running, model_.plan().dances[dance], model_.plan().settings);
}

void PlayMusicWindow::showTree()
{
    const int selected = selectedDance();
    danceTree->clear();
    if (!model_.isOpen()) {
        roundLabel->setText(tr("Wählen Sie im Tanzfeld Turnierart, Klasse und Runde."));
        showDanceSettings();
        return;
    }
    roundLabel->setText(roundTitle(model_.plan().key));
    const RunningOrder& order = model_.order();
    for (int dance = 0; dance < order.dances.size(); ++dance) {
        const RunningDance& running = order.dances[dance];
        const DancePlan& plan = model_.plan().dances[dance];
        auto* item = new QTreeWidgetItem(danceTree);
        item->setText(NameColumn, QString("%1. %2").arg(dance + 1).arg(running.name));
        item->setText(LengthColumn, tr("%1 s").arg(plan.danceSeconds));
        if (running.tempo.valid())
            item->setText(TempoColumn, rangeText(running.tempo));
        if (const auto target = targetTempo(running, plan, model_.plan().settings))
            item->setText(TargetColumn, bars(*target));
        item->setText(NoteColumn, plan.heats == 1 ? tr("1 Durchgang") : tr("%1 Durchgänge").arg(plan.heats));
        for (const QString& track : plan.tracks)
            fillTrackItem(new QTreeWidgetItem(item), dance, track);
        item->setExpanded(true);
    }
    // A dance is always chosen, so that tracks can be added at once.
    if (danceTree->topLevelItemCount() > 0)
        danceTree->setCurrentItem(danceTree->topLevelItem(std::clamp(selected, 0, danceTree->topLevelItemCount() - 1)));
    showDanceSettings();
}

void PlayMusicWindow::fillTrackItem(QTreeWidgetItem* item, int dance, const QString& path)
{
    item->setText(NameColumn, tagsOf(path).displayText());
    item->setToolTip(NameColumn, path);
    const auto figures = figuresOf(dance, path);
    if (!figures) {
        item->setText(NoteColumn, tr("wird geprüft..."));
        return;
    }
    item->setText(LengthColumn, clockText(std::int64_t(figures->fileSeconds * 1000), state_.timeFormat));
    if (figures->tempoKnown)
        item->setText(TempoColumn, bars(figures->measuredBars()));
    else if (figures->warnings.testFlag(TrackWarning::TempoUncertain))
        item->setText(TempoColumn, tr("unsicher"));
    if (figures->target && figures->tempoKnown)
        item->setText(TargetColumn, (bars(figures->resultBars) + "  " + figures->verdictMark).trimmed());
    item->setText(ChangeColumn, figures->changeText());
    item->setForeground(ChangeColumn, toneColour(figures->tone));
    item->setForeground(TargetColumn, toneColour(figures->tone));
    const double lufs = analyses_.value(path).loudnessLufs;
    if (std::isfinite(lufs))
        item->setText(LoudnessColumn, formatFixed(lufs, 1));
    QStringList notes = figures->warningTexts();
    if (figures->tempoTapped)
        notes.prepend(tr("Tempo getippt"));
    item->setText(NoteColumn, notes.join("; "));
    item->setToolTip(NoteColumn, notes.join("\n"));
}

int PlayMusicWindow::danceOfItem(const QTreeWidgetItem* item) const
{
    while (item && item->parent())
        item = item->parent();
    return item ? danceTree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
}

int PlayMusicWindow::selectedDance() const
{
    return danceOfItem(danceTree->currentItem());
}

void PlayMusicWindow::showDanceSettings()
{
    const int dance = selectedDance();
    const bool open = model_.isOpen();
    for (QWidget* control :
         {static_cast<QWidget*>(addButton), static_cast<QWidget*>(heatsSpin), static_cast<QWidget*>(danceTimeSpin)})
        control->setEnabled(open && dance >= 0);
    for (QWidget* control :
         {static_cast<QWidget*>(fadeSpin), static_cast<QWidget*>(fileStartCheck), static_cast<QWidget*>(gapSpin)})
        control->setEnabled(open);
    removeButton->setEnabled(open && danceTree->currentItem() && danceTree->currentItem()->parent());
    if (!open)
        return;
    const RoundSettings& settings = model_.plan().settings;
    const QSignalBlocker blockCheck(fileStartCheck);
    fadeSpin->setValue(int(settings.fadeSeconds));
    fileStartCheck->setChecked(settings.start == StartPoint::FileStart);
    gapSpin->setValue(settings.betweenHeats == BetweenHeats::Gap ? int(settings.gapSeconds) : 0);
    if (dance < 0)
        return;
    heatsSpin->setValue(model_.plan().dances[dance].heats);
    danceTimeSpin->setValue(model_.plan().dances[dance].danceSeconds);
}

void PlayMusicWindow::showPlayer()
{
    const auto place = player_.place();
    const RunningOrder& order = model_.order();
    const bool known = model_.isOpen() && place && place->dance < order.dances.size();
    QString now;
    if (known) {
        const QString dance = order.dances[place->dance].name;
        const int heats = model_.plan().heatCount(place->dance);
        const QString heat = tr("Durchgang %1 von %2").arg(place->heat + 1).arg(heats);
        const QString track = model_.plan().trackOfHeat(place->dance, place->heat);
        const QString title = track.isEmpty() ? tr("keine Musik") : tagsOf(track).displayText();
        now = (player_.phase() == RoundPlayer::Phase::Playing ? tr("Es spielt: %1, %2 – %3")
                                                              : tr("Als Nächstes: %1, %2 – %3"))
                  .arg(dance, heat, title);
    }
    else if (model_.isOpen() && player_.phase() == RoundPlayer::Phase::Finished) {
        now = tr("Die Runde ist zu Ende.");
    }
    nowLabel->setText(now);
    const auto nextDance = player_.cursor().nextDance();
    nextLabel->setText(known && nextDance && *nextDance < order.dances.size()
                           ? tr("Danach: %1").arg(order.dances[*nextDance].name)
                           : QString());
    problemLabel->setText(player_.problem().isEmpty() ? notes_ : player_.problem());
    const bool playing = player_.phase() == RoundPlayer::Phase::Playing;
    for (QPushButton* button :
         {fadeButton, stopButton, slowerButton, slowerTenthButton, fasterTenthButton, fasterButton})
        button->setEnabled(playing);
    startButton->setEnabled(model_.isOpen() && !playing);
    replayButton->setEnabled(model_.isOpen());
    skipButton->setEnabled(model_.isOpen());
    replaceButton->setEnabled(model_.isOpen() && comingHeat().has_value());
    showClock();
}

void PlayMusicWindow::playerChanged()
{
    const bool playing = player_.phase() == RoundPlayer::Phase::Playing;
    if (playing && !heatPlaying_ && state_.prelistenStopsOnHeat)
        prelistener_.stop();
    heatPlaying_ = playing;
    showPlayer();
}

void PlayMusicWindow::prelistenClicked()
{
    const QTreeWidgetItem* item = danceTree->currentItem();
    if (!item || !item->parent()) {
        if (prelistener_.playing())
            prelistener_.stop();
        else
            prelistenLabel->setText(tr("Wählen Sie ein Stück zum Vorhören."));
        return;
    }
    const int dance = danceOfItem(item);
    const QString path = model_.plan().dances.value(dance).tracks.value(
        item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)));
    prelistenTrack(path, figuresOf(dance, path));
}

QString PlayMusicWindow::prelistenFile(const FileAnalysis& analysis)
{
    analyses_.insert(analysis.path, analysis);
    const auto chosen = model_.isOpen() && state_.selection && state_.rules
                            ? danceOfRow(model_.order(), *state_.rules, state_.selection->chosenRow())
                            : std::nullopt;
    std::optional<TrackFigures> figures;
    if (chosen)
        figures = figuresOf(*chosen, analysis.path);
    else
        figures = trackFigures(analysis, tagsOf(analysis.path), RunningDance{}, DancePlan{}, RoundSettings{});
    prelistenTrack(analysis.path, figures);
    return prelistener_.problem();
}

void PlayMusicWindow::prelistenTrack(const QString& path, const std::optional<TrackFigures>& figures)
{
    if (prelistener_.playing() && prelistener_.path() == path) {
        prelistener_.stop();
        return;
    }
    if (!figures || figures->warnings.testFlag(TrackWarning::Unreadable)) {
        prelistenLabel->setText(figures ? figures->failure : tr("Das Stück wird noch geprüft."));
        return;
    }
    PlaybackPlan plan = playbackPlan(*figures, DancePlan{}, model_.plan().settings);
    prelistener_.play(plan);
}

void PlayMusicWindow::showPrelisten()
{
    const bool device = state_.prelisten && state_.prelisten->device() && !state_.prelisten->device()->empty();
    prelistenButton->setText(prelistener_.playing() ? tr("&Vorhören aus") : tr("&Vorhören"));
    prelistenButton->setEnabled(device);
    prelistenBackButton->setEnabled(prelistener_.playing());
    prelistenForwardButton->setEnabled(prelistener_.playing());
    prelistenMeter->setEnabled(device);
    QString text;
    if (!device && !state_.prelistenMissing.isEmpty())
        text = tr("„%1“ ist nicht da: Extras > Vorhören").arg(state_.prelistenMissing);
    else if (!device)
        text = tr("Kein Gerät: Extras > Vorhören");
    else if (!prelistener_.problem().isEmpty())
        text = prelistener_.problem();
    else if (prelistener_.playing())
        text = tr("%1 bei %2")
                   .arg(tagsOf(prelistener_.path()).displayText(),
                        clockText(std::int64_t(prelistener_.musicSeconds() * 1000), TimeFormat::MinutesSeconds));
    prelistenLabel->setText(text);
    prelistenLabel->setToolTip(text);
}

void PlayMusicWindow::showLevels()
{
    hallMeter->showPeak(state_.audio ? state_.audio->takePeak() : 0.0f);
    prelistenMeter->showPeak(state_.prelisten ? state_.prelisten->takePeak() : 0.0f);
}

void PlayMusicWindow::showClock()
{
    if (player_.phase() != RoundPlayer::Phase::Playing) {
        clockLabel->setText(player_.phase() == RoundPlayer::Phase::Gap ? tr("Pause") : QString());
        return;
    }
    const double heard = player_.heardSeconds().value_or(0);
    const double left = std::max(0.0, player_.danceSeconds() - heard);
    clockLabel->setText(tr("%1 Takte/min   %2 gespielt   noch %3")
                            .arg(bars(player_.heardTempo()), clockText(std::int64_t(heard * 1000), state_.timeFormat),
                                 clockText(std::int64_t(std::ceil(left) * 1000), state_.timeFormat)));
}

void PlayMusicWindow::tell(const QStringList& notes)
{
    QStringList shown;
    for (const QString& note : notes) {
        if (!note.isEmpty())
            shown << note;
    }
    if (shown.isEmpty())
        return;
    notes_ = shown.join(' ');
    showPlayer();
}

void PlayMusicWindow::addTracks(const QStringList& paths, int dance)
{
    if (dance < 0)
        dance = selectedDance();
    if (dance < 0 || !model_.isOpen()) {
        tell({tr("Wählen Sie zuerst einen Tanz der Runde.")});
        return;
    }
    model_.addTracks(dance, paths);
}

void PlayMusicWindow::analysisChanged(const FileAnalysis& analysis)
{
    cache_.store(analysis);
    if (!analyses_.contains(analysis.path))
        return;
    analyses_.insert(analysis.path, analysis);
    showTree();
}

QString PlayMusicWindow::useTracks(const QStringList& paths, const QList<FileAnalysis>& analysed)
{
    for (const FileAnalysis& analysis : analysed) {
        analyses_.insert(analysis.path, analysis);
        cache_.store(analysis);
    }
    if (!model_.isOpen() || !state_.rules)
        return tr("Keine Runde gewählt: Wählen Sie im Tanzfeld Turnierart, Klasse und Runde.");
    const auto chosen =
        state_.selection ? danceOfRow(model_.order(), *state_.rules, state_.selection->chosenRow()) : std::nullopt;
    const int dance = chosen ? *chosen : selectedDance();
    if (dance < 0)
        return tr("Wählen Sie zuerst einen Tanz der Runde.");
    QStringList added;
    for (const QString& path : paths) {
        if (!model_.plan().dances[dance].tracks.contains(path) && !added.contains(path))
            added << path;
    }
    model_.addTracks(dance, added);
    const QString where = QStringLiteral("%1 – %2").arg(roundTitle(model_.plan().key), model_.dance(dance)->name);
    if (added.isEmpty())
        return tr("Die Stücke gehören schon zu %1.").arg(where);
    if (added.size() == 1)
        return tr("Ein Stück übernommen in %1.").arg(where);
    return tr("%1 Stücke übernommen in %2.").arg(added.size()).arg(where);
}

void PlayMusicWindow::addClicked()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Musik wählen"), QString(),
                                                            tr("Musikdateien (%1)").arg(AudioFilter.join(' ')));
    if (!files.isEmpty())
        addTracks(files);
}

void PlayMusicWindow::removeClicked()
{
    const QTreeWidgetItem* item = danceTree->currentItem();
    if (!item || !item->parent())
        return;
    model_.removeTrack(danceOfItem(item), item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)));
}

std::optional<HeatPlace> PlayMusicWindow::comingHeat() const
{
    const auto coming =
        player_.phase() == RoundPlayer::Phase::Playing ? player_.cursor().nextHeatPlace() : player_.cursor().current();
    if (!coming || model_.plan().trackOfHeat(coming->dance, coming->heat).isEmpty())
        return std::nullopt;
    return coming;
}

bool PlayMusicWindow::askForTrack(const HeatPlace& heat, const QString& question)
{
    const QStringList& tracks = model_.plan().dances[heat.dance].tracks;
    const QString file =
        QFileDialog::getOpenFileName(this, question, QFileInfo(tracks[heat.heat % tracks.size()]).path(),
                                     tr("Musikdateien (%1)").arg(AudioFilter.join(' ')));
    if (file.isEmpty())
        return false;
    model_.replaceTrack(heat.dance, heat.heat % int(tracks.size()), file);
    return true;
}

void PlayMusicWindow::startClicked()
{
    if (player_.phase() == RoundPlayer::Phase::Playing)
        return;
    const auto heat = player_.cursor().current();
    const QString track = heat ? model_.plan().trackOfHeat(heat->dance, heat->heat) : QString();
    if (!track.isEmpty() && !fileStatus(track) &&
        !askForTrack(*heat, tr("Wo ist „%1“ jetzt?").arg(readablePath(QFileInfo(track).fileName()))))
        return;
    player_.startOrNext();
}

void PlayMusicWindow::replaceClicked()
{
    if (const auto heat = comingHeat())
        askForTrack(*heat, tr("Musik für den nächsten Durchgang"));
}

void PlayMusicWindow::checkClicked()
{
    if (!state_.rules || !state_.messages)
        return;
    const QStringList problems = checkSavedRounds(store_, *state_.rules, [this](const QString& path) {
        const auto found = analyses_.constFind(path);
        return found == analyses_.constEnd() ? cache_.find(path) : std::optional<FileAnalysis>(*found);
    });
    state_.messages->information(problems.isEmpty() ? tr("Alle gespeicherten Runden sind spielbereit.")
                                                    : problems.join('\n'));
}

void PlayMusicWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && model_.isOpen())
        event->acceptProposedAction();
}

void PlayMusicWindow::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = pathOfUrl(url);
        if (const auto status = fileStatus(path); status && status->isFile)
            files << path;
    }
    const QPoint inTree = danceTree->viewport()->mapFrom(this, event->position().toPoint());
    const int dance = danceOfItem(danceTree->itemAt(inTree));
    addTracks(files, dance);
    event->acceptProposedAction();
}
