// Plays a round of two short dances through the real output into a private
// PulseAudio null sink and records it: each heat sounds for its dancing time,
// ending with its fade, the pause between them is kept, and the heat the hall
// hears is told to the windows that follow the player.
#include "Onsets.h"
#include "PieceSynth.h"
#include "PrivatePulse.h"
#include "audio/AudioOutput.h"
#include "common/Clock.h"
#include "common/PlayingHeat.h"
#include "music/MusicAnalysis.h"
#include "play/RoundPlayer.h"
#include "play/TrackTags.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

constexpr int kRate = PrivatePulse::kSampleRate;

RunningDance dance(const QString& name, double bars, int beatsPerBar)
{
    RunningDance running;
    running.name = name;
    running.tempo = TempoRange{bars - 1, bars + 1};
    running.danceTimeMin = 3;
    running.danceTimeMax = 4;
    running.beatsPerBar = beatsPerBar;
    return running;
}

} // namespace

class TestRoundPlayer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivatePulse> pulse_;
    QTemporaryDir dir_;

    QString writePiece(const QString& name, double bars, int beatsPerBar, double seconds = 8)
    {
        PieceRecipe recipe;
        recipe.barsPerMinute = bars;
        recipe.beatsPerBar = beatsPerBar;
        recipe.seconds = seconds;
        const QString path = dir_.filePath(name);
        return PieceSynth::writeWav(path, PieceSynth::render(recipe)) ? path : QString();
    }

private slots:
    void initTestCase()
    {
        pulse_ = std::make_unique<PrivatePulse>();
        if (!pulse_->running())
            QSKIP(qPrintable("no sound server to test with: " + pulse_->failure()));
    }

    void cleanupTestCase() { pulse_.reset(); }

    void aRoundOfTwoDancesEndsEachHeatWithItsDancingTime()
    {
        RunningOrder order;
        // The pieces are a little off the rules' middle, so both are stretched.
        order.dances = {dance("Langsamer Walzer", 29, 3), dance("Tango", 32, 4)};
        const QStringList pieces{writePiece("waltz.wav", 28.4, 3), writePiece("tango.wav", 32.6, 4)};
        RoundPlan plan = RoundPlan::defaultFor(order);
        plan.settings.fadeSeconds = 1;
        plan.settings.betweenHeats = BetweenHeats::Gap;
        plan.settings.gapSeconds = 1.5;
        for (int i = 0; i < 2; ++i)
            plan.dances[i].tracks = QStringList{pieces[i]};
        QHash<QString, FileAnalysis> analyses;
        for (const QString& piece : pieces)
            analyses.insert(piece, analyseFile(piece));

        SteadyClock clock;
        AudioOutput output(clock);
        PlayingHeat heat;
        QSignalSpy begun(&heat, &PlayingHeat::begun);
        QSignalSpy ended(&heat, &PlayingHeat::ended);
        RoundPlayer player(&output, &heat);
        player.setRound(plan, order, [&](int index, const QString& path) {
            return std::optional<TrackFigures>(trackFigures(analyses.value(path), readTrackTags(path),
                                                            order.dances[index], plan.dances[index], plan.settings));
        });
        QVERIFY(output.ensureOpen(true));
        QVERIFY(pulse_->startRecording());
        player.startOrNext();
        QCOMPARE(player.phase(), RoundPlayer::Phase::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(player.heardSeconds().value_or(0) > 1, 5000);
        QVERIFY(heat.heardSeconds().value_or(0) > 1);
        QCOMPARE(heat.dance(), QString("Langsamer Walzer"));
        QCOMPARE(heat.nextDance(), QString("Tango"));
        QTRY_VERIFY_WITH_TIMEOUT(player.phase() == RoundPlayer::Phase::Finished, 20000);
        QTest::qWait(500);
        const auto parts = FindSoundingParts(pulse_->stopRecording(), kRate);
        QVERIFY2(player.problem().isEmpty(), qPrintable(player.problem()));
        QCOMPARE(begun.count(), 2);
        QCOMPARE(ended.count(), 2);
        QCOMPARE(parts.size(), std::size_t(2));
        for (const SoundingPart& part : parts) {
            const double seconds = part.seconds();
            QVERIFY2(std::abs(seconds - 3.0) <= 0.02, qPrintable(QString("a heat sounded for %1 s").arg(seconds)));
        }
        QVERIFY2(parts[1].start - parts[0].end >= 1.5, "the pause between the heats is kept");
    }

    // The sound server ends in the middle of a heat and comes back: the heat
    // goes on where it was heard, and still ends with its dancing time.
    void aHeatGoesOnWhenTheSoundComesBack()
    {
        RunningOrder order;
        order.dances = {dance("Tango", 32, 4)};
        order.dances[0].danceTimeMin = order.dances[0].danceTimeMax = 8;
        const QString piece = writePiece("long tango.wav", 32, 4, 20);
        RoundPlan plan = RoundPlan::defaultFor(order);
        plan.settings.fadeSeconds = 1;
        plan.dances[0].tracks = QStringList{piece};
        const FileAnalysis analysis = analyseFile(piece);

        SteadyClock clock;
        AudioOutput output(clock);
        PlayingHeat heat;
        RoundPlayer player(&output, &heat);
        player.setRound(plan, order, [&](int, const QString& path) {
            return std::optional<TrackFigures>(
                trackFigures(analysis, readTrackTags(path), order.dances[0], plan.dances[0], plan.settings));
        });
        QVERIFY(output.ensureOpen(true));
        player.startOrNext();
        QTRY_VERIFY_WITH_TIMEOUT(player.heardSeconds().value_or(0) > 2, 5000);
        pulse_->stopServer();
        QTRY_VERIFY_WITH_TIMEOUT(player.waitingForSound(), 5000);
        QCOMPARE(player.phase(), RoundPlayer::Phase::Playing);
        QVERIFY(!player.problem().isEmpty());
        const double before = player.heardSeconds().value_or(0);
        QVERIFY2(before > 1.9 && before < 4, qPrintable(QString("heard before the loss: %1 s").arg(before)));
        QTest::qWait(300);
        QCOMPARE(player.heardSeconds().value_or(0), before); // the hall's clocks hold

        QVERIFY2(pulse_->restartServer(), qPrintable(pulse_->failure()));
        QVERIFY(pulse_->startRecording());
        QTRY_VERIFY_WITH_TIMEOUT(!player.waitingForSound(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(player.phase() == RoundPlayer::Phase::Finished, 15000);
        QTest::qWait(500);
        const auto parts = FindSoundingParts(pulse_->stopRecording(), kRate);
        QVERIFY2(player.problem().isEmpty(), qPrintable(player.problem()));
        QCOMPARE(parts.size(), std::size_t(1));
        const double rest = parts[0].seconds();
        QVERIFY2(std::abs(before + rest - 8) <= 0.05,
                 qPrintable(QString("%1 s before the loss and %2 s after it").arg(before).arg(rest)));
    }
};

QTEST_MAIN(TestRoundPlayer)
#include "tst_round_player.moc"
