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
#include "widgets/Theme.h"
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <vector>

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

QLabel* makeLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* makeValueField(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setEnabled(false);
    return edit;
}

// Wide enough for a rule's range ("48-52", "1:30-1:40") in the panel's font.
int valueFieldWidth(const QWidget* field)
{
    return field->fontMetrics().horizontalAdvance(QStringLiteral("0:00-0:00")) + 16;
}

// The width the box needs for the widest of the lists.
int widestBox(const RadioGroup& group, const std::vector<QStringList>& lists)
{
    RadioGroup probe(group.title());
    probe.setFont(group.font());
    probe.setMaxRows(3);
    int widest = 0;
    for (const QStringList& items : lists) {
        probe.setItems(items);
        widest = std::max(widest, probe.sizeHint().width());
    }
    return widest;
}

} // namespace

DanceSelectionPanel::DanceSelectionPanel(ProgramState& state, DanceSelection& selection, QWidget* parent)
    : QFrame(parent),
      beep([&state] { playStandardBeep(state.sounds); }),
      targetTempoLabel(named(makeLabel("Solltempo:", this), "targetTempoLabel")),
      tempoEdit(named(makeValueField(this), "tempoEdit")),
      danceTimeLabel(named(makeLabel("Tanzzeit (Sek.)", this), "danceTimeLabel")),
      durationEdit(named(makeValueField(this), "durationEdit")),
      typeGroup(named(new RadioGroup("T&yp", this), "typeGroup")),
      targetTempoEdit(named(new QLineEdit(this), "targetTempoEdit")),
      danceGroup(named(new RadioGroup("T&anz", this), "danceGroup")),
      roundGroup(named(new RadioGroup("&Runde", this), "roundGroup")),
      infoLabel(named(new ElidedLabel(this), "infoLabel")),
      state_(state),
      selection_(selection)
{
    setObjectName("dancePanel");
    themeChanged();
    connect(&Theme::instance(), &Theme::changed, this, &DanceSelectionPanel::themeChanged);
    setAutoFillBackground(true);

    // The rule's texts must stay readable although the user cannot edit them.
    for (QLineEdit* field : {tempoEdit, durationEdit}) {
        QPalette readable = field->palette();
        readable.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
        field->setPalette(readable);
        field->setFixedWidth(valueFieldWidth(field));
    }
    typeGroup->setItems(DanceCatalogue::typeNames());
    targetTempoEdit->setFixedWidth(valueFieldWidth(targetTempoEdit));
    targetTempoEdit->hide();
    roundGroup->hide();
    infoLabel->setTextFormat(Qt::PlainText);
    layOut();

    connect(typeGroup, &RadioGroup::itemChanged, this, &DanceSelectionPanel::typeChanged);
    connect(danceGroup, &RadioGroup::itemChanged, this, &DanceSelectionPanel::danceChanged);
    connect(roundGroup, &RadioGroup::itemChanged, this, &DanceSelectionPanel::roundChanged);
    connect(targetTempoEdit, &QLineEdit::textChanged, this, &DanceSelectionPanel::targetTempoChanged);

    connect(&selection_, &DanceSelection::choiceChanged, this, &DanceSelectionPanel::showChoice);
    connect(&selection_, &DanceSelection::targetChanged, this, &DanceSelectionPanel::showTarget);
    connect(&selection_, &DanceSelection::lockChanged, this, &DanceSelectionPanel::showLock);
}

// Dark enough for light text to read at 4.5:1 and more, whatever the desktop's palette.
void DanceSelectionPanel::themeChanged()
{
    const ThemeColours& colours = Theme::instance().colours();
    QPalette grey = themePalette(colours.dancePanel);
    grey.setColor(QPalette::WindowText, colours.dancePanelText);
    setPalette(grey);
}

// The boxes keep the height of the longest list (the six types), so that the
// display area above does not jump as the lists change; the free target tempo
// takes the place of the dance box it stands for.
void DanceSelectionPanel::layOut()
{
    auto* fields = new QVBoxLayout;
    fields->setSpacing(2);
    for (QWidget* control : std::initializer_list<QWidget*>{targetTempoLabel, tempoEdit, danceTimeLabel, durationEdit})
        fields->addWidget(control);
    fields->insertSpacing(2, fontMetrics().height());
    fields->addStretch();

    // The dance box and the round box side by side, as wide as the widest
    // discipline needs them, so that no choice widens the panel.
    auto* danceColumn = new QVBoxLayout;
    danceColumn->addWidget(danceGroup);
    danceColumn->addSpacing(fontMetrics().height());
    danceColumn->addWidget(targetTempoEdit);
    danceColumn->addStretch();

    // Two columns of three keep the panel low enough for the display area above on a small screen.
    for (RadioGroup* group : {typeGroup, danceGroup, roundGroup})
        group->setMaxRows(3);
    const int boxHeight = typeGroup->sizeHint().height();
    for (RadioGroup* group : {typeGroup, danceGroup, roundGroup})
        group->setMinimumHeight(boxHeight);

    choiceArea_ = new QWidget(this);
    auto* choices = new QHBoxLayout(choiceArea_);
    choices->setContentsMargins(0, 0, 0, 0);
    choices->addLayout(danceColumn);
    choices->addWidget(roundGroup);
    choices->addStretch();

    auto* row = new QHBoxLayout;
    row->addLayout(fields);
    row->addWidget(typeGroup);
    row->addWidget(choiceArea_);
    row->addStretch();

    auto* panel = new QVBoxLayout(this);
    panel->setContentsMargins(12, 4, 12, 4);
    panel->setSpacing(2);
    panel->addLayout(row);
    panel->addWidget(infoLabel);
    reserveListRoom();
}

// The panel keeps the width of its widest choice, so that the main window
// sized by it at the start never scrolls when another discipline or class is
// chosen.
void DanceSelectionPanel::reserveListRoom()
{
    int widest = 0;
    for (int type = 0; type < DisciplineCount; ++type) {
        const auto discipline = static_cast<Discipline>(type);
        const QStringList dances = DanceCatalogue::danceNames(discipline);
        std::vector<QStringList> rounds;
        for (int dance = 0; dance < dances.size(); ++dance)
            if (QStringList names = DanceCatalogue::roundNames(discipline, dance); !names.isEmpty())
                rounds.push_back(names);
        int width = widestBox(*danceGroup, {dances});
        if (!rounds.empty())
            width += choiceArea_->layout()->spacing() + widestBox(*roundGroup, rounds);
        widest = std::max(widest, width);
    }
    choiceArea_->setMinimumWidth(widest);
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
    reserveListRoom();
    targetTempoLabel->setText(tr("Solltempo:"));
    danceTimeLabel->setText(tr("Tanzzeit:"));
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
