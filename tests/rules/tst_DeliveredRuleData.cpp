#include "rules/RuleFiles.h"
#include <QDir>
#include <QTest>

namespace {

struct KeyGroup {
    Discipline discipline;
    QStringList names;
    QStringList variants;
};

// The rows each language's rule files must hold, in file order: every name
// with each of its variants.
QList<KeyGroup> keyTable(bool english)
{
    auto pick = [english](const char* de, const char* en) { return QString(english ? en : de); };
    const QStringList rnrRounds{pick("Vor-/Zwischenrunde", "Preliminary round"), pick("Endrunde", "Final round")};
    const QStringList rnrParts{pick("Fußtechnik", "foot technique"), pick("Akrobatik", "acrobatics")};
    const QStringList boogieRounds{pick("Vor-/Zwischenrunde", "Quali/Main round"),
                                   pick("Endrunde (langsam)", "Final (slow)"),
                                   pick("Endrunde (schnell)", "Final (quick)")};
    return {
        {Discipline::RnR,
         {pick("Schüler", "Youth"), pick("Junioren", "Juniors"), pick("D-Klasse", "D Class")},
         rnrRounds},
        {Discipline::RnR, {pick("C-Klasse", "C Class")}, {"-"}},
        {Discipline::RnR, {pick("B-Klasse", "B Class"), pick("A-Klasse", "A Class")}, rnrParts},
        {Discipline::Boogie, {pick("Jugendklasse", "Juniors")}, {"-"}},
        {Discipline::Boogie, {pick("Hauptklasse", "Main Class"), pick("Oldieklasse", "Seniors")}, boogieRounds},
        {Discipline::Ballroom, {pick("Langsamer Waltzer", "Slow Waltz")}, {"3/4"}},
        {Discipline::Ballroom, {"Tango"}, {"4/4"}},
        {Discipline::Ballroom, {pick("Wiener Waltzer", "Vienna Waltz")}, {"3/4"}},
        {Discipline::Ballroom, {pick("Wiener Waltzer (Sen IV)", "Vienna Waltz (Sen IV)")}, {"3/4"}},
        {Discipline::Ballroom, {"Slow Fox", "Quickstep"}, {"4/4"}},
        {Discipline::Latin, {"Samba"}, {"2/4"}},
        {Discipline::Latin, {"Cha-Cha", "Rumba"}, {"4/4"}},
        {Discipline::Latin, {"Paso Doble"}, {"2/4"}},
        {Discipline::Latin, {"Jive"}, {"4/4"}},
    };
}

QString dataDir()
{
    return qEnvironmentVariable("VANTOR_DATA_DIR");
}

} // namespace

class TestDeliveredRuleData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (dataDir().isEmpty())
            QSKIP("VANTOR_DATA_DIR is not set");
    }

    void everyKeyRowInFileOrder_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("de") << "de";
        QTest::newRow("en") << "en";
    }
    void everyKeyRowInFileOrder()
    {
        QFETCH(QString, language);
        RuleTables tables;
        const FileResult result = loadRuleTables(tables, QDir(dataDir()).filePath(language));
        QVERIFY2(result.ok(), qPrintable(result.error));

        std::array<int, DisciplineCount> expectedRow{};
        for (const KeyGroup& group : keyTable(language == "en")) {
            for (const QString& name : group.names) {
                for (const QString& variant : group.variants) {
                    int& row = expectedRow[static_cast<size_t>(group.discipline)];
                    const auto found = tables.findFirstRow(group.discipline, name, variant);
                    QVERIFY2(found == row, qPrintable(name + " / " + variant));
                    ++row;
                }
            }
        }
        for (int d = 0; d < DisciplineCount; ++d) {
            const RuleTable& table = tables.table(static_cast<Discipline>(d));
            QCOMPARE(table.rowCount, table.capacity);
            QCOMPARE(expectedRow[d], table.capacity);
            QVERIFY(!table.source.isEmpty());
            for (int r = 0; r < table.rowCount; ++r) {
                const RuleRow& row = table.rows[r];
                bool ok = false;
                const TempoRange tempo = parseBarsPerMin(row.barsPerMin, &ok);
                QVERIFY2(ok && tempo.min > 0 && tempo.max >= tempo.min, qPrintable(row.barsPerMin));
                const int minTime = parseDanceTime(row.danceTime, 1);
                QVERIFY2(minTime > 0 && parseDanceTime(row.danceTime, 2) >= minTime, qPrintable(row.danceTime));
                // The Customize Data dialog saves them unchanged.
                QVERIFY2(barsPerMinReadable(row.barsPerMin), qPrintable(row.barsPerMin));
                QVERIFY2(danceTimeReadable(row.danceTime), qPrintable(row.danceTime));
            }
        }
    }

    void infoFilesHaveTheirColumns_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("columns");
        QTest::newRow("de formations") << "de/Formationen.dat" << 6;
        QTest::newRow("en formations") << "en/Formationen.dat" << 6;
        QTest::newRow("I_RockNRoll") << "I_RockNRoll.dat" << 5;
        QTest::newRow("I_BoogieWoogie") << "I_BoogieWoogie.dat" << 5;
        QTest::newRow("I_Standard") << "I_Standard.dat" << 5;
        QTest::newRow("I_Latein") << "I_Latein.dat" << 5;
        QTest::newRow("I_Formationen") << "I_Formationen.dat" << 6;
    }
    void infoFilesHaveTheirColumns()
    {
        QFETCH(QString, file);
        QFETCH(int, columns);
        const InfoFile info = readInfoFile(QDir(dataDir()).filePath(file));
        QVERIFY2(info.ok(), qPrintable(info.error));
        QVERIFY(!info.source.isEmpty());
        QVERIFY(!info.rows.isEmpty());
        for (const QStringList& row : info.rows)
            QCOMPARE(row.size(), columns);
    }
};

QTEST_GUILESS_MAIN(TestDeliveredRuleData)
#include "tst_DeliveredRuleData.moc"
