#include "app/DanceSelectionPanel.h"
#include "widgets/ElidedLabel.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "widgets/RadioGroup.h"
#include "rules/RuleTables.h"
#include "common/SoundPlayer.h"
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace {

// Items of RG_Typ beyond the four disciplines with a rule table.
constexpr int TypSolltempo = 4;
constexpr int TypKeinTanz = 5;

struct Texts {
    const char* german;
    const char* english;
};

QString pick(const Texts& texts, bool english)
{
    return QString::fromUtf8(english ? texts.english : texts.german);
}

QStringList pick(const QStringList& germanItems, const QStringList& englishItems, bool english)
{
    return english ? englishItems : germanItems;
}

bool hasRuleTable(int typIndex)
{
    return typIndex >= 0 && typIndex < DisciplineCount;
}

QString tanzCaption(int typIndex, bool english)
{
    const bool byClass = typIndex == int(Discipline::RnR) || typIndex == int(Discipline::Boogie);
    return pick(byClass ? Texts{"Kl&asse", "Cl&ass"} : Texts{"T&anz", "D&ance"}, english);
}

// Classes or dances of a discipline; the texts are the rule tables' Name keys.
QStringList tanzItems(int typIndex, bool english)
{
    switch (static_cast<Discipline>(typIndex)) {
    case Discipline::RnR:
        return pick({"Schüler", "Junioren", "D-Klasse", "C-Klasse", "B-Klasse", "A-Klasse"},
                    {"Youth", "Juniors", "D Class", "C Class", "B Class", "A Class"}, english);
    case Discipline::Boogie:
        return pick({"Jugendklasse", "Hauptklasse", "Oldieklasse"}, {"Juniors", "Main Class", "Seniors"}, english);
    case Discipline::Ballroom:
        return pick(
            {"Langsamer Waltzer", "Tango", "Wiener Waltzer", "Wiener Waltzer (Sen IV)", "Slow Fox", "Quickstep"},
            {"Slow Waltz", "Tango", "Vienna Waltz", "Vienna Waltz (Sen IV)", "Slow Fox", "Quickstep"}, english);
    case Discipline::Latin:
        return {"Samba", "Cha-Cha", "Rumba", "Paso Doble", "Jive"};
    }
    return {};
}

// Rounds of a class; the texts are the rule tables' Variant keys. Empty when
// the class has no rounds to choose.
QStringList rundeItems(int typIndex, int tanzIndex, bool english)
{
    if (typIndex == int(Discipline::RnR)) {
        if (tanzIndex >= 0 && tanzIndex <= 2)
            return pick({"Vor-/Zwischenrunde", "Endrunde"}, {"Preliminary round", "Final round"}, english);
        if (tanzIndex == 4 || tanzIndex == 5)
            return pick({"Fußtechnik", "Akrobatik"}, {"foot technique", "acrobatics"}, english);
        return {};
    }
    if (typIndex == int(Discipline::Boogie))
        return pick({"Vor-/Zwischenrunde", "Endrunde (schnell)", "Endrunde (langsam)"},
                    {"Quali/Main round", "Final (quick)", "Final (slow)"}, english);
    return {};
}

// A typed target tempo: digits with at most one "." or "," as the separator,
// whatever the locale's separator is. A text that only starts a number, such
// as "12,", passes, so that the user can type on; a sign never does, however
// the text arrives (typed, pasted or dropped).
bool isTargetTempoText(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[0-9]*([.,][0-9]*)?$"));
    return decimal.match(text).hasMatch() && text.contains(QRegularExpression(QStringLiteral("[0-9]")));
}

// The typed target as a number; nothing for an empty or zero target.
std::optional<double> typedTargetTempo(const QString& text)
{
    if (!isTargetTempoText(text))
        return std::nullopt;
    const double value = QLocale::c().toDouble(QString(text).replace(',', '.'));
    return value > 0 ? std::optional<double>(value) : std::nullopt;
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

DanceSelectionPanel::DanceSelectionPanel(ProgramState& state, QWidget* parent)
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
      state_(state)
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
    RG_Typ->setItems({"Rock'n'Roll", "Boogie-Woogie", "Standard", "Latein", "Solltempo", "kein Tanz"});
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

    state_.RG_Typ = RG_Typ;
    state_.RG_Tanz = RG_Tanz;
    state_.RG_Runde = RG_Runde;
    state_.ED_Solltempo = ED_Solltempo;
}

DanceSelectionPanel::~DanceSelectionPanel()
{
    // The state may outlive the panel; leave it no dangling controls.
    if (state_.RG_Typ == RG_Typ) {
        state_.RG_Typ = nullptr;
        state_.RG_Tanz = nullptr;
        state_.RG_Runde = nullptr;
        state_.ED_Solltempo = nullptr;
    }
}

void DanceSelectionPanel::RG_TypChange()
{
    RG_Tanz->clearItems();
    ED_Solltempo->hide();
    RG_Runde->hide();
    RG_Tanz->show();
    const int typ = RG_Typ->itemIndex();
    state_.SavedTypIndex = typ;
    if (hasRuleTable(typ)) {
        RG_Tanz->setTitle(tanzCaption(typ, state_.english()));
        RG_Tanz->setItems(tanzItems(typ, state_.english()));
    }
    else if (typ == TypSolltempo) {
        RG_Tanz->hide();
        ED_Solltempo->show();
        ED_Solltempo->clear();
    }
    else if (typ == TypKeinTanz) {
        RG_Tanz->hide();
    }
    UpdateTargetValues();
}

void DanceSelectionPanel::RG_TanzChange()
{
    const int typ = RG_Typ->itemIndex();
    const int tanz = RG_Tanz->itemIndex();
    if (typ == int(Discipline::RnR) || typ == int(Discipline::Boogie)) {
        RG_Runde->setItems(rundeItems(typ, tanz, state_.english()));
        // A Boogie-Woogie youth class is danced in one round; the group keeps
        // its items hidden.
        const bool chooseRound = typ == int(Discipline::RnR) ? RG_Runde->count() > 0 : tanz > 0;
        RG_Runde->setVisible(chooseRound);
    }
    else {
        RG_Runde->hide();
    }
    state_.SavedTanzIndex = tanz;
    UpdateTargetValues();
}

void DanceSelectionPanel::RG_RundeChange()
{
    state_.SavedRundeIndex = RG_Runde->itemIndex();
    UpdateTargetValues();
}

void DanceSelectionPanel::UpdateTargetValues()
{
    const RuleRow* row = choiceIsComplete() ? chosenRuleRow() : nullptr;
    if (row) {
        showRuleRow(*row);
    }
    else {
        clearValueFields();
        setTargetTempoOfChoiceWithoutRow();
    }
    emit targetChanged(row);
}

// Count beat judges against the target tempo range: with "Solltempo" it is the
// typed target give or take TypedTargetTolerance, the half width of the rules'
// usual ranges (50-52); otherwise there is none, rather than the range of a
// dance that is no longer chosen.
void DanceSelectionPanel::setTargetTempoOfChoiceWithoutRow()
{
    state_.TempoMin = state_.TempoMax = 0;
    if (RG_Typ->itemIndex() != TypSolltempo)
        return;
    if (const std::optional<double> target = typedTargetTempo(ED_Solltempo->text())) {
        state_.TempoMin = *target - TypedTargetTolerance;
        state_.TempoMax = *target + TypedTargetTolerance;
    }
}

void DanceSelectionPanel::ED_SolltempoChange()
{
    const QString text = ED_Solltempo->text();
    if (RG_Typ->itemIndex() == TypSolltempo) {
        setTargetTempoOfChoiceWithoutRow();
        emit targetChanged(nullptr);
    }
    if (text.isEmpty())
        return;
    if (isTargetTempoText(text)) {
        state_.TargetTempoText = text;
        return;
    }
    beep();
    // Runs this handler again with the last valid text.
    ED_Solltempo->setText(state_.TargetTempoText);
    ED_Solltempo->selectAll();
}

void DanceSelectionPanel::FillInfoLine()
{
    const RuleTables& rules = *state_.rules;
    const QString ballroomLatin = state_.english() ? "Ballroom/Latin: " : "Standard/Latein: ";
    const QString line = ballroomLatin + rules.table(Discipline::Latin).Source + "/" +
                         "Rock'n'Roll: " + rules.table(Discipline::RnR).Source;
    lb_info->setText(line.left(255));
}

void DanceSelectionPanel::SetLanguage(Language language)
{
    const bool english = language == Language::English;
    const Texts typItems[] = {
        {"Standard", "Ballroom"}, {"Latein", "Latin"}, {"Solltempo", "Desired speed"}, {"Kein Tanz", "No dance"}};
    for (int i = 0; i < 4; ++i)
        RG_Typ->setItemText(2 + i, pick(typItems[i], english));
    RG_Typ->setTitle(pick({"T&yp", "T&ype"}, english));
    RG_Tanz->setTitle(pick({"T&anz", "D&ance"}, english));
    RG_Runde->setTitle(pick({"&Runde", "R&ound"}, english));
    setLabelText(lb_solltempo, pick({"Solltempo:", "Desired speed:"}, english));
    setLabelText(lb_tanzzeit, pick({"Tanzzeit:", "Dancing time:"}, english));
    FillInfoLine();
    restoreChoice(RG_Typ->itemIndex(), RG_Tanz->itemIndex(), RG_Runde->itemIndex());
}

void DanceSelectionPanel::restoreChoice(int typIndex, int tanzIndex, int rundeIndex)
{
    RG_TypChange();
    RG_Typ->setItemIndex(typIndex);
    if (!RG_Tanz->isHidden()) {
        RG_Tanz->setItemIndex(tanzIndex);
        RG_TanzChange();
    }
    if (!RG_Runde->isHidden()) {
        RG_Runde->setItemIndex(rundeIndex);
        RG_RundeChange();
    }
}

bool DanceSelectionPanel::choiceIsComplete() const
{
    if (!hasRuleTable(RG_Typ->itemIndex()))
        return false;
    const auto unanswered = [](const RadioGroup* group) { return !group->isHidden() && group->itemIndex() < 0; };
    return !unanswered(RG_Tanz) && !unanswered(RG_Runde);
}

const RuleRow* DanceSelectionPanel::chosenRuleRow() const
{
    const auto discipline = static_cast<Discipline>(RG_Typ->itemIndex());
    const RuleTables& rules = *state_.rules;
    const std::optional<QString> round =
        RG_Runde->isHidden() ? std::nullopt : std::optional<QString>(RG_Runde->currentText());
    const std::optional<int> index = rules.FindChosenRow(discipline, RG_Tanz->currentText(), round);
    return index ? &rules.table(discipline).Rows[static_cast<size_t>(*index)] : nullptr;
}

void DanceSelectionPanel::showRuleRow(const RuleRow& row)
{
    bool tempoOk = true;
    const TempoRange tempo = ParseBarsPerMin(row.BarsPerMin, &tempoOk);
    if (!tempoOk) {
        // A broken range in the rule data: no half-updated target, and the
        // fields stay empty as for a row not found.
        clearValueFields();
        setTargetTempoOfChoiceWithoutRow();
        state_.messages->warning(
            pick({"Ungültige Tempoangabe in den Regeldaten: '%1'", "Invalid tempo in the rule data: '%1'"},
                 state_.english())
                .arg(row.BarsPerMin));
        return;
    }
    ED_Tempo->setText(row.BarsPerMin);
    state_.CurrentDanceTimeText = row.DanceTime;
    ED_Dauer->setText(row.DanceTime);
    state_.TempoMin = tempo.min;
    state_.TempoMax = tempo.max;
    state_.DanceTimeMin = ParseDanceTime(row.DanceTime, 1);
    state_.DanceTimeMax = ParseDanceTime(row.DanceTime, 2);
}

void DanceSelectionPanel::clearValueFields()
{
    ED_Tempo->clear();
    ED_Dauer->clear();
}
