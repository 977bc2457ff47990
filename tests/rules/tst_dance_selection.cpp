#include "ChooseDance.h"
#include "RecordingMessages.h"
#include "common/Language.h"
#include "common/ProgramState.h"
#include "rules/DanceCatalogue.h"
#include "rules/DanceSelection.h"
#include "rules/RuleTables.h"
#include <QSignalSpy>
#include <QtTest>

namespace {

void fill(RuleTables& rules, Discipline d, const QList<QStringList>& rows)
{
    RuleTable& table = rules.table(d);
    table.rowCount = rows.size();
    for (int i = 0; i < rows.size(); ++i)
        table.rows[i] = RuleRow{rows[i][0], rows[i][1], rows[i][2], QString(), rows[i].value(3)};
}

} // namespace

class TestDanceSelection : public QObject {
    Q_OBJECT

    RuleTables rules_;
    RecordingMessages messages_;
    ProgramState state_;

private slots:
    void initTestCase()
    {
        fill(rules_, Discipline::RnR,
             {{"Schüler", "Vor-/Zwischenrunde", "47"},
              {"Schüler", "Endrunde", "47-48"},
              {"Junioren", "Vor-/Zwischenrunde", "47"},
              {"D-Klasse", "Vor-/Zwischenrunde", "48"},
              {"C-Klasse", "-", "46"},
              {"C-Klasse", "-", "48"},
              {"A-Klasse", "Fußtechnik", "50-52", "60s"},
              {"A-Klasse", "Akrobatik", "48-50", "90-105s"},
              {"A Class", "foot technique", "50-52"},
              {"A Class", "acrobatics", "48-50"}});
        fill(rules_, Discipline::Boogie,
             {{"Jugendklasse", "-", "50-52"},
              {"Hauptklasse", "Vor-/Zwischenrunde", "50-52"},
              {"Hauptklasse", "Endrunde (langsam)", "28-30"},
              {"Main Class", "Final (slow)", "28-30"}});
        fill(rules_, Discipline::Ballroom, {{"Tango", "", "31-33"}, {"Quickstep", "", "5x-52"}});
        fill(rules_, Discipline::Latin, {{"Samba", "", "50-52"}, {"Jive", "", "42-44"}});
        state_.rules = &rules_;
        state_.messages = &messages_;
    }

    void cleanup()
    {
        useLanguage(Language::German);
        messages_.clear();
    }

    // Every window judges against the row chosen here: the catalogue's names
    // are the rule tables' keys in each language.
    void chosenRowByCatalogueNames_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dance");
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("tempo");
        QTest::newRow("Schüler, final") << false << 0 << 0 << 1 << "47-48";
        QTest::newRow("Schüler, preliminary") << false << 0 << 0 << 0 << "47";
        QTest::newRow("Junioren, preliminary") << false << 0 << 1 << 0 << "47";
        QTest::newRow("D-Klasse, preliminary") << false << 0 << 2 << 0 << "48";
        QTest::newRow("C-Klasse: no round, last row") << false << 0 << 3 << -1 << "48";
        QTest::newRow("A-Klasse, acrobatics") << false << 0 << 5 << 1 << "48-50";
        QTest::newRow("A Class, foot technique") << true << 0 << 5 << 0 << "50-52";
        QTest::newRow("A Class, acrobatics") << true << 0 << 5 << 1 << "48-50";
        QTest::newRow("Boogie youth: one round") << false << 1 << 0 << -1 << "50-52";
        QTest::newRow("Boogie main class, slow final") << false << 1 << 1 << 2 << "28-30";
        QTest::newRow("Main Class, Final (slow)") << true << 1 << 1 << 2 << "28-30";
        QTest::newRow("Tango") << false << 2 << 1 << -1 << "31-33";
        QTest::newRow("Jive") << false << 3 << 4 << -1 << "42-44";
        QTest::newRow("Cha-Cha: no row") << false << 3 << 1 << -1 << "";
        QTest::newRow("round still open") << false << 0 << 5 << -1 << "";
        QTest::newRow("Solltempo") << false << 4 << -1 << -1 << "";
        QTest::newRow("kein Tanz") << false << 5 << -1 << -1 << "";
    }

    void chosenRowByCatalogueNames()
    {
        QFETCH(bool, english);
        QFETCH(int, type);
        QFETCH(int, dance);
        QFETCH(int, round);
        QFETCH(QString, tempo);
        useLanguage(english ? Language::English : Language::German);
        DanceSelection selection(state_);
        ChooseDance(selection, type, dance, round);
        const RuleRow* row = selection.chosenRow();
        QCOMPARE(row ? row->barsPerMin : QString(), tempo);
        QCOMPARE(selection.tempoRange().max > 0, !tempo.isEmpty());
    }

    // What the choice still asks for decides whether windows may start.
    void choiceAsksForDanceAndRound_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dance");
        QTest::addColumn<bool>("asksForDance");
        QTest::addColumn<bool>("asksForRound");
        QTest::newRow("nothing chosen") << -1 << -1 << false << false;
        QTest::newRow("Rock'n'Roll, no class yet") << 0 << -1 << true << false;
        QTest::newRow("Schüler: preliminary or final") << 0 << 0 << true << true;
        QTest::newRow("C-Klasse: one round") << 0 << 3 << true << false;
        QTest::newRow("B-Klasse: foot technique or acrobatics") << 0 << 4 << true << true;
        QTest::newRow("Boogie youth: one round") << 1 << 0 << true << false;
        QTest::newRow("Boogie seniors") << 1 << 2 << true << true;
        QTest::newRow("a ballroom dance") << 2 << 0 << true << false;
        QTest::newRow("typed target") << 4 << -1 << false << false;
        QTest::newRow("no dance") << 5 << -1 << false << false;
    }

    void choiceAsksForDanceAndRound()
    {
        QFETCH(int, type);
        QFETCH(int, dance);
        QFETCH(bool, asksForDance);
        QFETCH(bool, asksForRound);
        DanceSelection selection(state_);
        selection.chooseType(type);
        selection.chooseDance(dance);
        QCOMPARE(selection.asksForDance(), asksForDance);
        QCOMPARE(selection.asksForRound(), asksForRound);
        const auto discipline = DanceCatalogue::disciplineOfType(type);
        QCOMPARE(discipline ? !DanceCatalogue::roundNames(*discipline, dance).isEmpty() : false, asksForRound);
    }

    void choicesClearWhatLiesBelowAndAreStored()
    {
        DanceSelection selection(state_);
        QSignalSpy choices(&selection, &DanceSelection::choiceChanged);
        ChooseDance(selection, 0, 5, 1);
        QCOMPARE(selection.tempoRange().min, 48.0);
        QCOMPARE(selection.danceTime().max(), 105);
        QCOMPARE(selection.danceTime().text, QString("90-105s"));
        QCOMPARE((QList<int>{state_.savedTypeIndex, state_.savedDanceIndex, state_.savedRoundIndex}),
                 (QList<int>{0, 5, 1}));
        selection.chooseDance(4);
        QCOMPARE(selection.round(), -1);
        QVERIFY(!selection.tempoRange().valid()); // not the range of the class chosen before
        selection.chooseType(3);
        QCOMPARE(selection.dance(), -1);
        QCOMPARE(choices.count(), 5);
    }

    // Views redraw on these signals: each comes when its value changes, and only then.
    void targetSignalsFollowTheirValues()
    {
        DanceSelection selection(state_);
        QSignalSpy tempo(&selection, &DanceSelection::tempoRangeChanged);
        QSignalSpy time(&selection, &DanceSelection::danceTimeChanged);
        ChooseDance(selection, 0, 5, 1);
        QCOMPARE((QList<int>{int(tempo.count()), int(time.count())}), (QList<int>{1, 1}));
        selection.update();
        QCOMPARE((QList<int>{int(tempo.count()), int(time.count())}), (QList<int>{1, 1}));
        selection.chooseType(4); // nothing typed yet: no range, the dancing time kept
        QCOMPARE((QList<int>{int(tempo.count()), int(time.count())}), (QList<int>{2, 1}));
        QCOMPARE(selection.danceTime().text, QString("90-105s"));
    }

    void typedTargetIsARangeAroundIt_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<QString>("stored");
        QTest::newRow("whole") << 4 << "48" << 47.0 << 49.0 << "48";
        QTest::newRow("comma") << 4 << "49,5" << 48.5 << 50.5 << "49,5";
        QTest::newRow("point") << 4 << "49.5" << 48.5 << 50.5 << "49.5";
        QTest::newRow("zero: no range") << 4 << "0" << 0.0 << 0.0 << "0";
        QTest::newRow("sign refused") << 4 << "-48" << 0.0 << 0.0 << "";
        QTest::newRow("other type: no range") << 5 << "48" << 0.0 << 0.0 << "48";
    }

    void typedTargetIsARangeAroundIt()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(QString, stored);
        DanceSelection selection(state_);
        selection.chooseType(type);
        selection.setTypedTarget(text);
        QCOMPARE(selection.tempoRange().min, min);
        QCOMPARE(selection.tempoRange().max, max);
        QCOMPARE(selection.validTypedTarget(), stored);
    }

    void unreadableRuleTempoWarnsAndGivesNoTarget()
    {
        DanceSelection selection(state_);
        ChooseDance(selection, 2, 5, -1); // Quickstep, "5x-52"
        QCOMPARE(messages_.warnings, QStringList{"Ungültige Tempoangabe in den Regeldaten: '5x-52'"});
        QVERIFY(!selection.tempoRange().valid());
        QVERIFY(!selection.shownRow());
        QVERIFY(selection.chosenRow());
    }

    void lockIsAnnouncedOnce()
    {
        DanceSelection selection(state_);
        QSignalSpy locks(&selection, &DanceSelection::lockChanged);
        selection.setLocked(true);
        selection.setLocked(true);
        selection.setLocked(false);
        QCOMPARE(locks.count(), 2);
        QVERIFY(!selection.locked());
    }
};

QTEST_MAIN(TestDanceSelection)
#include "tst_dance_selection.moc"
