#include "tempo/FrmMusikAuszaehlen.h"
#include "common/Clock.h"
#include "widgets/DelimitedListBox.h"
#include "tempo/FrmAdaptFixSpeed.h"
#include "tempo/FrmAdaptSpeed.h"
#include "tempo/FrmGeschwindigkeitsumrechnung.h"
#include "common/HelpViewer.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "widgets/RoundedFrame.h"
#include "tempo/SpeedConversion.h"
#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

Qt::KeyboardModifiers shiftState(const QKeyEvent& key)
{
    return key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool isAltC(const QKeyEvent& key)
{
    return shiftState(key) == Qt::AltModifier && key.key() == Qt::Key_C;
}

} // namespace

TFrmMusikAuszaehlen::TFrmMusikAuszaehlen(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmMusikAuszaehlen", QSize(545, 369), parent),
      state_(state)
{
    createControls();
    applyLanguage();
}

void TFrmMusikAuszaehlen::createControls()
{
    QFrame* panel = Panel1();
    auto* shape = new RoundedFrame(5, panel);
    shape->setGeometry(20, 8, 505, 353);

    List = new DelimitedListBox(panel);
    List->setObjectName("List");
    List->setGeometry(42, 20, 460, 212);
    List->setSections({110, 110, 109, 109});
    List->setHeaderHeight(17);
    List->setItemHeight(16);
    List->setRowColour([this](const QStringList& fields) { return rowColour(fields); });
    List->installEventFilter(this);

    Label2 = new QLabel(QStringLiteral("Anzahl Takte für Mittelwertbildung:"), panel);
    Label2->setGeometry(42, 262, 320, 18);
    Label1 = new QLabel(panel);
    Label1->setGeometry(42, 286, 310, 20);
    SE_TakteAktuell = new QSpinBox(panel);
    SE_TakteAktuell->setObjectName("SE_TakteAktuell");
    SE_TakteAktuell->setGeometry(360, 283, 50, 26);
    SE_TakteAktuell->setRange(1, TapSeries::MaxWindow);
    SE_TakteAktuell->setValue(5);
    Label1->setBuddy(SE_TakteAktuell);

    LB_Streuung = new QLabel(panel);
    LB_Streuung->setObjectName("LB_Streuung");
    LB_Streuung->setGeometry(42, 234, 460, 18);
    LB_Streuung->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CB_Zwischenablage = new QCheckBox(panel);
    CB_Zwischenablage->setObjectName("CB_Zwischenablage");
    CB_Zwischenablage->setGeometry(300, 259, 202, 22);
    CB_Zwischenablage->setChecked(true);
    // Ticking it with the mouse leaves the keys with the list.
    CB_Zwischenablage->setFocusPolicy(Qt::NoFocus);

    auto addButton = [panel](const QRect& geometry, const char* name) {
        auto* button = new QPushButton(panel);
        button->setObjectName(name);
        button->setGeometry(geometry);
        return button;
    };
    BT_Start = addButton(QRect(42, 320, 170, 30), "BT_Start");
    BT_Evaluate = addButton(QRect(222, 320, 90, 30), "BT_Evaluate");
    BT_Reset = addButton(QRect(322, 320, 90, 30), "BT_Reset");
    BT_Help = addButton(QRect(422, 320, 80, 30), "BT_Help");

    ResetTimer = new QTimer(this);
    ResetTimer->setInterval(20);

    BT_Start->installEventFilter(this);
    connect(BT_Start, &QPushButton::clicked, this, &TFrmMusikAuszaehlen::BT_StartClick);
    connect(BT_Evaluate, &QPushButton::clicked, this, &TFrmMusikAuszaehlen::BT_EvaluateClick);
    connect(BT_Reset, &QPushButton::clicked, this, &TFrmMusikAuszaehlen::BT_ResetClick);
    connect(BT_Help, &QPushButton::clicked, this, &TFrmMusikAuszaehlen::BT_HelpClick);
    connect(ResetTimer, &QTimer::timeout, this, &TFrmMusikAuszaehlen::ResetTimerTimer);
    connect(SE_TakteAktuell, &QSpinBox::valueChanged, this, &TFrmMusikAuszaehlen::SE_TakteAktuellChange);
}

namespace {
const char* const ReadyPromptText = QT_TRANSLATE_NOOP("TFrmMusikAuszaehlen", "Bereit zum Auszählen");
} // namespace

QString TFrmMusikAuszaehlen::ReadyPrompt()
{
    return tr(ReadyPromptText);
}

// In either language, so that a language switch finds the prompt to replace.
bool TFrmMusikAuszaehlen::showsReadyPrompt() const
{
    if (List->count() == 0)
        return false;
    const QString first = List->item(0)->text();
    return first == TextIn(Language::German, "TFrmMusikAuszaehlen", ReadyPromptText) ||
           first == TextIn(Language::English, "TFrmMusikAuszaehlen", ReadyPromptText);
}

void TFrmMusikAuszaehlen::applyLanguage()
{
    List->setSectionTexts(
        {tr("Anzahl Takte"), tr("Dauer in Sekunden"), tr("Takte/min aktuell"), tr("Takte/min gemittelt")});
    Label1->setText(tr("Takte für Takte/aktuell &berücksichtigen:"));
    BT_Start->setText(tr("&Click Me (Leertaste)"));
    BT_Evaluate->setText(tr("A&uswerten"));
    BT_Reset->setText(tr("&Zurücksetzen"));
    BT_Help->setText(tr("H&ilfe"));
    CB_Zwischenablage->setText(tr("In Zwischenablage &kopieren"));
    showSteadiness();
    if (showsReadyPrompt())
        List->item(0)->setText(ReadyPrompt());
}

void TFrmMusikAuszaehlen::FormShow()
{
    // Keys reach the list whenever the window is shown.
    List->setFocus();
}

bool TFrmMusikAuszaehlen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == BT_Start && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Space) {
        // The space bar on the focused button taps through the list's key
        // lock: held, X11's auto-repeat would click the button again and again.
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (event->type() == QEvent::KeyPress)
            ListKeyDown(key);
        else
            ListKeyUp(key);
        return true;
    }
    if (watched != List)
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
        ListKeyDown(key);
        return true;
    }
    case QEvent::KeyRelease:
        ListKeyUp(static_cast<const QKeyEvent&>(*event));
        return true;
    case QEvent::FocusIn:
        ListEnter();
        break;
    case QEvent::FocusOut:
        // Another window taking the activation leaves the list the focused control.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            ListExit();
        break;
    default:
        break;
    }
    return false;
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

void TFrmMusikAuszaehlen::ListKeyDown(const QKeyEvent& key)
{
    if (!KeyReleased || key.isAutoRepeat()) {
        // A key still held: X11 repeats it as release-press pairs that Qt
        // mostly reports as real, so a press cancels the pending re-arm and
        // only a release with no press after it for 20 ms re-arms the taps.
        ResetTimer->stop();
        return;
    }
    if (isModifierOnly(key))
        return; // the first half of a shortcut such as Ctrl+R or Alt+S, not a beat
    if (shiftState(key) == Qt::AltModifier && key.key() != Qt::Key_C)
        return; // a button's accelerator
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        BT_EvaluateClick();
    else if (key.key() == Qt::Key_Escape)
        BT_ResetClick();
    else
        Tap();
    KeyReleased = false;
}

void TFrmMusikAuszaehlen::ListKeyUp(const QKeyEvent& key)
{
    // A release Qt recognised as auto-repeat is followed by a press at once.
    if (!key.isAutoRepeat())
        ResetTimer->start();
}

void TFrmMusikAuszaehlen::ResetTimerTimer()
{
    KeyReleased = true;
    ResetTimer->stop();
}

void TFrmMusikAuszaehlen::ListEnter()
{
    // A key that locked the taps and was released while a dialog had the
    // keyboard never reaches the list as a release; re-arm as for one.
    if (!KeyReleased)
        ResetTimer->start();
    if (List->count() == 0)
        List->addItem(ReadyPrompt());
}

void TFrmMusikAuszaehlen::ListExit()
{
    if (showsReadyPrompt())
        List->clear();
}

QColor TFrmMusikAuszaehlen::rowColour(const QStringList& fields) const
{
    // Without a target tempo there is nothing to judge against: no colour.
    const bool noDance = state_.selection->noDance() || !state_.hasTargetTempo();
    return ToneColour(ToneOfRow(fields, noDance));
}

void TFrmMusikAuszaehlen::BT_StartClick()
{
    if (KeyReleased)
        Tap();
}

void TFrmMusikAuszaehlen::Tap()
{
    if (!series_.counting()) {
        series_.start();
        restartStopwatch();
        List->clear();
        List->addItem(TapSeries::FirstRow);
        showSteadiness();
        scrollToNewest();
        return;
    }
    const double seconds = stopwatchSeconds();
    // Two taps on one clock reading measure nothing; the next tap's interval
    // then runs from the earlier of them, so no time is lost.
    if (seconds <= 0)
        return;
    const TapRow tap = series_.addInterval(seconds, SE_TakteAktuell->value(), state_.TempoMin, state_.TempoMax);
    if (tap.published)
        showAverageInSpeedConversion(tap.roundedAverage);
    restartStopwatch();
    if (tap.relisted.isEmpty()) {
        List->addItem(tap.row);
    }
    else {
        List->clear();
        List->addItems(tap.relisted);
    }
    if (tap.published && copiesToClipboard())
        QGuiApplication::clipboard()->setText(tap.listedAverage);
    showSteadiness();
    scrollToNewest();
}

bool TFrmMusikAuszaehlen::copiesToClipboard() const
{
    return CB_Zwischenablage->isChecked();
}

void TFrmMusikAuszaehlen::setCopiesToClipboard(bool copies)
{
    CB_Zwischenablage->setChecked(copies);
}

void TFrmMusikAuszaehlen::showSteadiness()
{
    if (series_.tapCount() == 0) {
        LB_Streuung->clear();
        return;
    }
    const std::optional<double> spread = series_.spread();
    const QString spreadText = spread ? QStringLiteral("± ") + FormatFixed(*spread, 1, 7) : QStringLiteral("–");
    LB_Streuung->setText(tr("Taktschläge: %1   Streuung: %2 Takte/min").arg(series_.tapCount()).arg(spreadText));
}

void TFrmMusikAuszaehlen::showAverageInSpeedConversion(const QString& text)
{
    if (speedConversion_)
        speedConversion_->ED_Ist->setText(text);
}

void TFrmMusikAuszaehlen::scrollToNewest()
{
    List->setTopIndex(List->count() - List->height() / List->itemHeight() + 2);
}

double TFrmMusikAuszaehlen::stopwatchSeconds() const
{
    return double(state_.clock->nowNs() - stopwatchStartNs_) * 1e-9;
}

void TFrmMusikAuszaehlen::restartStopwatch()
{
    stopwatchStartNs_ = state_.clock->nowNs();
}

void TFrmMusikAuszaehlen::BT_EvaluateClick()
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

void TFrmMusikAuszaehlen::evaluateTypedTarget()
{
    const QString text = state_.selection->typedTarget().left(255);
    const std::optional<double> desired = text.isEmpty() ? std::nullopt : ReadNumber(text, state_.messages);
    if (!desired) {
        warn(tr("Geben Sie bitte eine korrekte Zahl ein"));
        return;
    }
    if (series_.totalSeconds() == 0) {
        noBarsEntered();
        return;
    }
    if (adaptFixSpeed_)
        adaptFixSpeed_->ShowFixedAdaptation(static_cast<float>(series_.averageTempo()), static_cast<float>(*desired));
    BT_ResetClick();
}

void TFrmMusikAuszaehlen::evaluateRuleTarget()
{
    if (series_.totalSeconds() == 0) {
        noBarsEntered();
        return;
    }
    if (adaptSpeed_)
        adaptSpeed_->ShowRuleAdaptation(FormatFixed(series_.averageTempo(), 1, 7));
    BT_ResetClick();
}

void TFrmMusikAuszaehlen::noBarsEntered()
{
    warn(tr("Sie müssen vor dem Auswerten Taktschläge eingeben"));
    clearSeries();
    List->setFocus();
}

void TFrmMusikAuszaehlen::BT_ResetClick()
{
    // Also a series of one tap: a stray tap is cleared, not built upon.
    if (series_.counting() || series_.totalSeconds() != 0)
        clearSeries();
    List->setFocus();
}

void TFrmMusikAuszaehlen::clearSeries()
{
    List->clear();
    series_.clear();
    showSteadiness();
}

void TFrmMusikAuszaehlen::SE_TakteAktuellChange()
{
    if (series_.counting())
        BT_ResetClick();
}

void TFrmMusikAuszaehlen::BT_HelpClick()
{
    ShowToolHelp(state_, language(), tr("Musik auszählen"), QStringLiteral("MusikauszaehlenHelp.rtf"));
}

void TFrmMusikAuszaehlen::warn(const QString& text)
{
    state_.messages->warning(text);
}
