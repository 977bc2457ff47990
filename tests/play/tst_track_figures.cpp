#include "common/Language.h"
#include "play/TrackFigures.h"
#include "rules/TempoVerdict.h"
#include "tempo/SpeedConversion.h"
#include <QLocale>
#include <QtTest>
#include <limits>

namespace {

RunningDance danceOf(double tempoMin, double tempoMax, int beatsPerBar = 4)
{
    RunningDance dance;
    dance.name = QStringLiteral("Jive");
    dance.tempo = {tempoMin, tempoMax};
    dance.danceTimeMin = 90;
    dance.danceTimeMax = 120;
    dance.beatsPerBar = beatsPerBar;
    return dance;
}

FileAnalysis analysisOf(double beatsPerMinute, double seconds = 180)
{
    FileAnalysis analysis;
    analysis.path = QStringLiteral("/music/track.mp3");
    analysis.seconds = seconds;
    analysis.beatsPerMinute = beatsPerMinute;
    analysis.loudnessLufs = TrackFigures::TargetLufs;
    analysis.truePeakDb = -10;
    return analysis;
}

DancePlan planOf(int danceSeconds)
{
    DancePlan plan;
    plan.danceSeconds = danceSeconds;
    return plan;
}

} // namespace

class TestTrackFigures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }
    void init() { useLanguage(Language::German); }

    // The change the player makes is the speed conversion's figure for the
    // same tempos, so that the operator reads one number everywhere.
    void changeIsTheSpeedConversions_data()
    {
        QTest::addColumn<double>("bpm");
        QTest::addColumn<int>("beatsPerBar");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("measured");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("text");
        QTest::newRow("quickstep a little slow") << 200.0 << 4 << 50.0 << 52.0 << 50.0 << 2.0 << "+2,0 %";
        QTest::newRow("jive read at half, in the middle") << 86.0 << 4 << 42.0 << 44.0 << 43.0 << 0.0 << "+0,0 %";
        QTest::newRow("waltz too fast") << 93.0 << 3 << 28.0 << 30.0 << 31.0 << -200.0 / 31 << "-6,5 %";
        QTest::newRow("samba in two") << 106.0 << 2 << 50.0 << 52.0 << 53.0 << -200.0 / 53 << "-3,8 %";
    }
    void changeIsTheSpeedConversions()
    {
        QFETCH(double, bpm);
        QFETCH(int, beatsPerBar);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, measured);
        QFETCH(double, percent);
        const TrackFigures figures =
            trackFigures(analysisOf(bpm), TrackTags{}, danceOf(min, max, beatsPerBar), planOf(90), RoundSettings{});
        const double target = (min + max) / 2;
        QCOMPARE(figures.measuredBars(), measured);
        QCOMPARE(figures.target.value_or(0), target);
        QVERIFY(qAbs(figures.changePercent - percent) < 1e-9);
        QCOMPARE(figures.changePercent, adaptationPercent(measured, target));
        QTEST(figures.changeText(), "text");
        QCOMPARE(figures.changeText(), *fixedAdaptationText(float(measured), float(target)));
        QCOMPARE(figures.resultBars, target);
        QCOMPARE(figures.timeRatio, measured / target);
        QVERIFY(figures.inRange());
        QCOMPARE(figures.warnings, TrackWarnings());
    }

    // A change beyond the limit is not made: the music plays at the limit,
    // and whether that reaches the rules decides the second warning.
    void changeLimited_data()
    {
        QTest::addColumn<double>("bpm");
        QTest::addColumn<double>("limit");
        QTest::addColumn<double>("typedTarget");
        QTest::addColumn<double>("played");
        QTest::addColumn<double>("result");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<QString>("mark");
        const int over = int(TrackWarning::ChangeOverLimit);
        const int outside = int(TrackWarning::OutOfRange);
        QTest::newRow("within the limit") << 192.0 << 8.0 << 0.0 << 6.25 << 51.0 << 0 << "✓";
        QTest::newRow("over the limit, outside") << 180.0 << 8.0 << 0.0 << 8.0 << 48.6 << (over | outside) << "▼ 1,4";
        QTest::newRow("over the limit, inside") << 188.0 << 7.0 << 0.0 << 7.0 << 50.29 << over << "✓";
        QTest::newRow("slowing over the limit") << 232.0 << 5.0 << 0.0 << -5.0 << 55.1 << (over | outside) << "▲ 3,1";
        QTest::newRow("no change allowed") << 196.0 << 0.0 << 0.0 << 0.0 << 49.0 << (over | outside) << "▼ 1,0";
        QTest::newRow("typed target outside the rules") << 200.0 << 8.0 << 53.0 << 6.0 << 53.0 << outside << "▲ 1,0";
    }
    void changeLimited()
    {
        QFETCH(double, bpm);
        QFETCH(double, limit);
        QFETCH(double, typedTarget);
        QFETCH(double, played);
        QFETCH(double, result);
        QFETCH(int, warnings);
        RoundSettings settings;
        settings.changeLimitPercent = limit;
        if (typedTarget > 0)
            settings.typedTarget = typedTarget;
        const TrackFigures figures = trackFigures(analysisOf(bpm), TrackTags{}, danceOf(50, 52), planOf(90), settings);
        QVERIFY2(qAbs(figures.changePercent - played) < 1e-9, qPrintable(QString::number(figures.changePercent)));
        QVERIFY(qAbs(figures.resultBars - result) < 1e-9);
        QVERIFY(qAbs(figures.timeRatio - figures.measuredBars() / result) < 1e-12);
        QCOMPARE(int(figures.warnings), warnings);
        QCOMPARE(figures.tone, warnings & int(TrackWarning::OutOfRange) ? RowTone::Red : RowTone::Green);
        QTEST(figures.verdictMark, "mark");
        QCOMPARE(figures.warningTexts().size(), qPopulationCount(quint32(warnings)));
    }

    void startPosition_data()
    {
        QTest::addColumn<bool>("fromFirstBeat");
        QTest::addColumn<double>("firstBeat");
        QTest::addColumn<double>("firstSound");
        QTest::addColumn<double>("start");
        // 120 beats/min in 4/4 for the Cha-Cha: half a second a beat.
        QTest::newRow("first beat moved back to the first sound") << true << 2.0 << 0.5 << 0.5;
        QTest::newRow("first beat after silence") << true << 2.0 << 1.8 << 2.0;
        QTest::newRow("from the file's start") << false << 2.0 << 0.5 << 0.0;
    }
    void startPosition()
    {
        QFETCH(bool, fromFirstBeat);
        QFETCH(double, firstBeat);
        QFETCH(double, firstSound);
        FileAnalysis analysis = analysisOf(120);
        analysis.firstBeatSeconds = firstBeat;
        analysis.firstSoundSeconds = firstSound;
        RoundSettings settings;
        settings.start = fromFirstBeat ? StartPoint::FirstBeat : StartPoint::FileStart;
        const TrackFigures figures = trackFigures(analysis, TrackTags{}, danceOf(30, 32), planOf(90), settings);
        QTEST(figures.startSeconds, "start");
    }

    // The music must last from its start, at the speed played, through the
    // dancing time and the fade.
    void lengthAtTheSpeedPlayed_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("bpm");
        QTest::addColumn<int>("danceSeconds");
        QTest::addColumn<bool>("tooShort");
        QTest::newRow("long enough") << 95.0 << 204.0 << 90 << false;
        QTest::newRow("a second short") << 94.0 << 204.0 << 90 << true;
        QTest::newRow("faster makes it short") << 98.0 << 192.0 << 90 << true; // 98 * 48/51 = 92.2
        QTest::newRow("slower makes it long") << 92.0 << 216.0 << 90 << false; // 92 * 54/51 = 97.4
        QTest::newRow("longer dancing time") << 110.0 << 204.0 << 110 << true;
    }
    void lengthAtTheSpeedPlayed()
    {
        QFETCH(double, seconds);
        QFETCH(double, bpm);
        QFETCH(int, danceSeconds);
        RoundSettings settings;
        settings.start = StartPoint::FileStart;
        const TrackFigures figures =
            trackFigures(analysisOf(bpm, seconds), TrackTags{}, danceOf(50, 52), planOf(danceSeconds), settings);
        QTEST(figures.warnings.testFlag(TrackWarning::TooShort), "tooShort");
    }

    void loudness_data()
    {
        QTest::addColumn<double>("lufs");
        QTest::addColumn<double>("peak");
        QTest::addColumn<double>("gain");
        QTest::addColumn<int>("warnings");
        const double silence = -std::numeric_limits<double>::infinity();
        QTest::newRow("at the target") << -18.0 << -10.0 << 0.0 << 0;
        QTest::newRow("raised") << -25.0 << -9.0 << 7.0 << 0;
        QTest::newRow("lowered") << -8.0 << 0.0 << -10.0 << 0;
        QTest::newRow("peak stops the raise") << -30.0 << -1.0 << 1.0 << int(TrackWarning::TooQuiet);
        QTest::newRow("beyond the largest raise") << -40.0 << -30.0 << 12.0 << int(TrackWarning::TooQuiet);
        QTest::newRow("beyond the largest cut") << -2.0 << 0.0 << -12.0 << int(TrackWarning::TooLoud);
        QTest::newRow("silence") << silence << silence << 0.0 << int(TrackWarning::TooQuiet);
    }
    void loudness()
    {
        QFETCH(double, lufs);
        QFETCH(double, peak);
        QFETCH(double, gain);
        QFETCH(int, warnings);
        FileAnalysis analysis = analysisOf(204);
        analysis.loudnessLufs = lufs;
        analysis.truePeakDb = peak;
        const TrackFigures figures = trackFigures(analysis, TrackTags{}, danceOf(50, 52), planOf(90), RoundSettings{});
        QCOMPARE(figures.gainDb, gain);
        QCOMPARE(int(figures.warnings), warnings);
        QVERIFY(figures.linearGain() <= 4.0f);
    }

    void withoutTempoOrFilePlayedUnchanged_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::addColumn<double>("bpm");
        QTest::addColumn<double>("confidence");
        QTest::addColumn<int>("warning");
        QTest::newRow("no steady pulse") << true << 0.0 << 1.0 << int(TrackWarning::TempoUnknown);
        QTest::newRow("unreadable") << false << 0.0 << 1.0 << int(TrackWarning::Unreadable);
        QTest::newRow("uncertain") << true << 192.0 << 0.1 << int(TrackWarning::TempoUncertain);
    }
    void withoutTempoOrFilePlayedUnchanged()
    {
        QFETCH(bool, opens);
        QFETCH(double, bpm);
        QFETCH(double, confidence);
        QFETCH(int, warning);
        FileAnalysis analysis = analysisOf(bpm);
        analysis.tempoConfidence = confidence;
        analysis.alternativeBeatsPerMinute = 216;
        if (!opens)
            analysis.failure = DecodeFailure::Undecodable;
        const TrackFigures figures = trackFigures(analysis, TrackTags{}, danceOf(50, 52), planOf(90), RoundSettings{});
        QCOMPARE(int(figures.warnings & ~TrackWarnings(TrackWarning::TooShort)), warning);
        QCOMPARE(figures.timeRatio, 1.0);
        QCOMPARE(figures.changePercent, 0.0);
        QCOMPARE(figures.tone, RowTone::Black);
        QVERIFY(!figures.tempoKnown);
    }

    // The heat ends after the dancing time; the fade ends there too and is
    // never longer than the heat.
    void fadeEndsWithTheDancingTime_data()
    {
        QTest::addColumn<int>("danceSeconds");
        QTest::addColumn<double>("fade");
        QTest::addColumn<double>("stopAfter");
        QTest::addColumn<double>("plannedFade");
        QTest::newRow("default fade") << 90 << 5.0 << 90.0 << 5.0;
        QTest::newRow("no fade") << 90 << 0.0 << 90.0 << 0.0;
        QTest::newRow("fade longer than the heat") << 3 << 5.0 << 3.0 << 3.0;
    }
    void fadeEndsWithTheDancingTime()
    {
        QFETCH(int, danceSeconds);
        QFETCH(double, fade);
        RoundSettings settings;
        settings.fadeSeconds = fade;
        FileAnalysis analysis = analysisOf(192);
        analysis.firstBeatSeconds = 0.3;
        analysis.firstSoundSeconds = 0.3;
        analysis.loudnessLufs = -24;
        const DancePlan plan = planOf(danceSeconds);
        const TrackFigures figures = trackFigures(analysis, TrackTags{}, danceOf(50, 52), plan, settings);
        const PlaybackPlan playback = playbackPlan(figures, plan, settings);
        QTEST(playback.stopAfterSeconds, "stopAfter");
        QTEST(playback.fadeSeconds, "plannedFade");
        QCOMPARE(playback.path, analysis.path);
        QCOMPARE(playback.track.startSeconds, 0.3);
        QCOMPARE(playback.track.timeRatio, 48.0 / 51);
        QCOMPARE(playback.gain, float(std::pow(10.0, 6.0 / 20)));
    }
};

QTEST_GUILESS_MAIN(TestTrackFigures)
#include "tst_track_figures.moc"
