#include "common/Language.h"
#include "common/ProgramState.h"
#include "play/RunningOrder.h"
#include "rules/DanceCatalogue.h"
#include "rules/DanceSelection.h"
#include "rules/RuleFiles.h"
#include <QDir>
#include <QtTest>

namespace {

QString dataDir()
{
    return qEnvironmentVariable("VANTOR_DATA_DIR");
}

// The figures of an order in one text each, "|" between the dances.
QString joined(const RunningOrder& order, const std::function<QString(const RunningDance&)>& field)
{
    QStringList parts;
    for (const RunningDance& dance : order.dances)
        parts << field(dance);
    return parts.join('|');
}

QString tempoText(const RunningDance& dance)
{
    return QStringLiteral("%1-%2").arg(dance.tempo.min).arg(dance.tempo.max);
}

QString timeText(const RunningDance& dance)
{
    return QStringLiteral("%1-%2").arg(dance.danceTimeMin).arg(dance.danceTimeMax);
}

} // namespace

class TestRunningOrder : public QObject {
    Q_OBJECT

    RuleTables german_;
    RuleTables english_;

    const RuleTables& tablesOf(bool english) const { return english ? english_ : german_; }

private slots:
    void initTestCase()
    {
        if (dataDir().isEmpty())
            QSKIP("VANTOR_DATA_DIR is not set");
        QVERIFY(loadRuleTables(german_, QDir(dataDir()).filePath("de")).ok());
        QVERIFY(loadRuleTables(english_, QDir(dataDir()).filePath("en")).ok());
    }

    void init() { useLanguage(Language::German); }
    void cleanupTestCase() { useLanguage(Language::German); }

    void roundsOfSeveralDances_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dance");
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("tempos");
        QTest::addColumn<QString>("times");
        QTest::addColumn<QString>("beats");

        const QString standardTempos = "28-30|31-33|58-60|28-30|50-52";
        const QString standardTimes = "90-120|90-120|90-120|90-120|90-120";
        const QString seniorTimes = "90-120|90-120|60-90|90-120|90-120";
        const QString latinTempos = "50-52|30-32|25-27|60-62|42-44";
        const QString latinTimes = "90-120|90-120|90-120|90-150|90-120";
        QTest::newRow("Standard") << false << 2 << -1 << -1
                                  << "Langsamer Waltzer|Tango|Wiener Waltzer|Slow Fox|Quickstep" << standardTempos
                                  << standardTimes << "3|4|3|4|4";
        QTest::newRow("Standard, any dance chosen")
            << false << 2 << 4 << -1 << "Langsamer Waltzer|Tango|Wiener Waltzer|Slow Fox|Quickstep" << standardTempos
            << standardTimes << "3|4|3|4|4";
        QTest::newRow("Standard Sen IV") << false << 2 << 3 << -1
                                         << "Langsamer Waltzer|Tango|Wiener Waltzer (Sen IV)|Slow Fox|Quickstep"
                                         << standardTempos << seniorTimes << "3|4|3|4|4";
        QTest::newRow("Ballroom") << true << 2 << -1 << -1 << "Slow Waltz|Tango|Vienna Waltz|Slow Fox|Quickstep"
                                  << standardTempos << standardTimes << "3|4|3|4|4";
        QTest::newRow("Ballroom Sen IV") << true << 2 << 3 << -1
                                         << "Slow Waltz|Tango|Vienna Waltz (Sen IV)|Slow Fox|Quickstep"
                                         << standardTempos << seniorTimes << "3|4|3|4|4";
        QTest::newRow("Latein") << false << 3 << -1 << -1 << "Samba|Cha-Cha|Rumba|Paso Doble|Jive" << latinTempos
                                << latinTimes << "2|4|4|2|4";
        QTest::newRow("Latin, Jive chosen") << true << 3 << 4 << -1 << "Samba|Cha-Cha|Rumba|Paso Doble|Jive"
                                            << latinTempos << latinTimes << "2|4|4|2|4";
        QTest::newRow("Boogie Hauptklasse Endrunde, quick part chosen")
            << false << 1 << 1 << 1 << "Boogie-Woogie (langsam)|Boogie-Woogie (schnell)"
            << "28-30|50-52"
            << "90-105|90-105"
            << "4|4";
        QTest::newRow("Boogie Oldieklasse Endrunde, slow part chosen")
            << false << 1 << 2 << 2 << "Boogie-Woogie (langsam)|Boogie-Woogie (schnell)"
            << "28-30|50-52"
            << "90-105|90-105"
            << "4|4";
        QTest::newRow("Boogie Main Class final") << true << 1 << 1 << 2 << "Boogie-Woogie (slow)|Boogie-Woogie (quick)"
                                                 << "28-30|50-52"
                                                 << "90-105|90-105"
                                                 << "4|4";
        QTest::newRow("Boogie preliminary: fast only") << true << 1 << 2 << 0 << "Boogie-Woogie"
                                                       << "50-52"
                                                       << "90-105"
                                                       << "4";
        QTest::newRow("Boogie youth") << false << 1 << 0 << -1 << "Boogie-Woogie"
                                      << "50-52"
                                      << "90-105"
                                      << "4";
        QTest::newRow("RnR Schüler Endrunde") << false << 0 << 0 << 1 << "Rock'n'Roll"
                                              << "47-48"
                                              << "90-105"
                                              << "4";
        QTest::newRow("RnR C Class") << true << 0 << 3 << -1 << "Rock'n'Roll"
                                     << "48-48"
                                     << "90-105"
                                     << "4";
        QTest::newRow("RnR B foot technique") << true << 0 << 4 << 0 << "Rock'n'Roll"
                                              << "50-52"
                                              << "60-75"
                                              << "4";
        QTest::newRow("RnR A Akrobatik") << false << 0 << 5 << 1 << "Rock'n'Roll"
                                         << "48-50"
                                         << "90-105"
                                         << "4";
    }
    void roundsOfSeveralDances()
    {
        QFETCH(bool, english);
        QFETCH(int, type);
        QFETCH(int, dance);
        QFETCH(int, round);
        useLanguage(english ? Language::English : Language::German);
        const auto key = roundKeyOf(type, dance, round);
        QVERIFY(key);
        const RunningOrder order = runningOrder(tablesOf(english), *key);
        QVERIFY(order.problem.isEmpty());
        QTEST(joined(order, [](const RunningDance& d) { return d.name; }), "names");
        QTEST(joined(order, tempoText), "tempos");
        QTEST(joined(order, timeText), "times");
        QTEST(joined(order, [](const RunningDance& d) { return QString::number(d.beatsPerBar); }), "beats");
    }

    // Every class and round the catalogue offers has its round in the
    // delivered tables of both languages, judged by the row the dance
    // selection (and so every other window) takes for it.
    void everyChoiceHasItsRound_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("de") << false;
        QTest::newRow("en") << true;
    }
    void everyChoiceHasItsRound()
    {
        QFETCH(bool, english);
        useLanguage(english ? Language::English : Language::German);
        RuleTables tables = tablesOf(english);
        ProgramState state;
        state.rules = &tables;
        DanceSelection selection(state);
        int rounds = 0;
        for (int type = 0; type < DisciplineCount; ++type) {
            const Discipline discipline = *DanceCatalogue::disciplineOfType(type);
            const QStringList dances = DanceCatalogue::danceNames(discipline);
            for (int dance = 0; dance < dances.size(); ++dance) {
                const int roundCount = std::max<int>(1, DanceCatalogue::roundNames(discipline, dance).size());
                for (int round = 0; round < roundCount; ++round) {
                    const int roundIndex = DanceCatalogue::hasRounds(discipline, dance) ? round : -1;
                    selection.chooseType(type);
                    selection.chooseDance(dance);
                    selection.chooseRound(roundIndex);
                    const QString what = QStringLiteral("%1/%2/%3").arg(type).arg(dance).arg(roundIndex);
                    const auto key = roundKeyOf(selection);
                    QVERIFY2(key, qPrintable(what));
                    const RunningOrder order = runningOrder(tables, *key);
                    QVERIFY2(order.valid(), qPrintable(what + " " + order.problem));
                    const RuleRow* chosen = selection.chosenRow();
                    QVERIFY2(chosen, qPrintable(what));
                    const int chosenRow = int(chosen - &tables.table(discipline).rows[0]);
                    bool holdsChosen = false;
                    for (const RunningDance& d : order.dances) {
                        QVERIFY2(d.tempo.valid() && d.danceTimeMin > 0, qPrintable(what + " " + d.name));
                        holdsChosen = holdsChosen || d.ruleRow == chosenRow;
                    }
                    QVERIFY2(holdsChosen, qPrintable(what));
                    ++rounds;
                }
            }
        }
        QCOMPARE(rounds, 11 + 7 + 6 + 5);
    }

    void keysAreTheSameWhateverPartIsChosen_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dance");
        QTest::addColumn<int>("round");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("classIndex");
        QTest::addColumn<int>("roundIndex");
        QTest::addColumn<QString>("title");
        QTest::newRow("a ballroom dance stands for the round") << 2 << 1 << -1 << true << -1 << -1 << "Standard";
        QTest::newRow("the seniors' Viennese Waltz")
            << 2 << 3 << -1 << true << 3 << -1 << "Standard – Wiener Waltzer (Sen IV)";
        QTest::newRow("latin without a dance") << 3 << -1 << -1 << true << -1 << -1 << "Latein";
        QTest::newRow("boogie final, slow part")
            << 1 << 1 << 2 << true << 1 << 1 << "Boogie-Woogie – Hauptklasse – Endrunde";
        QTest::newRow("boogie final, quick part")
            << 1 << 1 << 1 << true << 1 << 1 << "Boogie-Woogie – Hauptklasse – Endrunde";
        QTest::newRow("boogie preliminary")
            << 1 << 1 << 0 << true << 1 << 0 << "Boogie-Woogie – Hauptklasse – Vor-/Zwischenrunde";
        QTest::newRow("rnr class C") << 0 << 3 << -1 << true << 3 << -1 << "Rock'n'Roll – C-Klasse";
        QTest::newRow("rnr round still open") << 0 << 0 << -1 << false << 0 << 0 << "";
        QTest::newRow("rnr class still open") << 0 << -1 << -1 << false << 0 << 0 << "";
        QTest::newRow("typed target") << 4 << -1 << -1 << false << 0 << 0 << "";
        QTest::newRow("no dance") << 5 << -1 << -1 << false << 0 << 0 << "";
    }
    void keysAreTheSameWhateverPartIsChosen()
    {
        QFETCH(int, type);
        QFETCH(int, dance);
        QFETCH(int, round);
        QFETCH(bool, exists);
        const auto key = roundKeyOf(type, dance, round);
        QCOMPARE(key.has_value(), exists);
        if (!key)
            return;
        QTEST(key->classIndex, "classIndex");
        QTEST(key->roundIndex, "roundIndex");
        QTEST(roundTitle(*key), "title");
    }

    void tablesWithoutTheRoundSayWhy()
    {
        const RuleTables empty;
        const RunningOrder order = runningOrder(empty, RoundKey{Discipline::Boogie, 1, 1});
        QVERIFY(!order.valid());
        QVERIFY(order.problem.contains("Hauptklasse"));
    }
};

QTEST_GUILESS_MAIN(TestRunningOrder)
#include "tst_running_order.moc"
