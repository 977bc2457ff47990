#include "fade/FadeRockNRollWindow.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "rules/DanceCatalogue.h"
#include "widgets/ElidedLabel.h"
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

QStringList roundItems()
{
    return {FadeRockNRollWindow::tr("Beintechnik"), FadeRockNRollWindow::tr("Akrobatik")};
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

FadeRockNRollWindow::FadeRockNRollWindow(ProgramState& state, QWidget* parent)
    : EmbeddedForm("FadeRockNRollWindow", QSize(545, 369), parent),
      beep([&state] { playStandardBeep(state.sounds); }),
      // Created in tab order.
      timeGroup(new QGroupBox(panel())),
      timeEdit(new QLineEdit(QStringLiteral("0.0"), timeGroup)),
      timeUnitLabel(new QLabel(QStringLiteral("sec."), timeGroup)),
      startButton(new QPushButton(QStringLiteral("Start (&1)"), panel())),
      resetButton(new QPushButton(panel())),
      remainingBarsLabel(new QLabel(panel())),
      remainingBarsEdit(new QLineEdit(panel())),
      lastFourGroup(new QGroupBox(panel())),
      fiveToEightGroup(new QGroupBox(panel())),
      ninthGroup(new QGroupBox(panel())),
      digitLabels{new QLabel(ninthGroup),       new QLabel(fiveToEightGroup), new QLabel(fiveToEightGroup),
                  new QLabel(fiveToEightGroup), new QLabel(fiveToEightGroup), new QLabel(fiveToEightGroup),
                  new QLabel(lastFourGroup),    new QLabel(lastFourGroup),    new QLabel(lastFourGroup),
                  new QLabel(lastFourGroup)},
      barsLabel(new QLabel(panel())),
      barsEdit(new QLineEdit(QStringLiteral("0"), panel())),
      durationLabel(new QLabel(panel())),
      durationEdit(new QLineEdit(panel())),
      secondsLabel(new QLabel(panel())),
      beepCheck(new QCheckBox(panel())),
      followCheck(new QCheckBox(panel())),
      classGroup(new RadioGroup(QString(), panel())),
      roundGroup(new RadioGroup(QString(), panel())),
      infoLabel(new QLabel(panel())),
      danceLabel(new ElidedLabel(panel())),
      helpButton(new QPushButton(panel())),
      clockTimer(new ThreadTimer(this)),
      state_(state),
      time_(*state.clock, state.playingHeat),
      fade_(time_)
{
    placeControls();
    classGroup->setItems(DanceCatalogue::danceNames(Discipline::RnR));
    roundGroup->setItems(roundItems());
    roundGroup->hide();
    barsLabel->setBuddy(barsEdit);
    clockTimer->setInterval(kTickMs);
    clockTimer->onTimer = [this](ThreadTimer*) { clockTimerFired(); };

    followCheck->setChecked(time_.following());
    connect(followCheck, &QCheckBox::toggled, &time_, &PlayerTime::setFollowing);
    connect(&time_, &PlayerTime::heatBegun, this, &FadeRockNRollWindow::heatBegun);
    connect(&time_, &PlayerTime::heatEnding, this, &FadeRockNRollWindow::heatEnding);

    connect(startButton, &QPushButton::clicked, this, &FadeRockNRollWindow::startClicked);
    connect(resetButton, &QPushButton::clicked, this, &FadeRockNRollWindow::resetClicked);
    connect(helpButton, &QPushButton::clicked, this, &EmbeddedForm::helpRequested);
    connect(classGroup, &RadioGroup::itemChanged, this, &FadeRockNRollWindow::classChanged);
    connect(roundGroup, &RadioGroup::itemChanged, this, &FadeRockNRollWindow::roundChanged);
    connect(barsEdit, &QLineEdit::editingFinished, this, &FadeRockNRollWindow::barsEdited);
    connect(timeEdit, &QLineEdit::textChanged, this, &FadeRockNRollWindow::timeEditChanged);

    applyLanguage();
}

void FadeRockNRollWindow::placeControls()
{
    // Light texts on the blue panel; the edit fields keep their own colours.
    setTextColour(panel(), Qt::white);

    infoLabel->setObjectName("infoLabel");
    // Two small lines hold the longest source line of the delivered tables.
    infoLabel->setGeometry(12, 1, 521, 27);
    infoLabel->setWordWrap(true);
    infoLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont infoFont = infoLabel->font();
    infoFont.setPixelSize(11);
    infoLabel->setFont(infoFont);

    timeGroup->setObjectName("timeGroup");
    timeGroup->setGeometry(12, 28, 246, 68);
    timeEdit->setObjectName("TimeEdit");
    timeEdit->setGeometry(12, 22, 150, 36);
    timeEdit->setReadOnly(true);
    timeEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    timeEdit->setFont(boldFont(font(), 24));
    timeEdit->setFocusPolicy(Qt::NoFocus);
    timeUnitLabel->setObjectName("timeUnitLabel");
    timeUnitLabel->setGeometry(170, 30, 60, 22);

    startButton->setObjectName("Start");
    startButton->setGeometry(12, 104, 100, 30);
    resetButton->setObjectName("Reset");
    resetButton->setGeometry(118, 104, 140, 30);

    const auto placeRow = [](QLabel* label, QLineEdit* edit, int top) {
        label->setGeometry(12, top + 3, 150, 20);
        edit->setGeometry(166, top, 56, 26);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    barsLabel->setObjectName("barsLabel");
    barsEdit->setObjectName("barsEdit");
    placeRow(barsLabel, barsEdit, 144);
    durationLabel->setObjectName("durationLabel");
    durationEdit->setObjectName("durationEdit");
    placeRow(durationLabel, durationEdit, 174);
    durationEdit->setReadOnly(true);
    durationEdit->setEnabled(false);
    secondsLabel->setObjectName("secondsLabel");
    secondsLabel->setGeometry(226, 177, 44, 20);
    remainingBarsLabel->setObjectName("remainingBarsLabel");
    remainingBarsEdit->setObjectName("remainingBarsEdit");
    placeRow(remainingBarsLabel, remainingBarsEdit, 204);
    remainingBarsEdit->setReadOnly(true);
    remainingBarsEdit->setEnabled(false);
    beepCheck->setObjectName("beepCheck");
    beepCheck->setGeometry(12, 234, 246, 22);
    followCheck->setObjectName("followCheck");
    followCheck->setGeometry(274, 218, 259, 22);

    classGroup->setObjectName("classGroup");
    classGroup->setGeometry(274, 28, 118, 186);
    roundGroup->setObjectName("roundGroup");
    roundGroup->setGeometry(398, 28, 135, 78);
    helpButton->setObjectName("helpButton");
    helpButton->setGeometry(414, 184, 119, 30);
    danceLabel->setObjectName("danceLabel");
    danceLabel->setGeometry(274, 241, 259, 20);
    danceLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    clockTimer->setObjectName("Timer");

    placeDigits();
}

void FadeRockNRollWindow::placeDigits()
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
    placeGroup(lastFourGroup, "lastFourGroup", 12, 4);
    placeGroup(fiveToEightGroup, "fiveToEightGroup", 12 + 4 * digitWidth + 2 * margin + 4, 5);
    placeGroup(ninthGroup, "ninthGroup", 533 - digitWidth - 2 * margin, 1);

    for (int digit = 0; digit < int(digitLabels.size()); ++digit) {
        QLabel* label = digitLabels[size_t(digit)];
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

void FadeRockNRollWindow::applyLanguage()
{
    // The rule tables have just been reloaded in the new language.
    infoLabel->setText(state_.rules->table(Discipline::RnR).source);
    timeGroup->setTitle(tr("&Zeit"));
    resetButton->setText(tr("Zurücksetzen (&2)"));
    remainingBarsLabel->setText(tr("Verbleibende Takte:"));
    lastFourGroup->setTitle(tr("Turniermusik"));
    fiveToEightGroup->setTitle(tr("gleichmäßig ausblenden"));
    ninthGroup->setTitle(tr("Ende"));
    barsLabel->setText(tr("Takte &pro Minute:"));
    durationLabel->setText(tr("Dauer:"));
    secondsLabel->setText(tr("Sek."));
    beepCheck->setText(tr("Akustisches &Signal"));
    followCheck->setText(tr("Dem Player &folgen"));
    followCheck->setToolTip(tr("Die Uhr läuft mit der Musik des Players und zählt die Zeit, die der Saal hört"));
    classGroup->setTitle(tr("&Klasse"));
    const QStringList classes = DanceCatalogue::danceNames(Discipline::RnR);
    for (int item = 0; item < classes.size(); ++item)
        classGroup->setItemText(item, classes[item]);
    roundGroup->setTitle(tr("R&unde"));
    const QStringList rounds = roundItems();
    for (int item = 0; item < rounds.size(); ++item)
        roundGroup->setItemText(item, rounds[item]);
    helpButton->setText(tr("H&ilfe"));
    showDanceInUse();
}

void FadeRockNRollWindow::windowShown()
{
    infoLabel->setText(state_.rules->table(Discipline::RnR).source);
    // Class, round and tempo stay as they are under a running clock.
    if (running())
        return;
    roundGroup->hide();
    if (state_.savedTypeIndex != int(Discipline::RnR)) {
        classGroup->setItemIndex(-1);
        roundGroup->setItemIndex(-1);
        return;
    }
    classGroup->setItemIndex(std::min(state_.savedDanceIndex, classGroup->count() - 1));
    classChanged();
    roundGroup->setItemIndex(std::min(state_.savedRoundIndex, roundGroup->count() - 1));
    roundChanged();
}

void FadeRockNRollWindow::classChanged()
{
    const int danceClass = classGroup->itemIndex();
    if (DanceCatalogue::hasFootTechniqueRounds(danceClass)) {
        roundGroup->show();
        clearDance();
    }
    else if (danceClass >= 0) {
        roundGroup->hide();
        lookUpRule();
    }
    roundGroup->setItemIndex(-1);
    state_.savedTypeIndex = int(Discipline::RnR);
    state_.savedDanceIndex = danceClass;
}

void FadeRockNRollWindow::roundChanged()
{
    lookUpRule();
    state_.savedTypeIndex = int(Discipline::RnR);
    state_.savedRoundIndex = roundGroup->itemIndex();
}

void FadeRockNRollWindow::lookUpRule()
{
    if (classGroup->itemIndex() >= 0) {
        if (DanceCatalogue::hasFootTechniqueRounds(classGroup->itemIndex()) && roundGroup->itemIndex() < 0) {
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
        tempoText_ = row->barsPerMin;
        danceTimeText_ = row->danceTime;
        danceClass_ = classGroup->itemIndex();
        danceRound_ = DanceCatalogue::hasFootTechniqueRounds(danceClass_) ? roundGroup->itemIndex() : -1;
        showDanceInUse();
    }
    showDance(danceTimeText_);
}

const RuleRow* FadeRockNRollWindow::chosenRuleRow() const
{
    // Of a class's rounds only foot technique and acrobatics differ in their
    // music; the other classes count with their final's row. The rounds are
    // looked up by the catalogue's keys, not by the captions ("Beintechnik").
    std::optional<QString> round;
    if (DanceCatalogue::hasFootTechniqueRounds(classGroup->itemIndex()))
        round = DanceCatalogue::roundNames(Discipline::RnR, classGroup->itemIndex()).value(roundGroup->itemIndex());
    const RuleTables& rules = *state_.rules;
    const auto index = rules.findLastRow(Discipline::RnR, classGroup->currentText(), round);
    return index ? &rules.table(Discipline::RnR).rows[size_t(*index)] : nullptr;
}

void FadeRockNRollWindow::showDance(const QString& danceTimeText)
{
    barsEdit->setText(tempoFieldText(tempoText_, *state_.messages));
    const auto seconds = danceSeconds(danceTimeText);
    fade_.setDurationSeconds(seconds.value_or(0));
    if (!seconds) {
        durationEdit->clear();
        remainingBarsEdit->clear();
        if (!danceTimeText.isEmpty())
            state_.messages->warning(tr("Ungültige Tanzzeit in den Regeldaten: '%1'").arg(danceTimeText));
        return;
    }
    durationEdit->setText(QString::number(*seconds));
    // No tempo yet: nothing to count and nothing to complain about.
    if (barsEdit->text().isEmpty())
        remainingBarsEdit->clear();
    else
        takeTempo();
}

void FadeRockNRollWindow::clearDance()
{
    barsEdit->clear();
    durationEdit->clear();
    remainingBarsEdit->clear();
    fade_.setDurationSeconds(0);
    danceClass_ = danceRound_ = -1;
    showDanceInUse();
}

void FadeRockNRollWindow::showDanceInUse()
{
    QString dance = DanceCatalogue::danceNames(Discipline::RnR).value(danceClass_);
    if (danceRound_ >= 0)
        dance += QStringLiteral(", ") + roundItems().value(danceRound_);
    danceLabel->setText(dance.isEmpty() ? QString() : tr("Uhr für: %1").arg(dance));
}

bool FadeRockNRollWindow::takeTempo()
{
    fade_.setBarsPerMinute(textToNumber(barsEdit->text(), *state_.messages));
    if (showBarCount())
        return true;
    state_.messages->warning(tr("Sie müssen eine gültige ganzzahlige Taktzahl angeben"));
    return false;
}

bool FadeRockNRollWindow::showBarCount()
{
    const auto bars = fade_.bars();
    remainingBarsEdit->setText(bars ? QString::number(*bars) : QString());
    return bars.has_value();
}

void FadeRockNRollWindow::barsEdited()
{
    if (!barsEdit->text().isEmpty())
        takeTypedTempo();
}

bool FadeRockNRollWindow::takeTypedTempo()
{
    barsEdit->setModified(false);
    tempoText_ = barsEdit->text();
    // Without a dancing time there is no bar count to work out yet.
    return !durationEdit->text().isEmpty() && takeTempo();
}

void FadeRockNRollWindow::startClicked()
{
    if (running()) {
        stopClock();
        return;
    }
    if (durationEdit->text().isEmpty() || barsEdit->text().isEmpty()) {
        state_.messages->warning(tr("Sie müssen zuerst einen Tanz auswählen"));
        return;
    }
    // Started by hand before the heat was heard: it counts from the heat's start anyway.
    if (waitsForHeat_) {
        startClock();
        return;
    }
    // A tempo typed but not taken yet, as when Alt+1 is pressed in the field.
    if (barsEdit->isModified()) {
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

void FadeRockNRollWindow::startClock()
{
    waitsForHeat_ = false;
    fade_.start();
    startButton->setText(QStringLiteral("Stop (&1)"));
    clockTimer->setEnabled(true);
    lockSelection(true);
}

void FadeRockNRollWindow::stopClock()
{
    waitsForHeat_ = false;
    fade_.stop();
    startButton->setText(QStringLiteral("Start (&1)"));
    clockTimer->setEnabled(false);
    lockSelection(false);
}

void FadeRockNRollWindow::lockSelection(bool locked)
{
    classGroup->setEnabled(!locked);
    roundGroup->setEnabled(!locked);
    barsEdit->setEnabled(!locked);
}

void FadeRockNRollWindow::heatBegun()
{
    if (running())
        stopClock();
    // Without a bar count there is nothing to count down; saying so would
    // interrupt the operator just as the music starts.
    if (!fade_.bars())
        return;
    backToZero();
    waitsForHeat_ = true;
    clockTimer->setEnabled(true);
    lockSelection(true);
    clockTimerFired();
}

void FadeRockNRollWindow::heatEnding()
{
    // Read now, while the heat's time still counts: the clock stops where the hall was.
    if (running() || waitsForHeat_)
        stopClock();
}

void FadeRockNRollWindow::clockTimerFired()
{
    if (waitsForHeat_) {
        if (!time_.heard())
            return;
        waitsForHeat_ = false;
        // From the heat's first heard moment, not from this tick.
        fade_.startAt(0);
        startButton->setText(QStringLiteral("Stop (&1)"));
    }
    const FadeCountdown::Tick tick = fade_.tick();
    // Always seconds, whatever the program's time format.
    timeEdit->setText(secondsText(tick.elapsedMs));
    if (tick.timeUp)
        startClicked();
    remainingBarsEdit->setText(QString::number(tick.remainingBars));
    if (!tick.digit)
        return;
    if (tick.digit->restored >= 0)
        showDigit(tick.digit->restored, false);
    showDigit(tick.digit->lit, true);
    if (beepCheck->isChecked())
        beep();
}

void FadeRockNRollWindow::showDigit(int digit, bool lit)
{
    setTextColour(digitLabels[size_t(digit)], fromBgr(lit ? litDigitColour(digit) : digitColour(digit)));
}

void FadeRockNRollWindow::resetClicked()
{
    // A clock waiting for a heat to be heard is not at rest yet.
    if (fade_.atZero() && !waitsForHeat_)
        return;
    stopClock();
    backToZero();
}

void FadeRockNRollWindow::backToZero()
{
    fade_.reset();
    showBarCount();
    for (int digit = 0; digit < int(digitLabels.size()); ++digit)
        showDigit(digit, false);
    timeEdit->setText(secondsText(0));
}

void FadeRockNRollWindow::timeEditChanged()
{
    emit statusTextChanged(RnRClockPanel, tr("Zeit: ") + timeEdit->text());
}
