#include "app/DanceSelectionPanel.h"
#include "widgets/ElidedLabel.h"
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

QString tanzCaption(Discipline discipline)
{
    return DanceCatalogue::ChosenByClass(discipline) ? DanceSelectionPanel::tr("Kl&asse")
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
      beep([&state] { PlayStandardBeep(state.sounds); }),
      lb_solltempo(named(makeLabel("Solltempo:", {16, 8}, this), "lb_solltempo")),
      ED_Tempo(named(makeValueField({16, 24, 89, 21}, this), "ED_Tempo")),
      lb_tanzzeit(named(makeLabel("Tanzzeit (Sek.)", {16, 72}, this), "lb_tanzzeit")),
      ED_Dauer(named(makeValueField({16, 88, 89, 21}, this), "ED_Dauer")),
      RG_Typ(named(new RadioGroup("T&yp", this), "RG_Typ")),
      ED_Solltempo(named(new QLineEdit(this), "ED_Solltempo")),
      RG_Tanz(named(new RadioGroup("T&anz", this), "RG_Tanz")),
      RG_Runde(named(new RadioGroup("&Runde", this), "RG_Runde")),
      lb_info(named(new ElidedLabel(this), "lb_info")),
      state_(state),
      selection_(selection)
{
    setObjectName("pnlTanz");
    setFixedSize(635, 163);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    grey.setColor(QPalette::WindowText, Qt::white);
    setPalette(grey);
    setAutoFillBackground(true);
    // The controls stand at fixed places sized for small 8 pt texts.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    // The rule's texts must stay readable although the user cannot edit them.
    for (QLineEdit* field : {ED_Tempo, ED_Dauer}) {
        QPalette readable = field->palette();
        readable.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
        field->setPalette(readable);
    }

    // Shifted left of the classic layout to give the dance names room in today's fonts.
    RG_Typ->setGeometry(108, 4, 162, 138);
    RG_Typ->setItems(DanceCatalogue::TypeNames());
    // The free field stands inside the discipline box, beside its item.
    ED_Solltempo->setGeometry(222, 95, 46, 21);
    ED_Solltempo->raise();
    ED_Solltempo->hide();
    RG_Tanz->setGeometry(276, 4, 176, 138);
    RG_Runde->setGeometry(456, 4, 160, 138); // wide enough for "Vor-/Zwischenrunde" in today's fonts
    RG_Runde->hide();
    lb_info->setTextFormat(Qt::PlainText);
    lb_info->setGeometry(16, 144, 609, 13);

    connect(RG_Typ, &RadioGroup::itemChanged, this, &DanceSelectionPanel::RG_TypChange);
    connect(RG_Tanz, &RadioGroup::itemChanged, this, &DanceSelectionPanel::RG_TanzChange);
    connect(RG_Runde, &RadioGroup::itemChanged, this, &DanceSelectionPanel::RG_RundeChange);
    connect(ED_Solltempo, &QLineEdit::textChanged, this, &DanceSelectionPanel::ED_SolltempoChange);

    connect(&selection_, &DanceSelection::choiceChanged, this, &DanceSelectionPanel::showChoice);
    connect(&selection_, &DanceSelection::targetChanged, this, &DanceSelectionPanel::showTarget);
    connect(&selection_, &DanceSelection::lockChanged, this, [this](bool locked) {
        for (RadioGroup* group : {RG_Typ, RG_Tanz, RG_Runde})
            group->setEnabled(!locked);
    });
}

void DanceSelectionPanel::RG_TypChange()
{
    selection_.chooseType(RG_Typ->itemIndex());
}

void DanceSelectionPanel::RG_TanzChange()
{
    selection_.chooseDance(RG_Tanz->itemIndex());
}

void DanceSelectionPanel::RG_RundeChange()
{
    selection_.chooseRound(RG_Runde->itemIndex());
}

// The lists are built again only when what they list changed, so that a
// choice in a group keeps its buttons (and the keyboard focus).
void DanceSelectionPanel::showChoice()
{
    if (selection_.type() != shownType_ || listsOutdated_)
        showDancesOfType();
    RG_Typ->setItemIndex(selection_.type());
    RG_Tanz->setItemIndex(selection_.dance());
    if (selection_.dance() != shownDance_)
        showRoundsOfDance();
    RG_Runde->setItemIndex(selection_.round());
    if (ED_Solltempo->text() != selection_.typedTarget())
        ED_Solltempo->setText(selection_.typedTarget());
}

void DanceSelectionPanel::showDancesOfType()
{
    shownType_ = selection_.type();
    shownDance_ = NothingShown;
    listsOutdated_ = false;
    RG_Tanz->clearItems();
    ED_Solltempo->hide();
    RG_Runde->hide();
    RG_Tanz->show();
    if (const std::optional<Discipline> discipline = DanceCatalogue::DisciplineOfType(shownType_)) {
        RG_Tanz->setTitle(tanzCaption(*discipline));
        RG_Tanz->setItems(DanceCatalogue::DanceNames(*discipline));
    }
    else if (selection_.typedTargetChosen()) {
        RG_Tanz->hide();
        ED_Solltempo->show();
    }
    else if (selection_.noDance()) {
        RG_Tanz->hide();
    }
}

void DanceSelectionPanel::showRoundsOfDance()
{
    shownDance_ = selection_.dance();
    const std::optional<Discipline> discipline = DanceCatalogue::DisciplineOfType(shownType_);
    if (discipline && DanceCatalogue::ChosenByClass(*discipline))
        RG_Runde->setItems(DanceCatalogue::RoundNames(*discipline, shownDance_));
    RG_Runde->setVisible(selection_.asksForRound());
}

void DanceSelectionPanel::showTarget()
{
    if (const RuleRow* row = selection_.shownRow()) {
        ED_Tempo->setText(row->BarsPerMin);
        ED_Dauer->setText(row->DanceTime);
    }
    else {
        ED_Tempo->clear();
        ED_Dauer->clear();
    }
}

void DanceSelectionPanel::ED_SolltempoChange()
{
    const QString text = ED_Solltempo->text();
    selection_.setTypedTarget(text);
    if (text.isEmpty() || DanceSelection::IsTargetTempoText(text))
        return;
    beep();
    // Runs this handler again with the last valid text.
    ED_Solltempo->setText(state_.TargetTempoText);
    ED_Solltempo->selectAll();
}

void DanceSelectionPanel::FillInfoLine()
{
    const RuleTables& rules = *state_.rules;
    const QString ballroomLatin = tr("Standard/Latein: ");
    const QString line = ballroomLatin + rules.table(Discipline::Latin).Source + "/" +
                         "Rock'n'Roll: " + rules.table(Discipline::RnR).Source;
    lb_info->setText(line.left(255));
}

void DanceSelectionPanel::SetLanguage(Language language)
{
    UseLanguage(language);
    const QStringList typeNames = DanceCatalogue::TypeNames();
    for (int i = 0; i < typeNames.size(); ++i)
        RG_Typ->setItemText(i, typeNames[i]);
    RG_Typ->setTitle(tr("T&yp"));
    RG_Tanz->setTitle(tr("T&anz"));
    RG_Runde->setTitle(tr("&Runde"));
    setLabelText(lb_solltempo, tr("Solltempo:"));
    setLabelText(lb_tanzzeit, tr("Tanzzeit:"));
    FillInfoLine();
    // The lists come again in the language now in use; the choice stays.
    restoreChoice(RG_Typ->itemIndex(), RG_Tanz->itemIndex(), RG_Runde->itemIndex());
}

void DanceSelectionPanel::restoreChoice(int typIndex, int tanzIndex, int rundeIndex)
{
    listsOutdated_ = true;
    selection_.chooseType(typIndex);
    if (!RG_Tanz->isHidden())
        selection_.chooseDance(tanzIndex);
    if (!RG_Runde->isHidden())
        selection_.chooseRound(rundeIndex);
}
