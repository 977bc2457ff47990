#include "tempo/CountBeatWindow.h"
#include "rules/ToneColour.h"
#include "rules/TempoVerdict.h"
#include "common/Clock.h"
#include "widgets/DelimitedListBox.h"
#include "tempo/AdaptFixedSpeedDialog.h"
#include "tempo/AdaptSpeedDialog.h"
#include "tempo/MeasuredTempo.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "widgets/RoundedFrame.h"
#include "widgets/TextFit.h"
#include "tempo/SpeedConversion.h"
#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

Qt::KeyboardModifiers shiftState(const QKeyEvent& key)
{
    return key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool isAltC(const QKeyEvent& key)
{
    return shiftState(key) == Qt::AltModifier && key.key() == Qt::Key_C;
}

bool isPlainSpace(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Space && (shiftState(key) & ~Qt::ShiftModifier) == 0;
}

// A field that takes typed text (line edits, spin boxes, editable combo
// boxes) wants its spaces; everything else on the window only selects.
bool takesText(const QWidget* widget)
{
    return widget && widget->testAttribute(Qt::WA_InputMethodEnabled);
}

} // namespace

CountBeatWindow::CountBeatWindow(ProgramState& state, QWidget* parent)
    : EmbeddedForm("CountBeatWindow", QSize(545, 369), parent),
      state_(state)
{
    createControls();
    applyLanguage();
}

void CountBeatWindow::createControls()
{
    QFrame* panel = EmbeddedForm::panel();
    auto* shape = new RoundedFrame(5, panel);
    shape->followParent(QMargins(20, 8, 20, 8));

    tapList = new DelimitedListBox(panel);
    tapList->setObjectName("List");
    tapList->setSections({110, 110, 109, 109});
    tapList->setHeaderHeight(17);
    tapList->setItemHeight(16);
    tapList->setRowColour([this](const QStringList& fields) { return rowColour(fields); });
    tapList->setShownFields([this](const QStringList& fields) { return shownFields(fields); });
    tapList->installEventFilter(this);
    // Space taps wherever the focus is on this window, so a click on a dance
    // button in the middle of a piece does not swallow the beats.
    qApp->installEventFilter(this);

    averageCaptionLabel = new QLabel(QStringLiteral("Anzahl Takte für Mittelwertbildung:"), panel);
    barsPerAverageLabel = new QLabel(panel);
    barsPerAverageSpin = new QSpinBox(panel);
    barsPerAverageSpin->setObjectName("barsPerAverageSpin");
    barsPerAverageSpin->setRange(1, TapSeries::MaxWindow);
    barsPerAverageSpin->setValue(5);
    barsPerAverageLabel->setBuddy(barsPerAverageSpin);

    spreadLabel = new QLabel(panel);
    spreadLabel->setObjectName("spreadLabel");
    spreadLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    clipboardCheck = new QCheckBox(panel);
    clipboardCheck->setObjectName("clipboardCheck");
    clipboardCheck->setChecked(true);
    // Ticking it with the mouse leaves the keys with the list.
    clipboardCheck->setFocusPolicy(Qt::NoFocus);

    auto addButton = [panel](const char* name) {
        auto* button = new QPushButton(panel);
        button->setObjectName(name);
        return button;
    };
    startButton = addButton("startButton");
    evaluateButton = addButton("evaluateButton");
    resetButton = addButton("resetButton");
    helpButton = addButton("helpButton");
    layOutControls();

    resetTimer = new QTimer(this);
    resetTimer->setInterval(20);

    startButton->installEventFilter(this);
    connect(startButton, &QPushButton::clicked, this, &CountBeatWindow::startClicked);
    connect(evaluateButton, &QPushButton::clicked, this, &CountBeatWindow::evaluateClicked);
    connect(resetButton, &QPushButton::clicked, this, &CountBeatWindow::resetClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    connect(resetTimer, &QTimer::timeout, this, &CountBeatWindow::resetTimerFired);
    connect(barsPerAverageSpin, &QSpinBox::valueChanged, this, &CountBeatWindow::barsPerAverageChanged);
    // The rows are coloured against the target range, so another dance colours them anew.
    connect(state_.selection, &DanceSelection::tempoRangeChanged, tapList, [this] { tapList->viewport()->update(); });
}

void CountBeatWindow::layOutControls()
{
    // A line each: side by side they would not fit a large font.
    auto* average = new QHBoxLayout;
    average->addWidget(barsPerAverageLabel);
    average->addWidget(barsPerAverageSpin);
    average->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startButton, 2); // the big target of the taps
    for (QPushButton* button : {evaluateButton, resetButton, helpButton})
        buttons->addWidget(button, 1);

    // Inside the rounded shape, the list taking what height there is.
    auto* panel = new QVBoxLayout(EmbeddedForm::panel());
    panel->setContentsMargins(42, 20, 43, 19);
    panel->addWidget(tapList, 1);
    panel->addWidget(spreadLabel);
    panel->addWidget(averageCaptionLabel);
    panel->addLayout(average);
    panel->addWidget(clipboardCheck);
    panel->addSpacing(6);
    panel->addLayout(buttons);
}

namespace {
const char* const ReadyPromptText = QT_TRANSLATE_NOOP("CountBeatWindow", "Bereit zum Auszählen");
} // namespace

QString CountBeatWindow::readyPrompt()
{
    return tr(ReadyPromptText);
}

// In either language, so that a language switch finds the prompt to replace.
bool CountBeatWindow::showsReadyPrompt() const
{
    if (tapList->count() == 0)
        return false;
    const QString first = tapList->item(0)->text();
    return first == textIn(Language::German, "CountBeatWindow", ReadyPromptText) ||
           first == textIn(Language::English, "CountBeatWindow", ReadyPromptText);
}

void CountBeatWindow::applyLanguage()
{
    tapList->setSectionTexts(
        {tr("Anzahl Takte"), tr("Dauer in Sekunden"), tr("Takte/min aktuell"), tr("Takte/min gemittelt")});
    barsPerAverageLabel->setText(tr("Takte für Takte/aktuell &berücksichtigen:"));
    startButton->setText(tr("&Click Me (Leertaste)"));
    evaluateButton->setText(tr("A&uswerten"));
    resetButton->setText(tr("&Zurücksetzen"));
    helpButton->setText(tr("H&ilfe"));
    clipboardCheck->setText(tr("In Zwischenablage &kopieren"));
    letButtonsShrinkToText({startButton, evaluateButton, resetButton, helpButton});
    showSteadiness();
    if (showsReadyPrompt())
        tapList->item(0)->setText(readyPrompt());
}

void CountBeatWindow::windowShown()
{
    // Keys reach the list whenever the window is shown.
    tapList->setFocus();
}

bool CountBeatWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != tapList && spaceFromElsewhere(watched, event))
        return true;
    if (watched == startButton && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Space) {
        // The space bar on the focused button taps through the list's key
        // lock: held, X11's auto-repeat would click the button again and again.
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (event->type() == QEvent::KeyPress)
            listKeyDown(key);
        else
            listKeyUp(key);
        return true;
    }
    if (watched != tapList)
        return EmbeddedForm::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Alt+C is a tap of the list's own, not the start button's mnemonic,
        // so the list keeps the focus and the key lock sees it.
        if (isAltC(static_cast<const QKeyEvent&>(*event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        // Tab and Backtab keep moving the focus between the controls.
        if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
            return false;
        listKeyDown(key);
        return true;
    }
    case QEvent::KeyRelease:
        listKeyUp(static_cast<const QKeyEvent&>(*event));
        return true;
    case QEvent::FocusIn:
        listEntered();
        break;
    case QEvent::FocusOut:
        // Another window taking the activation leaves the list the focused control.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            listLeft();
        break;
    default:
        break;
    }
    return false;
}

bool CountBeatWindow::spaceFromElsewhere(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    if (!watched->isWidgetType() || !isVisible())
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!isPlainSpace(key))
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    // Menus, popups and dialogs keep their own Space; so do text fields.
    if (widget->window() != window() || takesText(widget) || QApplication::activeModalWidget())
        return false;
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (type == QEvent::KeyPress)
        listKeyDown(key);
    else
        listKeyUp(key);
    return true;
}

static bool isModifierOnly(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

void CountBeatWindow::listKeyDown(const QKeyEvent& key)
{
    if (!keyReleased_ || key.isAutoRepeat()) {
        // A key still held: X11 repeats it as release-press pairs that Qt
        // mostly reports as real, so a press cancels the pending re-arm and
        // only a release with no press after it for 20 ms re-arms the taps.
        resetTimer->stop();
        return;
    }
    if (isModifierOnly(key))
        return; // the first half of a shortcut such as Ctrl+R or Alt+S, not a beat
    if (shiftState(key) == Qt::AltModifier && key.key() != Qt::Key_C)
        return; // a button's accelerator
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        evaluateClicked();
    else if (key.key() == Qt::Key_Escape)
        resetClicked();
    else
        tap();
    keyReleased_ = false;
}

void CountBeatWindow::listKeyUp(const QKeyEvent& key)
{
    // A release Qt recognised as auto-repeat is followed by a press at once.
    if (!key.isAutoRepeat())
        resetTimer->start();
}

void CountBeatWindow::resetTimerFired()
{
    keyReleased_ = true;
    resetTimer->stop();
}

void CountBeatWindow::listEntered()
{
    // A key that locked the taps and was released while a dialog had the
    // keyboard never reaches the list as a release; re-arm as for one.
    if (!keyReleased_)
        resetTimer->start();
    if (tapList->count() == 0)
        tapList->addItem(readyPrompt());
}

void CountBeatWindow::listLeft()
{
    if (showsReadyPrompt())
        tapList->clear();
}

QColor CountBeatWindow::rowColour(const QStringList& fields) const
{
    // Without a target tempo there is nothing to judge against: no colour.
    const bool noDance = state_.selection->noDance() || !state_.selection->tempoRange().valid();
    return toneColour(toneOfRow(fields, noDance));
}

QStringList CountBeatWindow::shownFields(const QStringList& fields) const
{
    // The judged figure is the average (the colour follows it too): its
    // verdict stands beside it, so that it reads without colour vision; the
    // stored range flag is not shown.
    if (fields.size() < 5)
        return fields;
    QStringList shown = fields.mid(0, 4);
    const TempoRange& range = state_.selection->tempoRange();
    bool isNumber = false;
    const double average = QString(fields.at(3)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&isNumber);
    if (!state_.selection->noDance() && range.valid() && isNumber)
        shown[3] += QStringLiteral("  ") + tempoVerdictMark(average, range.min, range.max);
    return shown;
}

void CountBeatWindow::startClicked()
{
    if (keyReleased_)
        tap();
}

void CountBeatWindow::tap()
{
    if (!series_.counting()) {
        series_.start();
        restartStopwatch();
        tapList->clear();
        tapList->addItem(TapSeries::FirstRow);
        showSteadiness();
        scrollToNewest();
        return;
    }
    const double seconds = stopwatchSeconds();
    // Two taps on one clock reading measure nothing; the next tap's interval
    // then runs from the earlier of them, so no time is lost.
    if (seconds <= 0)
        return;
    const TempoRange& range = state_.selection->tempoRange();
    const TapRow tap = series_.addInterval(seconds, barsPerAverageSpin->value(), range.min, range.max);
    if (tap.published)
        showAverageInSpeedConversion(tap.average);
    restartStopwatch();
    if (tap.relisted.isEmpty()) {
        tapList->addItem(tap.row);
    }
    else {
        tapList->clear();
        tapList->addItems(tap.relisted);
    }
    if (tap.published && copiesToClipboard())
        QGuiApplication::clipboard()->setText(tap.listedAverage);
    showSteadiness();
    scrollToNewest();
}

bool CountBeatWindow::copiesToClipboard() const
{
    return clipboardCheck->isChecked();
}

void CountBeatWindow::setCopiesToClipboard(bool copies)
{
    clipboardCheck->setChecked(copies);
}

void CountBeatWindow::showSteadiness()
{
    if (series_.tapCount() == 0) {
        spreadLabel->clear();
        return;
    }
    const std::optional<double> spread = series_.spread();
    const QString spreadText = spread ? QStringLiteral("± ") + formatFixed(*spread, 1, 7) : QStringLiteral("–");
    spreadLabel->setText(tr("Taktschläge: %1   Streuung: %2 Takte/min").arg(series_.tapCount()).arg(spreadText));
}

void CountBeatWindow::showAverageInSpeedConversion(double barsPerMinute)
{
    if (measured_)
        measured_->setBarsPerMinute(barsPerMinute);
}

void CountBeatWindow::scrollToNewest()
{
    tapList->setTopIndex(tapList->count() - tapList->height() / tapList->itemHeight() + 2);
}

double CountBeatWindow::stopwatchSeconds() const
{
    return double(state_.clock->nowNs() - stopwatchStartNs_) * 1e-9;
}

void CountBeatWindow::restartStopwatch()
{
    stopwatchStartNs_ = state_.clock->nowNs();
}

void CountBeatWindow::evaluateClicked()
{
    series_.stop();
    const DanceSelection& selection = *state_.selection;
    if (selection.type() < 0) {
        state_.messages->warning(QStringLiteral("Sie müssen zuerst einen Tanztyp auswählen"));
        return;
    }
    if ((selection.asksForDance() && selection.dance() < 0) || (selection.asksForRound() && selection.round() < 0)) {
        warn(tr("Sie müssen zuerst eine Startklasse bzw. einen Tanz auswählen"));
        return;
    }
    if (selection.typedTargetChosen())
        evaluateTypedTarget();
    else
        evaluateRuleTarget();
}

void CountBeatWindow::evaluateTypedTarget()
{
    const QString text = state_.selection->typedTarget().left(255);
    const std::optional<double> desired = text.isEmpty() ? std::nullopt : readNumber(text, state_.messages);
    if (!desired) {
        warn(tr("Geben Sie bitte eine korrekte Zahl ein"));
        return;
    }
    if (series_.totalSeconds() == 0) {
        noBarsEntered();
        return;
    }
    if (adaptFixSpeed_)
        adaptFixSpeed_->showFixedAdaptation(static_cast<float>(series_.averageTempo()), static_cast<float>(*desired));
    keepRowsAfterEvaluation();
}

void CountBeatWindow::evaluateRuleTarget()
{
    if (series_.totalSeconds() == 0) {
        noBarsEntered();
        return;
    }
    if (adaptSpeed_)
        adaptSpeed_->showRuleAdaptation(formatFixed(series_.averageTempo(), 1, 7));
    keepRowsAfterEvaluation();
}

void CountBeatWindow::keepRowsAfterEvaluation()
{
    // However the dialog was closed (Escape, its button), the measured rows
    // stay to be read; the series is stopped, so the next tap starts afresh
    // and Escape in the list clears them.
    tapList->setFocus();
}

void CountBeatWindow::noBarsEntered()
{
    warn(tr("Sie müssen vor dem Auswerten Taktschläge eingeben"));
    clearSeries();
    tapList->setFocus();
}

void CountBeatWindow::resetClicked()
{
    // Also a series of one tap: a stray tap is cleared, not built upon.
    if (series_.counting() || series_.totalSeconds() != 0)
        clearSeries();
    tapList->setFocus();
}

void CountBeatWindow::clearSeries()
{
    tapList->clear();
    series_.clear();
    showSteadiness();
}

void CountBeatWindow::barsPerAverageChanged()
{
    if (series_.counting())
        resetClicked();
}

void CountBeatWindow::warn(const QString& text)
{
    state_.messages->warning(text);
}
