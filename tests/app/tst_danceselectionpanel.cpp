#include "app/DanceSelectionPanel.h"
#include "rules/DanceSelection.h"
#include "common/Language.h"
#include <memory>
#include "common/ProgramState.h"
#include "widgets/RadioGroup.h"
#include "rules/RuleFiles.h"
#include "RecordingMessages.h"
#include "RecordingSounds.h"
#include "rules/RuleTables.h"
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QDir>
#include <QTest>

namespace {

using Rows = QList<QStringList>; // Name, Variant, BarsPerMin, DanceTime

void fill(RuleTable& table, const QString& source, const Rows& rows)
{
    table.source = source;
    table.rowCount = static_cast<int>(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        table.rows[i] = RuleRow{rows[i][0], rows[i][1], rows[i][2], "-", rows[i][3]};
}

// The German files' rows; a few values differ from the English set so that a
// lookup in the wrong table shows.
void fillGerman(RuleTables& rules)
{
    fill(rules.table(Discipline::RnR), "TSO 1.6",
         {{"Schüler", "Vor-/Zwischenrunde", "47", "90-105s"},
          {"Schüler", "Endrunde", "47-48", "90-105s"},
          {"Junioren", "Vor-/Zwischenrunde", "47", "90-105s"},
          {"Junioren", "Endrunde", "47-48", "90-105s"},
          {"D-Klasse", "Vor-/Zwischenrunde", "48", "90-105s"},
          {"D-Klasse", "Endrunde", "48-49", "91-104s"},
          {"C-Klasse", "-", "48", "90-105s"},
          {"B-Klasse", "Fußtechnik", "50-52", "60-75s"},
          {"B-Klasse", "Akrobatik", "48-50", "90-105s"},
          {"A-Klasse", "Fußtechnik", "51-53", "61-76s"},
          {"A-Klasse", "Akrobatik", "49-51", "90-105s"}});
    fill(rules.table(Discipline::Boogie), "TSO Boogie",
         {{"Jugendklasse", "-", "50-52", "90-105s"},
          {"Hauptklasse", "Vor-/Zwischenrunde", "49-51", "90-105s"},
          {"Hauptklasse", "Endrunde (langsam)", "28-30", "90-105s"},
          {"Hauptklasse", "Endrunde (schnell)", "50-52", "90-105s"},
          {"Oldieklasse", "Vor-/Zwischenrunde", "49-51", "90-105s"},
          {"Oldieklasse", "Endrunde (langsam)", "27-29", "90-105s"},
          {"Oldieklasse", "Endrunde (schnell)", "50-52", "90-105s"}});
    fill(rules.table(Discipline::Ballroom), "TSO Standard",
         {{"Langsamer Waltzer", "3/4", "28-30", "90-120s"},
          {"Tango", "4/4", "31-33", "90-120s"},
          {"Wiener Waltzer", "3/4", "58-60", "90-120s"},
          {"Wiener Waltzer (Sen IV)", "3/4", "57-59", "60-90s"},
          {"Slow Fox", "4/4", "28-30", "90-120s"},
          {"Quickstep", "4/4", "50-52", "90-120s"}});
    fill(rules.table(Discipline::Latin), "TSO Latein",
         {{"Samba", "2/4", "50-52", "90-120s"},
          {"Cha-Cha", "4/4", "30-32", "90-120s"},
          {"Rumba", "4/4", "25-27", "90-120s"},
          {"Paso Doble", "2/4", "60-62", "90-150s"},
          {"Jive", "4/4", "42-44", "90-120s"}});
}

// Just the English rows the tests choose.
void fillEnglish(RuleTables& rules)
{
    fill(rules.table(Discipline::RnR), "TSO 1.6 (en)",
         {{"B Class", "foot technique", "50-52", "60-75s"}, {"B Class", "acrobatics", "46-47", "80-95s"}});
    fill(rules.table(Discipline::Boogie), "TSO Boogie (en)",
         {{"Seniors", "Final (quick)", "50-52", "90-105s"}, {"Seniors", "Final (slow)", "26-28", "90-105s"}});
    fill(rules.table(Discipline::Ballroom), "TSO Ballroom",
         {{"Vienna Waltz", "3/4", "59-61", "90-120s"}, {"Vienna Waltz (Sen IV)", "3/4", "58-60", "60-90s"}});
    fill(rules.table(Discipline::Latin), "TSO Latin",
         {{"Samba", "2/4", "50-52", "90-120s"}, {"Jive", "4/4", "41-43", "90-120s"}});
}

} // namespace

class TestDanceSelectionPanel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lookup_data();
    void lookup();
    void choiceStepByStep();
    void rockNRollCClassTakesLastRow();
    void targetTempoJudgesAgainstTheTypedTarget();
    void noDanceHidesTheGroups();
    void tempoText_data();
    void tempoText();
    void brokenTempoRangeLeavesNoTarget();
    void typedTargetTempo_data();
    void typedTargetTempo();
    void pastedNegativeTargetIsRefused_data();
    void pastedNegativeTargetIsRefused();
    void emptyingTargetTempoIsAccepted();
    void setLanguageKeepsTheChoice();
    void infoLine();
    void lockSaysWhyInBothLanguages();
    void everyChoiceFindsItsRowInTheDeliveredFiles_data();
    void everyChoiceFindsItsRowInTheDeliveredFiles();

private:
    void choose(RadioGroup* group, int index);
    void chooseDance(int type, int dance, int round);

    ProgramState state_;
    RuleTables rules_;
    RecordingMessages messages_;
    std::unique_ptr<DanceSelection> selection_;
    DanceSelectionPanel* panel_ = nullptr;
    RecordingSounds sounds_;
    int& beeps_ = sounds_.beeps;
};

void TestDanceSelectionPanel::init()
{
    useLanguage(Language::German);
    state_ = ProgramState{};
    rules_ = RuleTables{};
    fillGerman(rules_);
    state_.rules = &rules_;
    state_.messages = &messages_;
    messages_.clear();
    beeps_ = 0;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    selection_ = std::make_unique<DanceSelection>(state_);
    state_.selection = selection_.get();
    panel_ = new DanceSelectionPanel(state_, *selection_);
    state_.sounds = &sounds_; // the panel's own beep, through the program's output
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_));
}

void TestDanceSelectionPanel::cleanup()
{
    delete panel_;
    QLocale::setDefault(QLocale::system());
}

void TestDanceSelectionPanel::choose(RadioGroup* group, int index)
{
    QVERIFY2(!group->isHidden(), qPrintable(group->objectName()));
    // On the indicator: a radio button takes clicks on its indicator and text only.
    QRadioButton* button = group->button(index);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QCOMPARE(group->itemIndex(), index);
}

void TestDanceSelectionPanel::chooseDance(int type, int dance, int round)
{
    choose(panel_->typeGroup, type);
    choose(panel_->danceGroup, dance);
    if (round >= 0)
        choose(panel_->roundGroup, round);
}

void TestDanceSelectionPanel::lookup_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("dance");
    QTest::addColumn<int>("round"); // -1: the round group must stay hidden
    QTest::addColumn<QString>("tempo");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("timeMin");
    QTest::addColumn<int>("timeMax");

    QTest::newRow("RnR D-Klasse Endrunde") << false << 0 << 2 << 1 << "48-49"
                                           << "91-104s" << 91 << 104;
    QTest::newRow("RnR B-Klasse Akrobatik") << false << 0 << 4 << 1 << "48-50"
                                            << "90-105s" << 90 << 105;
    QTest::newRow("RnR A-Klasse Fußtechnik") << false << 0 << 5 << 0 << "51-53"
                                             << "61-76s" << 61 << 76;
    QTest::newRow("RnR B Class acrobatics") << true << 0 << 4 << 1 << "46-47"
                                            << "80-95s" << 80 << 95;
    QTest::newRow("Boogie Jugendklasse") << false << 1 << 0 << -1 << "50-52"
                                         << "90-105s" << 90 << 105;
    QTest::newRow("Boogie Hauptklasse Vor-/Zwischenrunde") << false << 1 << 1 << 0 << "49-51"
                                                           << "90-105s" << 90 << 105;
    QTest::newRow("Boogie Oldieklasse langsam") << false << 1 << 2 << 2 << "27-29"
                                                << "90-105s" << 90 << 105;
    QTest::newRow("Boogie Seniors Final (slow)") << true << 1 << 2 << 2 << "26-28"
                                                 << "90-105s" << 90 << 105;
    QTest::newRow("Standard Wiener Waltzer (Sen IV)") << false << 2 << 3 << -1 << "57-59"
                                                      << "60-90s" << 60 << 90;
    QTest::newRow("Ballroom Vienna Waltz (Sen IV)") << true << 2 << 3 << -1 << "58-60"
                                                    << "60-90s" << 60 << 90;
    QTest::newRow("Latin Jive, German table") << false << 3 << 4 << -1 << "42-44"
                                              << "90-120s" << 90 << 120;
    QTest::newRow("Latin Jive, English table") << true << 3 << 4 << -1 << "41-43"
                                               << "90-120s" << 90 << 120;
}

void TestDanceSelectionPanel::lookup()
{
    QFETCH(bool, english);
    QFETCH(int, type);
    QFETCH(int, dance);
    QFETCH(int, round);
    QFETCH(QString, tempo);
    QFETCH(QString, time);
    QFETCH(int, timeMin);
    QFETCH(int, timeMax);

    if (english) {
        fillEnglish(rules_);
        state_.language = Language::English;
        useLanguage(Language::English);
    }
    chooseDance(type, dance, round);
    QCOMPARE(panel_->roundGroup->isHidden(), round < 0);
    QCOMPARE(panel_->tempoEdit->text(), tempo);
    QCOMPARE(panel_->durationEdit->text(), time);
    QCOMPARE(selection_->danceTime().text, time);
    QCOMPARE(selection_->tempoRange().min, tempo.left(2).toDouble());
    QCOMPARE(selection_->tempoRange().max, tempo.right(2).toDouble());
    QCOMPARE(selection_->danceTime().min(), timeMin);
    QCOMPARE(selection_->danceTime().max(), timeMax);
    QCOMPARE(state_.savedTypeIndex, type);
    QCOMPARE(state_.savedDanceIndex, dance);
    QCOMPARE(messages_.warnings, QStringList());
}

void TestDanceSelectionPanel::choiceStepByStep()
{
    chooseDance(3, 0, -1); // Samba: a complete choice to start from
    choose(panel_->typeGroup, 0);
    QCOMPARE(panel_->danceGroup->title(), QString("Kl&asse"));
    QCOMPARE(panel_->danceGroup->itemText(0), QString("Schüler"));
    QVERIFY(panel_->tempoEdit->text().isEmpty());
    QVERIFY(panel_->durationEdit->text().isEmpty());
    QVERIFY(!selection_->tempoRange().valid()); // not the range of the Samba any more

    choose(panel_->danceGroup, 2);
    QVERIFY(!panel_->roundGroup->isHidden());
    QCOMPARE(panel_->roundGroup->items(), QStringList({"Vor-/Zwischenrunde", "Endrunde"}));
    QVERIFY(panel_->tempoEdit->text().isEmpty());

    choose(panel_->roundGroup, 1);
    QCOMPARE(panel_->tempoEdit->text(), QString("48-49"));
    QCOMPARE(state_.savedRoundIndex, 1);

    choose(panel_->danceGroup, 1); // another class asks for its round again
    QCOMPARE(panel_->roundGroup->itemIndex(), -1);
    QVERIFY(panel_->tempoEdit->text().isEmpty());
    QVERIFY(!selection_->tempoRange().valid());
}

void TestDanceSelectionPanel::rockNRollCClassTakesLastRow()
{
    fill(rules_.table(Discipline::RnR), "x", {{"C-Klasse", "-", "46", "80s"}, {"C-Klasse", "-", "48", "90-105s"}});
    chooseDance(0, 3, -1);
    QVERIFY(panel_->roundGroup->isHidden());
    QCOMPARE(panel_->tempoEdit->text(), QString("48"));
    QCOMPARE(selection_->tempoRange().min, 48.0);
    QCOMPARE(selection_->tempoRange().max, 48.0);
}

void TestDanceSelectionPanel::targetTempoJudgesAgainstTheTypedTarget()
{
    chooseDance(0, 4, 1);
    choose(panel_->typeGroup, 4);
    QVERIFY(!panel_->targetTempoEdit->isHidden());
    QVERIFY(panel_->targetTempoEdit->text().isEmpty());
    QVERIFY(panel_->danceGroup->isHidden());
    QVERIFY(panel_->roundGroup->isHidden());
    QVERIFY(panel_->tempoEdit->text().isEmpty());
    QVERIFY(panel_->durationEdit->text().isEmpty());
    // No target typed yet: nothing to judge against, not the previous class's range.
    QVERIFY(!selection_->tempoRange().valid());
    QCOMPARE(selection_->danceTime().max(), 105);
    QCOMPARE(state_.savedTypeIndex, 4);

    QTest::keyClicks(panel_->targetTempoEdit, "125");
    QCOMPARE(selection_->tempoRange().min, 124.0);
    QCOMPARE(selection_->tempoRange().max, 126.0);
    panel_->targetTempoEdit->setText("49,5");
    QCOMPARE(selection_->tempoRange().min, 48.5);
    QCOMPARE(selection_->tempoRange().max, 50.5);
    panel_->targetTempoEdit->clear();
    QVERIFY(!selection_->tempoRange().valid());
}

void TestDanceSelectionPanel::noDanceHidesTheGroups()
{
    choose(panel_->typeGroup, 4);
    choose(panel_->typeGroup, 5);
    QVERIFY(panel_->targetTempoEdit->isHidden());
    QVERIFY(panel_->danceGroup->isHidden());
    QVERIFY(panel_->roundGroup->isHidden());
    QCOMPARE(panel_->danceGroup->count(), 0);
}

void TestDanceSelectionPanel::tempoText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");

    QTest::newRow("range") << "48-50" << 48.0 << 50.0;
    QTest::newRow("single") << "50" << 50.0 << 50.0;
    QTest::newRow("letters") << "schnell" << 0.0 << 0.0;
}

void TestDanceSelectionPanel::tempoText()
{
    QFETCH(QString, text);
    QFETCH(double, min);
    QFETCH(double, max);

    rules_.table(Discipline::Latin).rows[0].barsPerMin = text;
    chooseDance(3, 0, -1);
    QCOMPARE(panel_->tempoEdit->text(), text);
    QCOMPARE(selection_->tempoRange().min, min);
    QCOMPARE(selection_->tempoRange().max, max);
}

void TestDanceSelectionPanel::brokenTempoRangeLeavesNoTarget()
{
    rules_.table(Discipline::Latin).rows[1].barsPerMin = "3x-32";
    rules_.table(Discipline::Latin).rows[1].danceTime = "70s";
    chooseDance(3, 0, -1);
    choose(panel_->danceGroup, 1);
    QCOMPARE(messages_.warnings, QStringList{"Ungültige Tempoangabe in den Regeldaten: '3x-32'"});
    QVERIFY(panel_->tempoEdit->text().isEmpty());
    QVERIFY(panel_->durationEdit->text().isEmpty());
    QVERIFY(!selection_->tempoRange().valid()); // never the Samba's range for the Cha-Cha
    QCOMPARE(selection_->danceTime().min(), 90);
    QCOMPARE(selection_->danceTime().text, QString("90-120s"));
}

void TestDanceSelectionPanel::typedTargetTempo_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("beeps");

    QTest::newRow("point on a comma locale") << "de_DE"
                                             << "12.5"
                                             << "12.5"
                                             << "" << 0;
    QTest::newRow("comma on a comma locale") << "de_DE"
                                             << "12,5"
                                             << "12,5"
                                             << "" << 0;
    QTest::newRow("comma on a point locale") << "en_US"
                                             << "12,5"
                                             << "12,5"
                                             << "" << 0;
    QTest::newRow("point on a point locale") << "en_US"
                                             << "12.5"
                                             << "12.5"
                                             << "" << 0;
    QTest::newRow("letter refused") << "de_DE"
                                    << "12x"
                                    << "12"
                                    << "12" << 1;
    QTest::newRow("second separator refused") << "de_DE"
                                              << "1.2."
                                              << "1.2"
                                              << "1.2" << 1;
    QTest::newRow("lone minus refused") << "de_DE"
                                        << "-"
                                        << ""
                                        << "" << 1;
}

void TestDanceSelectionPanel::typedTargetTempo()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, selected);
    QFETCH(int, beeps);

    QLocale::setDefault(QLocale(locale));
    choose(panel_->typeGroup, 4);
    QTest::keyClicks(panel_->targetTempoEdit, typed);
    QCOMPARE(panel_->targetTempoEdit->text(), shown);
    QCOMPARE(panel_->targetTempoEdit->selectedText(), selected);
    QCOMPARE(selection_->validTypedTarget(), shown);
    QCOMPARE(beeps_, beeps);
}

// Pasted or dropped text arrives whole, not key by key.
void TestDanceSelectionPanel::pastedNegativeTargetIsRefused_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::newRow("negative") << "-5";
    QTest::newRow("negative decimal") << "-0,5";
    QTest::newRow("plus sign") << "+5";
}

void TestDanceSelectionPanel::pastedNegativeTargetIsRefused()
{
    QFETCH(QString, pasted);
    choose(panel_->typeGroup, 4);
    QTest::keyClicks(panel_->targetTempoEdit, "48");
    panel_->targetTempoEdit->selectAll();
    panel_->targetTempoEdit->insert(pasted);
    QCOMPARE(panel_->targetTempoEdit->text(), QString("48"));
    QCOMPARE(selection_->validTypedTarget(), QString("48"));
    QCOMPARE(selection_->tempoRange().min, 47.0);
    QCOMPARE(beeps_, 1);
}

void TestDanceSelectionPanel::emptyingTargetTempoIsAccepted()
{
    choose(panel_->typeGroup, 4);
    QTest::keyClicks(panel_->targetTempoEdit, "48");
    panel_->targetTempoEdit->selectAll();
    QTest::keyClick(panel_->targetTempoEdit, Qt::Key_Backspace);
    QCOMPARE(panel_->targetTempoEdit->text(), QString());
    QCOMPARE(selection_->validTypedTarget(), QString("48"));
    QCOMPARE(beeps_, 0);
}

void TestDanceSelectionPanel::setLanguageKeepsTheChoice()
{
    chooseDance(0, 4, 1);
    fillEnglish(rules_);
    state_.language = Language::English;
    panel_->setLanguage(Language::English);

    QCOMPARE(panel_->typeGroup->items(),
             QStringList({"Rock'n'Roll", "Boogie-Woogie", "Ballroom", "Latin", "Desired speed", "No dance"}));
    QCOMPARE(panel_->typeGroup->title(), QString("T&ype"));
    QCOMPARE(panel_->danceGroup->title(), QString("Cl&ass"));
    QCOMPARE(panel_->roundGroup->title(), QString("R&ound"));
    QCOMPARE(panel_->targetTempoLabel->text(), QString("Desired speed:"));
    QCOMPARE(panel_->danceTimeLabel->text(), QString("Dancing time:"));
    QCOMPARE(panel_->typeGroup->itemIndex(), 0);
    QCOMPARE(panel_->danceGroup->currentText(), QString("B Class"));
    QCOMPARE(panel_->roundGroup->currentText(), QString("acrobatics"));
    QCOMPARE(panel_->tempoEdit->text(), QString("46-47"));
    QCOMPARE(selection_->tempoRange().min, 46.0);
    QCOMPARE(selection_->danceTime().max(), 95);

    fillGerman(rules_);
    state_.language = Language::German;
    panel_->setLanguage(Language::German);
    QCOMPARE(panel_->typeGroup->itemText(5), QString("Kein Tanz"));
    QCOMPARE(panel_->danceGroup->title(), QString("Kl&asse"));
    QCOMPARE(panel_->roundGroup->currentText(), QString("Akrobatik"));
    QCOMPARE(panel_->tempoEdit->text(), QString("48-50"));
}

void TestDanceSelectionPanel::infoLine()
{
    panel_->fillInfoLine();
    QCOMPARE(panel_->infoLabel->text(), QString("Standard/Latein: TSO Latein/Rock'n'Roll: TSO 1.6"));

    state_.language = Language::English;
    useLanguage(Language::English);
    rules_.table(Discipline::Latin).source = "<b>" + QString(300, 'x');
    panel_->fillInfoLine();
    const QString line = panel_->infoLabel->text();
    QCOMPARE(line.size(), 255);
    QVERIFY(line.startsWith("Ballroom/Latin: <b>xxx"));
    QCOMPARE(panel_->infoLabel->textFormat(), Qt::PlainText);
}

// Greyed boxes alone do not tell the operator why no other dance can be chosen.
void TestDanceSelectionPanel::lockSaysWhyInBothLanguages()
{
    const QString german = "Tanzwahl gesperrt, solange in „Musik ausblenden“ eine Uhr läuft";
    const QString english = "Dance choice locked while a clock runs in “Fade music”";
    chooseDance(3, 0, -1);
    selection_->setLocked(true);
    QVERIFY(!panel_->danceGroup->isEnabled());
    QCOMPARE(panel_->danceGroup->toolTip(), german);
    QCOMPARE(panel_->infoLabel->text(), german);
    fillEnglish(rules_);
    state_.language = Language::English;
    panel_->setLanguage(Language::English);
    QCOMPARE(panel_->typeGroup->toolTip(), english);
    QCOMPARE(panel_->infoLabel->text(), english);
    QCOMPARE(panel_->danceGroup->currentText(), QString("Samba"));
    selection_->setLocked(false);
    QVERIFY(panel_->danceGroup->isEnabled());
    QVERIFY(panel_->danceGroup->toolTip().isEmpty());
    QVERIFY(panel_->infoLabel->text().startsWith("Ballroom/Latin: "));
}

void TestDanceSelectionPanel::everyChoiceFindsItsRowInTheDeliveredFiles_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("folder");
    QTest::newRow("de") << 0 << "de";
    QTest::newRow("en") << 1 << "en";
}

void TestDanceSelectionPanel::everyChoiceFindsItsRowInTheDeliveredFiles()
{
    QFETCH(int, language);
    QFETCH(QString, folder);

    const QString dataDir = qEnvironmentVariable("VANTOR_DATA_DIR");
    if (dataDir.isEmpty())
        QSKIP("VANTOR_DATA_DIR is not set");
    const FileResult loaded = loadRuleTables(rules_, QDir(dataDir).filePath(folder));
    QVERIFY2(loaded.ok(), qPrintable(loaded.error));
    state_.language = languageFromStored(language);
    panel_->setLanguage(languageFromStored(language));

    QStringList missing;
    for (int type = 0; type < DisciplineCount; ++type) {
        choose(panel_->typeGroup, type);
        for (int dance = 0; dance < panel_->danceGroup->count(); ++dance) {
            choose(panel_->danceGroup, dance);
            const int rounds = panel_->roundGroup->isHidden() ? 1 : panel_->roundGroup->count();
            for (int round = 0; round < rounds; ++round) {
                if (!panel_->roundGroup->isHidden())
                    choose(panel_->roundGroup, round);
                if (panel_->tempoEdit->text().isEmpty() || panel_->durationEdit->text().isEmpty())
                    missing << panel_->danceGroup->currentText() + "/" + panel_->roundGroup->currentText();
            }
        }
    }
    QCOMPARE(missing, QStringList());
    QCOMPARE(messages_.warnings, QStringList());
}

QTEST_MAIN(TestDanceSelectionPanel)
#include "tst_danceselectionpanel.moc"
