#include "app/DanceSelectionPanel.h"
#include "widgets/ElidedLabel.h"
#include "widgets/EmbeddedForm.h"
#include "common/Language.h"
#include "common/ProgramState.h"
#include "common/SoundPlayer.h"
#include "widgets/SystemBell.h"
#include "rules/DanceCatalogue.h"
#include "rules/DanceSelection.h"
#include "rules/RuleTables.h"
#include "widgets/RadioGroup.h"
#include <QLabel>
#include <QLineEdit>
#include <optional>

namespace {

QString danceCaption(Discipline discipline)
{
    return DanceCatalogue::chosenByClass(discipline) ? DanceSelectionPanel::tr("Kl&asse")
                                                     : DanceSelectionPanel::tr("T&anz");
}

template <class Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(name);
    return control;
}

QLabel* makeLabel(const QString& text, QPoint position, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(position);
    label->adjustSize();
    return label;
}

QLineEdit* makeValueField(QRect geometry, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    edit->setReadOnly(true);
    edit->setEnabled(false);
    return edit;
}

void setLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

} // namespace

DanceSelectionPanel::DanceSelectionPanel(ProgramState& state, DanceSelection& selection, QWidget* parent)
    : QFrame(parent),
      beep([&state] { playStandardBeep(state.sounds); }),
      targetTempoLabel(named(makeLabel("Solltempo:", {16, 8}, this), "targetTempoLabel")),
      tempoEdit(named(makeValueField({16, 24, 89, 21}, this), "tempoEdit")),
      danceTimeLabel(named(makeLabel("Tanzzeit (Sek.)", {16, 72}, this), "danceTimeLabel")),
      durationEdit(named(makeValueField({16, 88, 89, 21}, this), "durationEdit")),
      typeGroup(named(new RadioGroup("T&yp", this), "typeGroup")),
      targetTempoEdit(named(new QLineEdit(this), "targetTempoEdit")),
      danceGroup(named(new RadioGroup("T&anz", this), "danceGroup")),
      roundGroup(named(new RadioGroup("&Runde", this), "roundGroup")),
      infoLabel(named(new ElidedLabel(this), "infoLabel")),
      state_(state),
      selection_(selection)
{
    setObjectName("dancePanel");
    setFixedSize(635, 163);
    // Dark enough for white text to read at 4.5:1 and more, whatever the desktop's palette.
    QPalette grey = fixedLightPalette(QColor(0x69, 0x69, 0x69));
    grey.setColor(QPalette::WindowText, Qt::white);
    setPalette(grey);
    setAutoFillBackground(true);
    // The controls stand at fixed places sized for small 8 pt texts.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    // The rule's texts must stay readable although the user cannot edit them.
    for (QLineEdit* field : {tempoEdit, durationEdit}) {
        QPalette readable = field->palette();
        readable.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
        field->setPalette(readable);
    }

    // Shifted left of the classic layout to give the dance names room in today's fonts.
    typeGroup->setGeometry(108, 4, 162, 138);
    typeGroup->setItems(DanceCatalogue::typeNames());
    // The free field stands inside the discipline box, beside its item.
    targetTempoEdit->setGeometry(222, 95, 46, 21);
    targetTempoEdit->raise();
    targetTempoEdit->hide();
    danceGroup->setGeometry(276, 4, 176, 138);
    roundGroup->setGeometry(456, 4, 160, 138); // wide enough for "Vor-/Zwischenrunde" in today's fonts
    roundGroup->hide();
    infoLabel->setTextFormat(Qt::PlainText);
    infoLabel->setGeometry(16, 144, 609, 13);

    connect(typeGroup, &RadioGroup::itemChanged, this, &DanceSelectionPanel::typeChanged);
    connect(danceGroup, &RadioGroup::itemChanged, this, &DanceSelectionPanel::danceChanged);
    connect(roundGroup, &RadioGroup::itemChanged, this, &DanceSelectionPanel::roundChanged);
    connect(targetTempoEdit, &QLineEdit::textChanged, this, &DanceSelectionPanel::targetTempoChanged);

    connect(&selection_, &DanceSelection::choiceChanged, this, &DanceSelectionPanel::showChoice);
    connect(&selection_, &DanceSelection::targetChanged, this, &DanceSelectionPanel::showTarget);
    connect(&selection_, &DanceSelection::lockChanged, this, &DanceSelectionPanel::showLock);
}

// Greyed boxes alone leave the operator guessing why no other dance can be chosen.
void DanceSelectionPanel::showLock()
{
    const bool locked = selection_.locked();
    for (RadioGroup* group : {typeGroup, danceGroup, roundGroup}) {
        group->setEnabled(!locked);
        group->setToolTip(locked ? lockedText() : QString());
    }
    fillInfoLine();
}

QString DanceSelectionPanel::lockedText()
{
    return tr("Tanzwahl gesperrt, solange in „Musik ausblenden“ eine Uhr läuft");
}

void DanceSelectionPanel::typeChanged()
{
    selection_.chooseType(typeGroup->itemIndex());
}

void DanceSelectionPanel::danceChanged()
{
    selection_.chooseDance(danceGroup->itemIndex());
}

void DanceSelectionPanel::roundChanged()
{
    selection_.chooseRound(roundGroup->itemIndex());
}

// The lists are built again only when what they list changed, so that a
// choice in a group keeps its buttons (and the keyboard focus).
void DanceSelectionPanel::showChoice()
{
    if (selection_.type() != shownType_ || listsOutdated_)
        showDancesOfType();
    typeGroup->setItemIndex(selection_.type());
    danceGroup->setItemIndex(selection_.dance());
    if (selection_.dance() != shownDance_)
        showRoundsOfDance();
    roundGroup->setItemIndex(selection_.round());
    if (targetTempoEdit->text() != selection_.typedTarget())
        targetTempoEdit->setText(selection_.typedTarget());
}

void DanceSelectionPanel::showDancesOfType()
{
    shownType_ = selection_.type();
    shownDance_ = NothingShown;
    listsOutdated_ = false;
    danceGroup->clearItems();
    targetTempoEdit->hide();
    roundGroup->hide();
    danceGroup->show();
    if (const std::optional<Discipline> discipline = DanceCatalogue::disciplineOfType(shownType_)) {
        danceGroup->setTitle(danceCaption(*discipline));
        danceGroup->setItems(DanceCatalogue::danceNames(*discipline));
    }
    else if (selection_.typedTargetChosen()) {
        danceGroup->hide();
        targetTempoEdit->show();
    }
    else if (selection_.noDance()) {
        danceGroup->hide();
    }
}

void DanceSelectionPanel::showRoundsOfDance()
{
    shownDance_ = selection_.dance();
    const std::optional<Discipline> discipline = DanceCatalogue::disciplineOfType(shownType_);
    if (discipline && DanceCatalogue::chosenByClass(*discipline))
        roundGroup->setItems(DanceCatalogue::roundNames(*discipline, shownDance_));
    roundGroup->setVisible(selection_.asksForRound());
}

void DanceSelectionPanel::showTarget()
{
    if (const RuleRow* row = selection_.shownRow()) {
        tempoEdit->setText(row->barsPerMin);
        durationEdit->setText(row->danceTime);
    }
    else {
        tempoEdit->clear();
        durationEdit->clear();
    }
}

void DanceSelectionPanel::targetTempoChanged()
{
    const QString text = targetTempoEdit->text();
    selection_.setTypedTarget(text);
    if (text.isEmpty() || DanceSelection::isTargetTempoText(text))
        return;
    beep();
    // Runs this handler again with the last valid text.
    targetTempoEdit->setText(selection_.validTypedTarget());
    targetTempoEdit->selectAll();
}

void DanceSelectionPanel::fillInfoLine()
{
    if (selection_.locked()) {
        infoLabel->setText(lockedText());
        return;
    }
    const RuleTables& rules = *state_.rules;
    const QString ballroomLatin = tr("Standard/Latein: ");
    const QString line = ballroomLatin + rules.table(Discipline::Latin).source + "/" +
                         "Rock'n'Roll: " + rules.table(Discipline::RnR).source;
    infoLabel->setText(line.left(255));
}

void DanceSelectionPanel::setLanguage(Language language)
{
    useLanguage(language);
    const QStringList typeNames = DanceCatalogue::typeNames();
    for (int i = 0; i < typeNames.size(); ++i)
        typeGroup->setItemText(i, typeNames[i]);
    typeGroup->setTitle(tr("T&yp"));
    danceGroup->setTitle(tr("T&anz"));
    roundGroup->setTitle(tr("&Runde"));
    setLabelText(targetTempoLabel, tr("Solltempo:"));
    setLabelText(danceTimeLabel, tr("Tanzzeit:"));
    showLock();
    // The lists come again in the language now in use; the choice stays.
    restoreChoice(typeGroup->itemIndex(), danceGroup->itemIndex(), roundGroup->itemIndex());
}

void DanceSelectionPanel::restoreChoice(int typeIndex, int danceIndex, int roundIndex)
{
    listsOutdated_ = true;
    selection_.chooseType(typeIndex);
    if (!danceGroup->isHidden())
        selection_.chooseDance(danceIndex);
    if (!roundGroup->isHidden())
        selection_.chooseRound(roundIndex);
}
