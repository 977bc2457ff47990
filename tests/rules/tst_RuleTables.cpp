#include "rules/RuleTables.h"
#include <QLocale>
#include <QTest>

class TestRuleTables : public QObject {
    Q_OBJECT

    RuleTables rnrTables() const
    {
        const QList<QStringList> rows = {
            {"Schüler", "Vor-/Zwischenrunde"},
            {"Schüler", "Endrunde"},
            {"Junioren", "Vor-/Zwischenrunde"},
            {"Junioren", "Endrunde"},
            {"D-Klasse", "Vor-/Zwischenrunde"},
            {"D-Klasse", "Endrunde"},
            {"C-Klasse", "-"},
            {"B-Klasse", "Fußtechnik"},
            {"B-Klasse", "Akrobatik"},
            {"A-Klasse", "Fußtechnik"},
            {"A-Klasse", "Akrobatik"},
        };
        RuleTables tables;
        RuleTable& t = tables.table(Discipline::RnR);
        for (int i = 0; i < rows.size(); ++i) {
            t.rows[i].name = rows[i][0];
            t.rows[i].variant = rows[i][1];
        }
        t.rowCount = rows.size();
        return tables;
    }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void keysEqual_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("lower case ascii") << "b-klasse"
                                          << "B-Klasse" << true;
        QTest::newRow("SS is not ß") << "FUSSTECHNIK"
                                     << "Fußtechnik" << false;
        QTest::newRow("ß kept as it stands") << "FUßTECHNIK"
                                             << "Fußtechnik" << true;
        QTest::newRow("umlaut case counts") << "SCHüLER"
                                            << "Schüler" << true;
        QTest::newRow("upper umlaut differs") << "SCHÜLER"
                                              << "Schüler" << false;
        QTest::newRow("prefix only") << "Endrunde"
                                     << "Endrunde (langsam)" << false;
        QTest::newRow("inner blanks count") << "Slow  Fox"
                                            << "Slow Fox" << false;
    }
    void keysEqual()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, equal);
        QCOMPARE(::keysEqual(a, b), equal);
        QCOMPARE(::keysEqual(b, a), equal);
    }

    void lookups_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("variant"); // "<none>" for no variant
        QTest::addColumn<int>("first");       // -1 for no row
        QTest::addColumn<int>("last");
        QTest::newRow("single row class") << "C-Klasse"
                                          << "<none>" << 6 << 6;
        QTest::newRow("class without round") << "B-Klasse"
                                             << "<none>" << 7 << 8;
        QTest::newRow("class and round, any case") << "b-klasse"
                                                   << "AKROBATIK" << 8 << 8;
        QTest::newRow("round of another class") << "B-Klasse"
                                                << "Endrunde" << -1 << -1;
        QTest::newRow("unknown class") << "E-Klasse"
                                       << "<none>" << -1 << -1;
        QTest::newRow("first row") << "Schüler"
                                   << "Vor-/Zwischenrunde" << 0 << 0;
    }
    void lookups()
    {
        QFETCH(QString, name);
        QFETCH(QString, variant);
        QFETCH(int, first);
        QFETCH(int, last);
        const RuleTables tables = rnrTables();
        const auto v = variant == "<none>" ? std::nullopt : std::optional<QString>(variant);
        QCOMPARE(tables.findFirstRow(Discipline::RnR, name, v).value_or(-1), first);
        QCOMPARE(tables.findLastRow(Discipline::RnR, name, v).value_or(-1), last);
    }

    void lookupsStopAtRowCount()
    {
        RuleTables tables = rnrTables();
        tables.table(Discipline::RnR).rowCount = 8; // the acrobatics rows stay in memory
        QCOMPARE(tables.findLastRow(Discipline::RnR, "B-Klasse").value_or(-1), 7);
        QVERIFY(!tables.findFirstRow(Discipline::RnR, "A-Klasse"));
        tables.table(Discipline::RnR).rowCount = 0;
        QVERIFY(!tables.findFirstRow(Discipline::RnR, "Schüler"));
        QVERIFY(!tables.findLastRow(Discipline::RnR, "Schüler"));
    }

    void parseBarsPerMin_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<bool>("ok");
        for (const char* locale : {"de_DE", "en_US"}) {
            const QByteArray l(locale);
            QTest::newRow(l + " range") << locale << "48-50" << 48.0 << 50.0 << true;
            QTest::newRow(l + " single") << locale << "50" << 50.0 << 50.0 << true;
            QTest::newRow(l + " empty") << locale << "" << 0.0 << 0.0 << true;
            QTest::newRow(l + " word") << locale << "Wort" << 0.0 << 0.0 << true;
            QTest::newRow(l + " five letters") << locale << "abcde" << 0.0 << 0.0 << false;
            QTest::newRow(l + " five chars are halves") << locale << "47,50" << 47.0 << 50.0 << true;
            QTest::newRow(l + " not a number") << locale << "nan" << 0.0 << 0.0 << true;
        }
        QTest::newRow("de comma decimal") << "de_DE"
                                          << "48,5" << 48.5 << 48.5 << true;
        QTest::newRow("de point is no decimal") << "de_DE"
                                                << "48.5" << 0.0 << 0.0 << true;
        QTest::newRow("en point decimal") << "en_US"
                                          << "48.5" << 48.5 << 48.5 << true;
        QTest::newRow("en comma is no decimal") << "en_US"
                                                << "48,5" << 0.0 << 0.0 << true;
    }
    void parseBarsPerMin()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(bool, ok);
        QLocale::setDefault(QLocale(locale));
        bool parsedOk = !ok;
        const TempoRange range = ::parseBarsPerMin(text, &parsedOk);
        QCOMPARE(range.min, min);
        QCOMPARE(range.max, max);
        QCOMPARE(parsedOk, ok);
    }

    void parseDanceTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::newRow("single") << "90s" << 90 << 90;
        QTest::newRow("range") << "90-100s" << 90 << 100;
        QTest::newRow("blanks") << "90 - 100 s" << 90 << 100;
        QTest::newRow("upper unit") << "60-75S" << 60 << 75;
        QTest::newRow("unit word") << "90-100 sec" << 90 << 100;
        QTest::newRow("last char is the unit") << "90" << 9 << 0;
        QTest::newRow("range without unit") << "90-100" << 90 << 10;
        QTest::newRow("word") << "Wort" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("no minimum") << "-90s" << 0 << 90;
        QTest::newRow("no maximum") << "90-s" << 90 << 0;
    }
    void parseDanceTime()
    {
        QFETCH(QString, text);
        QFETCH(int, min);
        QFETCH(int, max);
        QCOMPARE(::parseDanceTime(text, 1), min);
        QCOMPARE(::parseDanceTime(text, 2), max);
    }

    // What the Customize Data dialog lets through must read as it says.
    void readable_data()
    {
        QTest::addColumn<bool>("tempo"); // else a dancing time
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::newRow("tempo range") << true << "48-50" << true;
        QTest::newRow("tempo single") << true << "47" << true;
        QTest::newRow("tempo decimal") << true << "47.5" << true;
        QTest::newRow("tempo with blanks round the dash") << true << "48 - 50" << false;
        QTest::newRow("tempo five characters, no dash") << true << "50.25" << false;
        QTest::newRow("tempo range upside down") << true << "52-50" << false;
        QTest::newRow("tempo zero") << true << "0" << false;
        QTest::newRow("tempo negative") << true << "-5" << false;
        QTest::newRow("tempo word") << true << "schnell" << false;
        QTest::newRow("tempo empty") << true << "" << false;
        QTest::newRow("time single") << false << "90s" << true;
        QTest::newRow("time range") << false << "90-105s" << true;
        QTest::newRow("time with blanks") << false << "90 - 100 s" << true;
        QTest::newRow("time with a note") << false << "90-150s (up to the highlight)" << true;
        QTest::newRow("time without unit") << false << "90" << false;
        QTest::newRow("time range without unit") << false << "90-100" << false;
        QTest::newRow("time no minimum") << false << "-90s" << false;
        QTest::newRow("time upside down") << false << "105-90s" << false;
        QTest::newRow("time word") << false << "lang" << false;
        QTest::newRow("time empty") << false << "" << false;
    }
    void readable()
    {
        QFETCH(bool, tempo);
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QCOMPARE(tempo ? barsPerMinReadable(text) : danceTimeReadable(text), readable);
    }
};

QTEST_GUILESS_MAIN(TestRuleTables)
#include "tst_RuleTables.moc"
