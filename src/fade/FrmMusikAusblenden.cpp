#include "fade/FrmMusikAusblenden.h"
#include "common/HelpViewer.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "rules/DanceCatalogue.h"
#include "widgets/RadioGroup.h"
#include "rules/RuleTables.h"
#include "common/SoundPlayer.h"
#include "widgets/SystemBell.h"
#include "common/ThreadTimer.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kTickMs = 100;
// The status bar's last panel, its own: panel 3 belongs to the first couple of
// the three-couple fade window, and sharing it made it flicker between the clocks.
constexpr int RnRClockPanel = 6;

QStringList rundeItems()
{
    return {TFrmMusikAusblenden::tr("Beintechnik"), TFrmMusikAusblenden::tr("Akrobatik")};
}

QColor fromBgr(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QFont boldFont(const QFont& base, int pixelSize)
{
    QFont font = base;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

TFrmMusikAusblenden::TFrmMusikAusblenden(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FrmMusikAusblenden", QSize(545, 369), parent),
      Beep([&state] { PlayStandardBeep(state.sounds); }),
      // Created in tab order.
      GB_1(new QGroupBox(Panel1())),
      TimeEdit(new QLineEdit(QStringLiteral("0.0"), GB_1)),
      Label1(new QLabel(QStringLiteral("sec."), GB_1)),
      Start(new QPushButton(QStringLiteral("Start (&1)"), Panel1())),
      Reset(new QPushButton(Panel1())),
      LMDSimpleLabel4(new QLabel(Panel1())),
      ED_RestTakte(new QLineEdit(Panel1())),
      LMDGroupBox1(new QGroupBox(Panel1())),
      LMDGroupBox2(new QGroupBox(Panel1())),
      LMDGroupBox3(new QGroupBox(Panel1())),
      LB{new QLabel(LMDGroupBox3), new QLabel(LMDGroupBox2), new QLabel(LMDGroupBox2), new QLabel(LMDGroupBox2),
         new QLabel(LMDGroupBox2), new QLabel(LMDGroupBox2), new QLabel(LMDGroupBox1), new QLabel(LMDGroupBox1),
         new QLabel(LMDGroupBox1), new QLabel(LMDGroupBox1)},
      LMDSimpleLabel1(new QLabel(Panel1())),
      ED_Takte(new QLineEdit(QStringLiteral("0"), Panel1())),
      LMDSimpleLabel2(new QLabel(Panel1())),
      ED_Dauer(new QLineEdit(Panel1())),
      LMDSimpleLabel3(new QLabel(Panel1())),
      CB_Beep(new QCheckBox(Panel1())),
      RG_Klasse(new RadioGroup(QString(), Panel1())),
      RG_Runde(new RadioGroup(QString(), Panel1())),
      LB_Info(new QLabel(Panel1())),
      LB_Dance(new QLabel(Panel1())),
      BT_Help(new QPushButton(Panel1())),
      Timer(new TThreadTimer(this)),
      state_(state),
      fade_(*state.clock)
{
    placeControls();
    RG_Klasse->setItems(DanceCatalogue::DanceNames(Discipline::RnR));
    RG_Runde->setItems(rundeItems());
    RG_Runde->hide();
    LMDSimpleLabel1->setBuddy(ED_Takte);
    Timer->setInterval(kTickMs);
    Timer->OnTimer = [this](TThreadTimer*) { TimerTimer(); };

    connect(Start, &QPushButton::clicked, this, &TFrmMusikAusblenden::Start1Click);
    connect(Reset, &QPushButton::clicked, this, &TFrmMusikAusblenden::ResetClick);
    connect(BT_Help, &QPushButton::clicked, this, &TFrmMusikAusblenden::BT_HelpClick);
    connect(RG_Klasse, &RadioGroup::itemChanged, this, &TFrmMusikAusblenden::RG_KlasseChange);
    connect(RG_Runde, &RadioGroup::itemChanged, this, &TFrmMusikAusblenden::RG_RundeChange);
    connect(ED_Takte, &QLineEdit::editingFinished, this, &TFrmMusikAusblenden::ED_TakteExit);
    connect(TimeEdit, &QLineEdit::textChanged, this, &TFrmMusikAusblenden::TimeEditChange);

    applyLanguage();
}

void TFrmMusikAusblenden::placeControls()
{
    // Light texts on the blue panel; the edit fields keep their own colours.
    setTextColour(Panel1(), Qt::white);

    LB_Info->setObjectName("LB_Info");
    // Two small lines hold the longest source line of the delivered tables.
    LB_Info->setGeometry(12, 1, 521, 27);
    LB_Info->setWordWrap(true);
    LB_Info->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont infoFont = LB_Info->font();
    infoFont.setPixelSize(11);
    LB_Info->setFont(infoFont);

    GB_1->setObjectName("GB_1");
    GB_1->setGeometry(12, 28, 246, 68);
    TimeEdit->setObjectName("TimeEdit");
    TimeEdit->setGeometry(12, 22, 150, 36);
    TimeEdit->setReadOnly(true);
    TimeEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TimeEdit->setFont(boldFont(font(), 24));
    TimeEdit->setFocusPolicy(Qt::NoFocus);
    Label1->setObjectName("Label1");
    Label1->setGeometry(170, 30, 60, 22);

    Start->setObjectName("Start");
    Start->setGeometry(12, 104, 120, 30);
    Reset->setObjectName("Reset");
    Reset->setGeometry(138, 104, 120, 30);

    const auto placeRow = [](QLabel* label, QLineEdit* edit, int top) {
        label->setGeometry(12, top + 3, 140, 20);
        edit->setGeometry(156, top, 60, 26);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    LMDSimpleLabel1->setObjectName("LMDSimpleLabel1");
    ED_Takte->setObjectName("ED_Takte");
    placeRow(LMDSimpleLabel1, ED_Takte, 144);
    LMDSimpleLabel2->setObjectName("LMDSimpleLabel2");
    ED_Dauer->setObjectName("ED_Dauer");
    placeRow(LMDSimpleLabel2, ED_Dauer, 174);
    ED_Dauer->setReadOnly(true);
    ED_Dauer->setEnabled(false);
    LMDSimpleLabel3->setObjectName("LMDSimpleLabel3");
    LMDSimpleLabel3->setGeometry(222, 177, 40, 20);
    LMDSimpleLabel4->setObjectName("LMDSimpleLabel4");
    ED_RestTakte->setObjectName("ED_RestTakte");
    placeRow(LMDSimpleLabel4, ED_RestTakte, 204);
    ED_RestTakte->setReadOnly(true);
    ED_RestTakte->setEnabled(false);
    CB_Beep->setObjectName("CB_Beep");
    CB_Beep->setGeometry(12, 234, 246, 22);

    RG_Klasse->setObjectName("RG_Klasse");
    RG_Klasse->setGeometry(274, 28, 118, 186);
    RG_Runde->setObjectName("RG_Runde");
    RG_Runde->setGeometry(398, 28, 135, 78);
    BT_Help->setObjectName("BT_Help");
    BT_Help->setGeometry(414, 184, 119, 30);
    LB_Dance->setObjectName("LB_Dance");
    LB_Dance->setGeometry(274, 220, 259, 36);
    LB_Dance->setWordWrap(true);
    LB_Dance->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Timer->setObjectName("Timer");

    placeDigits();
}

void TFrmMusikAusblenden::placeDigits()
{
    constexpr int top = 262;
    constexpr int height = 98;
    constexpr int digitWidth = 46;
    constexpr int margin = 8;
    const auto placeGroup = [&](QGroupBox* group, const char* name, int left, int digits) {
        group->setObjectName(name);
        group->setGeometry(left, top, digits * digitWidth + 2 * margin, height);
        // Mid grey: the one ground on which the pale and the dark digit colours all read.
        QPalette palette = group->palette();
        palette.setColor(QPalette::Window, QColor(128, 128, 128));
        palette.setColor(QPalette::WindowText, Qt::white);
        group->setPalette(palette);
        group->setAutoFillBackground(true);
    };
    placeGroup(LMDGroupBox1, "LMDGroupBox1", 12, 4);
    placeGroup(LMDGroupBox2, "LMDGroupBox2", 12 + 4 * digitWidth + 2 * margin + 4, 5);
    placeGroup(LMDGroupBox3, "LMDGroupBox3", 533 - digitWidth - 2 * margin, 1);

    for (int digit = 0; digit < int(LB.size()); ++digit) {
        QLabel* label = LB[size_t(digit)];
        label->setObjectName(QStringLiteral("LB%1").arg(digit));
        label->setText(QString::number(digit));
        label->setFont(boldFont(font(), 64));
        label->setAlignment(Qt::AlignCenter);
        // Digits run from the highest on the left within each group.
        const int highestInGroup = digit >= 6 ? 9 : digit >= 1 ? 5 : 0;
        label->setGeometry(margin + (highestInGroup - digit) * digitWidth, 18, digitWidth, height - 22);
        showDigit(digit, false);
    }
}

void TFrmMusikAusblenden::applyLanguage()
{
    // The rule tables have just been reloaded in the new language.
    LB_Info->setText(state_.rules->table(Discipline::RnR).Source);
    GB_1->setTitle(QStringLiteral("&Zeit"));
    Reset->setText(tr("Zurücksetzen (&2)"));
    LMDSimpleLabel4->setText(tr("Verbleibende Takte:"));
    LMDGroupBox1->setTitle(tr("Turniermusik"));
    LMDGroupBox2->setTitle(tr("gleichmäßig ausblenden"));
    LMDGroupBox3->setTitle(tr("Ende"));
    LMDSimpleLabel1->setText(tr("Takte &pro Minute:"));
    LMDSimpleLabel2->setText(tr("Dauer:"));
    LMDSimpleLabel3->setText(tr("Sek."));
    CB_Beep->setText(tr("Akustisches &Signal"));
    RG_Klasse->setTitle(tr("&Klasse"));
    const QStringList klassen = DanceCatalogue::DanceNames(Discipline::RnR);
    for (int item = 0; item < klassen.size(); ++item)
        RG_Klasse->setItemText(item, klassen[item]);
    RG_Runde->setTitle(tr("R&unde"));
    const QStringList runden = rundeItems();
    for (int item = 0; item < runden.size(); ++item)
        RG_Runde->setItemText(item, runden[item]);
    BT_Help->setText(tr("H&ilfe"));
    showDanceInUse();
}

void TFrmMusikAusblenden::FormShow()
{
    LB_Info->setText(state_.rules->table(Discipline::RnR).Source);
    // Class, round and tempo stay as they are under a running clock.
    if (running())
        return;
    RG_Runde->hide();
    if (state_.SavedTypIndex != int(Discipline::RnR)) {
        RG_Klasse->setItemIndex(-1);
        RG_Runde->setItemIndex(-1);
        return;
    }
    RG_Klasse->setItemIndex(std::min(state_.SavedTanzIndex, RG_Klasse->count() - 1));
    RG_KlasseChange();
    RG_Runde->setItemIndex(std::min(state_.SavedRundeIndex, RG_Runde->count() - 1));
    RG_RundeChange();
}

void TFrmMusikAusblenden::RG_KlasseChange()
{
    const int klasse = RG_Klasse->itemIndex();
    if (DanceCatalogue::HasFootTechniqueRounds(klasse)) {
        RG_Runde->show();
        clearDance();
    }
    else if (klasse >= 0) {
        RG_Runde->hide();
        LookUpRule();
    }
    RG_Runde->setItemIndex(-1);
    state_.SavedTypIndex = int(Discipline::RnR);
    state_.SavedTanzIndex = klasse;
}

void TFrmMusikAusblenden::RG_RundeChange()
{
    LookUpRule();
    state_.SavedTypIndex = int(Discipline::RnR);
    state_.SavedRundeIndex = RG_Runde->itemIndex();
}

void TFrmMusikAusblenden::LookUpRule()
{
    if (RG_Klasse->itemIndex() >= 0) {
        if (DanceCatalogue::HasFootTechniqueRounds(RG_Klasse->itemIndex()) && RG_Runde->itemIndex() < 0) {
            clearDance();
            return;
        }
        // No row of the chosen class: nothing to count, rather than the
        // tempo of some other class.
        const RuleRow* row = chosenRuleRow();
        if (!row) {
            clearDance();
            return;
        }
        tempoText_ = row->BarsPerMin;
        state_.CurrentDanceTimeText = row->DanceTime;
        danceKlasse_ = RG_Klasse->itemIndex();
        danceRunde_ = DanceCatalogue::HasFootTechniqueRounds(danceKlasse_) ? RG_Runde->itemIndex() : -1;
        showDanceInUse();
    }
    showDance(state_.CurrentDanceTimeText);
}

const RuleRow* TFrmMusikAusblenden::chosenRuleRow() const
{
    // Of a class's rounds only foot technique and acrobatics differ in their
    // music; the other classes count with their final's row. The rounds are
    // looked up by the catalogue's keys, not by the captions ("Beintechnik").
    std::optional<QString> round;
    if (DanceCatalogue::HasFootTechniqueRounds(RG_Klasse->itemIndex()))
        round = DanceCatalogue::RoundNames(Discipline::RnR, RG_Klasse->itemIndex()).value(RG_Runde->itemIndex());
    const RuleTables& rules = *state_.rules;
    const auto index = rules.FindLastRow(Discipline::RnR, RG_Klasse->currentText(), round);
    return index ? &rules.table(Discipline::RnR).Rows[size_t(*index)] : nullptr;
}

void TFrmMusikAusblenden::showDance(const QString& danceTimeText)
{
    ED_Takte->setText(TempoFieldText(tempoText_, *state_.messages));
    const auto seconds = DanceSeconds(danceTimeText);
    fade_.setDurationSeconds(seconds.value_or(0));
    if (!seconds) {
        ED_Dauer->clear();
        ED_RestTakte->clear();
        if (!danceTimeText.isEmpty())
            state_.messages->warning(tr("Ungültige Tanzzeit in den Regeldaten: '%1'").arg(danceTimeText));
        return;
    }
    ED_Dauer->setText(QString::number(*seconds));
    // No tempo yet: nothing to count and nothing to complain about.
    if (ED_Takte->text().isEmpty())
        ED_RestTakte->clear();
    else
        takeTempo();
}

void TFrmMusikAusblenden::clearDance()
{
    ED_Takte->clear();
    ED_Dauer->clear();
    ED_RestTakte->clear();
    fade_.setDurationSeconds(0);
    danceKlasse_ = danceRunde_ = -1;
    showDanceInUse();
}

void TFrmMusikAusblenden::showDanceInUse()
{
    QString dance = DanceCatalogue::DanceNames(Discipline::RnR).value(danceKlasse_);
    if (danceRunde_ >= 0)
        dance += QStringLiteral(", ") + rundeItems().value(danceRunde_);
    LB_Dance->setText(dance.isEmpty() ? QString() : tr("Uhr für: %1").arg(dance));
}

bool TFrmMusikAusblenden::takeTempo()
{
    fade_.setBarsPerMinute(TextToNumber(ED_Takte->text(), *state_.messages));
    if (showBarCount())
        return true;
    state_.messages->warning(tr("Sie müssen eine gültige ganzzahlige Taktzahl angeben"));
    return false;
}

bool TFrmMusikAusblenden::showBarCount()
{
    const auto bars = fade_.bars();
    ED_RestTakte->setText(bars ? QString::number(*bars) : QString());
    return bars.has_value();
}

void TFrmMusikAusblenden::ED_TakteExit()
{
    if (!ED_Takte->text().isEmpty())
        takeTypedTempo();
}

bool TFrmMusikAusblenden::takeTypedTempo()
{
    ED_Takte->setModified(false);
    tempoText_ = ED_Takte->text();
    // Without a dancing time there is no bar count to work out yet.
    return !ED_Dauer->text().isEmpty() && takeTempo();
}

void TFrmMusikAusblenden::Start1Click()
{
    if (running()) {
        stopClock();
        return;
    }
    if (ED_Dauer->text().isEmpty() || ED_Takte->text().isEmpty()) {
        state_.messages->warning(tr("Sie müssen zuerst einen Tanz auswählen"));
        return;
    }
    // A tempo typed but not taken yet, as when Alt+1 is pressed in the field.
    if (ED_Takte->isModified()) {
        if (!takeTypedTempo())
            return;
    }
    else if (!fade_.bars()) {
        state_.messages->warning(tr("Sie müssen eine gültige ganzzahlige Taktzahl angeben"));
        return;
    }
    // The next round after a countdown that ran out counts down from its start.
    if (fade_.ended())
        backToZero();
    startClock();
}

void TFrmMusikAusblenden::startClock()
{
    fade_.start();
    Start->setText(QStringLiteral("Stop (&1)"));
    Timer->setEnabled(true);
    lockSelection(true);
}

void TFrmMusikAusblenden::stopClock()
{
    fade_.stop();
    Start->setText(QStringLiteral("Start (&1)"));
    Timer->setEnabled(false);
    lockSelection(false);
}

void TFrmMusikAusblenden::lockSelection(bool locked)
{
    RG_Klasse->setEnabled(!locked);
    RG_Runde->setEnabled(!locked);
    ED_Takte->setEnabled(!locked);
}

void TFrmMusikAusblenden::TimerTimer()
{
    const FadeCountdown::Tick tick = fade_.tick();
    // Always seconds, whatever the program's time format.
    TimeEdit->setText(SecondsText(tick.elapsedMs));
    if (tick.timeUp)
        Start1Click();
    ED_RestTakte->setText(QString::number(tick.remainingBars));
    if (!tick.digit)
        return;
    if (tick.digit->restored >= 0)
        showDigit(tick.digit->restored, false);
    showDigit(tick.digit->lit, true);
    if (CB_Beep->isChecked())
        Beep();
}

void TFrmMusikAusblenden::showDigit(int digit, bool lit)
{
    setTextColour(LB[size_t(digit)], fromBgr(lit ? LitDigitColour(digit) : DigitColour(digit)));
}

void TFrmMusikAusblenden::ResetClick()
{
    if (fade_.atZero())
        return;
    stopClock();
    backToZero();
}

void TFrmMusikAusblenden::backToZero()
{
    fade_.reset();
    showBarCount();
    for (int digit = 0; digit < int(LB.size()); ++digit)
        showDigit(digit, false);
    TimeEdit->setText(SecondsText(0));
}

void TFrmMusikAusblenden::TimeEditChange()
{
    emit statusTextChanged(RnRClockPanel, tr("Zeit: ") + TimeEdit->text());
}

void TFrmMusikAusblenden::BT_HelpClick()
{
    ShowToolHelp(state_, language(), tr("Rock'n'Roll ausblenden"), QStringLiteral("RnRAusblendenHelp.rtf"));
}
