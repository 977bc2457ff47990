#include "music/MusicJudgement.h"
#include "rules/RuleTables.h"
#include <QLocale>
#include <QTest>

Q_DECLARE_METATYPE(RowTone)

class TstOctaveJudgement : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }

    void choosesReadingByRange_data()
    {
        QTest::addColumn<double>("bpm");
        QTest::addColumn<int>("beatsPerBar");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("bars");
        QTest::addColumn<double>("factor");
        QTest::newRow("quickstep read at half") << 100.0 << 4 << 50.0 << 52.0 << 50.0 << 2.0;
        QTest::newRow("rumba read at double") << 208.0 << 4 << 25.0 << 27.0 << 26.0 << 0.5;
        QTest::newRow("as read when inside") << 87.0 << 3 << 28.0 << 30.0 << 29.0 << 1.0;
        QTest::newRow("viennese read per bar") << 59.0 << 3 << 58.0 << 60.0 << 59.0 << 3.0;
        QTest::newRow("waltz read in dotted quarters") << 58.0 << 3 << 28.0 << 30.0 << 29.0 << 1.5;
        QTest::newRow("4/4 read in triplet quarters") << 186.0 << 4 << 30.0 << 32.0 << 31.0 << 2.0 / 3;
        QTest::newRow("slightly fast stays as read") << 136.0 << 4 << 31.0 << 33.0 << 34.0 << 1.0;
        QTest::newRow("slightly slow at half stays near") << 94.0 << 4 << 48.0 << 50.0 << 47.0 << 2.0;
        QTest::newRow("no range: as read") << 100.0 << 4 << 0.0 << 0.0 << 25.0 << 1.0;
    }
    void choosesReadingByRange()
    {
        QFETCH(double, bpm);
        QFETCH(int, beatsPerBar);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, bars);
        QFETCH(double, factor);
        const std::optional<TempoRange> range =
            max > 0 ? std::optional<TempoRange>(TempoRange{min, max}) : std::nullopt;
        const OctaveChoice choice = chooseOctave(bpm, beatsPerBar, range);
        QCOMPARE(choice.barsPerMinute, bars);
        QCOMPARE(choice.factor, factor);
        QCOMPARE(choice.chosen(), factor != 1.0);
    }

    void beatsPerBarFromMarking_data()
    {
        QTest::addColumn<QString>("bars");
        QTest::addColumn<QString>("metro");
        QTest::addColumn<int>("beats");
        QTest::newRow("slow waltz") << "28-30"
                                    << "84-90" << 3;
        QTest::newRow("samba") << "50-52"
                               << "100-104" << 2;
        QTest::newRow("rock'n'roll single") << "47"
                                            << "188" << 4;
        QTest::newRow("no marking") << "48-52"
                                    << "-" << 4;
    }
    void beatsPerBarFromMarking()
    {
        QFETCH(QString, bars);
        QFETCH(QString, metro);
        QFETCH(int, beats);
        RuleRow row{"Tanz", "", bars, metro, "90-120s"};
        QCOMPARE(beatsPerBarOfRow(&row), beats);
        QCOMPARE(beatsPerBarOfRow(nullptr), 4);
    }

    void judgesAgainstTarget_data()
    {
        QTest::addColumn<double>("bpm");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QStringList>("fields");
        // Jive 42-44, 90-120 s.
        QTest::newRow("inside, long enough")
            << 172.0 << 125.0 << QStringList{"a.mp3", "125,0", "43,0", "ja", "+0,00%", "+0,00%", "reicht", ""};
        QTest::newRow("too slow, raise to bound")
            << 160.0 << 100.0 << QStringList{"a.mp3", "100,0", "40,0", "nein", "+5,00%", "+7,50%", "nur Minimum", ""};
        // Speeding up by 10 % turns 98 s into 89,1 s of music: short of the minimum.
        QTest::newRow("too slow and short after speeding up")
            << 152.72727272727272 << 98.0
            << QStringList{"a.mp3", "98,0", "38,2", "nein", "+10,00%", "+12,62%", "zu kurz", ""};
        // A reading a hair below a whole figure is listed as that figure, and judged as listed.
        QTest::newRow("rounded tempo judged as listed")
            << 175.96 << 130.0 << QStringList{"a.mp3", "130,0", "44,0", "ja", "+0,00%", "-2,25%", "reicht", ""};
        QTest::newRow("rounded up past the bound")
            << 176.2 << 130.0 << QStringList{"a.mp3", "130,0", "44,1", "nein", "-0,11%", "-2,38%", "reicht", ""};
        QTest::newRow("double reading chosen")
            << 86.0 << 60.0 << QStringList{"a.mp3",  "60,0",   "43,0",    "ja",
                                           "+0,00%", "+0,00%", "zu kurz", QString::fromUtf8("gewählt: ×2")};
        QTest::newRow("no pulse") << 0.0 << 60.0 << QStringList{"a.mp3", "60,0", "", "",
                                                                "",      "",     "", "Kein gleichmäßiger Takt erkannt"};
    }
    void judgesAgainstTarget()
    {
        QFETCH(double, bpm);
        QFETCH(double, seconds);
        QFETCH(QStringList, fields);
        FileAnalysis analysis;
        analysis.path = "/music/a.mp3";
        analysis.seconds = seconds;
        analysis.beatsPerMinute = bpm;
        const RuleTarget jive{TempoRange{42, 44}, 4, 90, 120};
        QCOMPARE(verdictFields(analysis, judge(analysis, jive), TimeFormat::Seconds), fields);
    }

    // A doubtful tempo lists both readings and no verdict, whatever it would
    // have been; a tapped one is judged as tapped, never folded into the range.
    void doubtfulTempoShowsNoVerdict_data()
    {
        QTest::addColumn<double>("confidence");
        QTest::addColumn<double>("rivalBpm");
        QTest::addColumn<double>("tappedBpm");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<RowTone>("tone");
        QTest::newRow("sure") << 0.9 << 0.0 << 0.0
                              << QStringList{"a.mp3", "125,0", "43,0", "ja", "+0,00%", "+0,00%", "reicht", ""}
                              << RowTone::Green;
        QTest::newRow("unsure with a rival")
            << 0.1 << 130.0 << 0.0
            << QStringList{"a.mp3", "125,0", "unsicher", "", "", "", "reicht", "unsicher: 43,0 oder 48,8 Takte/min"}
            << RowTone::Black;
        QTest::newRow("unsure, rival out of range")
            << 0.1 << 150.0 << 0.0
            << QStringList{"a.mp3", "125,0", "unsicher", "", "", "", "reicht", "unsicher: 43,0 oder 37,5 Takte/min"}
            << RowTone::Black;
        QTest::newRow("unsure alone") << 0.0 << 0.0 << 0.0
                                      << QStringList{"a.mp3", "125,0", "unsicher", "",
                                                     "",      "",      "reicht",   "unsicher: 43,0 Takte/min"}
                                      << RowTone::Black;
        QTest::newRow("unsure, then tapped")
            << 0.1 << 130.0 << 170.0
            << QStringList{"a.mp3", "125,0", "42,5", "ja", "+0,00%", "+1,18%", "reicht", "getippt"} << RowTone::Green;
        // Read by the tracker, 120 beats would be taken as 45 bars/min.
        QTest::newRow("tapped slow stays slow")
            << 0.9 << 0.0 << 120.0
            << QStringList{"a.mp3", "125,0", "30,0", "nein", "+40,00%", "+43,33%", "zu kurz", "getippt"}
            << RowTone::Red;
    }
    void doubtfulTempoShowsNoVerdict()
    {
        QFETCH(double, confidence);
        QFETCH(double, rivalBpm);
        QFETCH(double, tappedBpm);
        QFETCH(QStringList, fields);
        QFETCH(RowTone, tone);
        FileAnalysis analysis;
        analysis.path = "/music/a.mp3";
        analysis.seconds = 125;
        analysis.beatsPerMinute = 172;
        analysis.tempoConfidence = confidence;
        analysis.alternativeBeatsPerMinute = rivalBpm;
        if (tappedBpm > 0)
            analysis = withTappedTempo(analysis, tappedBpm);
        const RuleTarget jive{TempoRange{42, 44}, 4, 90, 120};
        const MusicVerdict verdict = judge(analysis, jive);
        QCOMPARE(verdict.tone, tone);
        QCOMPARE(verdictFields(analysis, verdict, TimeFormat::Seconds), fields);
    }

    void withoutDanceNothingIsJudged_data()
    {
        QTest::addColumn<bool>("emptyRange");
        QTest::newRow("no range") << false;
        QTest::newRow("empty range") << true; // 0 to 0, as a selection without a dance holds it
    }
    void withoutDanceNothingIsJudged()
    {
        QFETCH(bool, emptyRange);
        FileAnalysis analysis;
        analysis.path = "b.flac";
        analysis.seconds = 75.4;
        analysis.beatsPerMinute = 120;
        RuleTarget target;
        if (emptyRange)
            target.range = TempoRange{};
        const MusicVerdict verdict = judge(analysis, target);
        QCOMPARE(verdict.tone, RowTone::Black);
        QCOMPARE(verdictFields(analysis, verdict, TimeFormat::MinutesSeconds),
                 (QStringList{"b.flac", "01:15", "30,0", "", "", "", "", ""}));
    }

    void failureNamesReasonInLanguage()
    {
        FileAnalysis analysis;
        analysis.path = "/x/broken.mp3";
        analysis.failure = DecodeFailure::Undecodable;
        analysis.detail = "Invalid data found when processing input";
        useLanguage(Language::English);
        const QStringList fields = verdictFields(analysis, judge(analysis, RuleTarget{}), TimeFormat::Seconds);
        useLanguage(Language::German);
        QCOMPARE(fields[1], QString());
        QCOMPARE(fields[7], "Damaged or of an unknown format (Invalid data found when processing input)");
    }

    void exportsQuoteWhatNeedsIt()
    {
        const QStringList header{"Datei", "Takte/min"};
        const QList<QStringList> rows{{"a;b.mp3", "43,0"}, {"say \"hi\".ogg", ""}};
        QCOMPARE(rowsAsCsv(header, rows), "Datei;Takte/min\r\n\"a;b.mp3\";43,0\r\n\"say \"\"hi\"\".ogg\";\r\n");
        QCOMPARE(rowsAsText(header, rows), "Datei\tTakte/min\na;b.mp3\t43,0\nsay \"hi\".ogg\t\n");
    }

    // Copied text keeps one row per line and its columns, whatever a name holds.
    void copiedTextEscapesBreaks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tab") << "a\tb.mp3"
                             << "a\\tb.mp3";
        QTest::newRow("newline") << "a\nb.mp3"
                                 << "a\\nb.mp3";
        QTest::newRow("carriage return") << "a\rb.mp3"
                                         << "a\\rb.mp3";
        QTest::newRow("plain") << "a b.mp3"
                               << "a b.mp3";
    }
    void copiedTextEscapesBreaks()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        const QString text = rowsAsText({"Datei", "Takte/min"}, {{name, "43,0"}});
        QCOMPARE(text, "Datei\tTakte/min\n" + shown + "\t43,0\n");
    }
};

QTEST_GUILESS_MAIN(TstOctaveJudgement)
#include "tst_octave_judgement.moc"
