// Plays tracks through the real output into a private PulseAudio null sink,
// records the sink and checks what was heard: the tempo of a stretched piece,
// the pitch of a stretched tone, where a planned fade ends, no gap when the
// ratio changes, and a damaged file that ends alone while the clicks go on.
#include "Onsets.h"
#include "PieceSynth.h"
#include "PrivatePulse.h"
#include "audio/AudioOutput.h"
#include "audio/ResourceSoundPlayer.h"
#include "audio/TrackPlayback.h"
#include "common/Clock.h"
#include "music/OctaveChoice.h"
#include "music/TempoDetector.h"
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

constexpr int kRate = PrivatePulse::kSampleRate;
// The longest run of silent frames between `from` and `to`.
std::size_t longestSilence(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    std::size_t longest = 0;
    std::size_t run = 0;
    for (std::size_t i = from; i < to; ++i) {
        run = std::abs(samples[i]) < 1e-4f ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

} // namespace

class TestTrackPlayback : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivatePulse> pulse;
    QTemporaryDir folder;
    SteadyClock clock;

    QString writePiece(const QString& name, const std::vector<float>& samples)
    {
        const QString path = folder.filePath(name);
        return PieceSynth::writeWav(path, samples) ? path : QString();
    }

    // Plays the plan while recording the sink; `during` runs every 20 ms with the seconds since the start.
    template <typename During>
    std::vector<float> record(AudioOutput& output, const PlaybackPlan& plan, double seconds, During during)
    {
        if (!pulse->startRecording())
            return {};
        TrackPlayback playback(output, plan);
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < seconds * 1000 && !playback.finished()) {
            QTest::qWait(20);
            playback.poll();
            during(playback, elapsed.elapsed() / 1000.0);
        }
        QTest::qWait(500); // the output's latency
        return pulse->stopRecording();
    }

private slots:
    void initTestCase()
    {
        pulse = std::make_unique<PrivatePulse>();
        if (!pulse->running())
            QSKIP(qPrintable("no sound server to test with: " + pulse->failure()));
        QVERIFY(folder.isValid());
    }

    void cleanupTestCase() { pulse.reset(); }

    void aStretchedPieceIsHeardAtItsTargetTempo_data()
    {
        QTest::addColumn<double>("target");
        QTest::newRow("8 % faster") << 54.0;
        QTest::newRow("8 % slower") << 46.0;
    }

    void aStretchedPieceIsHeardAtItsTargetTempo()
    {
        QFETCH(double, target);
        PieceRecipe recipe;
        recipe.barsPerMinute = 50;
        recipe.seconds = 24;
        const QString piece = writePiece("piece.wav", PieceSynth::render(recipe));
        AudioOutput output(clock);
        PlaybackPlan plan{piece, {0, recipe.barsPerMinute / target, StretchQuality::Faster}, 1, 0, 0};
        const auto heard = record(output, plan, 16, [](TrackPlayback&, double) {});
        QVERIFY(heard.size() > std::size_t(14 * kRate));
        const TempoReading reading = detectTempo(heard, kRate);
        const double bars = chooseOctave(reading.beatsPerMinute, 4, TempoRange{target - 1, target + 1}).barsPerMinute;
        QVERIFY2(std::abs(bars / target - 1) < 0.005, qPrintable(QString("heard %1 bars/min").arg(bars)));
    }

    void aStretchedToneKeepsItsPitch_data()
    {
        QTest::addColumn<double>("speed");
        QTest::newRow("-8 %") << 0.92;
        QTest::newRow("+8 %") << 1.08;
    }

    void aStretchedToneKeepsItsPitch()
    {
        QFETCH(double, speed);
        const QString file = writePiece("tone.wav", SineTone(440, 5, PieceSynth::SampleRate));
        AudioOutput output(clock);
        const auto heard =
            record(output, {file, {0, 1 / speed, StretchQuality::Faster}, 1, 0, 0}, 3, [](TrackPlayback&, double) {});
        const std::size_t start = FirstSound(heard);
        QVERIFY(start + 2 * kRate < heard.size());
        const double hertz = ToneFrequency(heard, start + kRate / 2, start + 2 * kRate, kRate);
        QVERIFY2(std::abs(hertz - 440) <= 0.5, qPrintable(QString("heard %1 Hz").arg(hertz)));
    }

    void aPlannedFadeEndsOnTime()
    {
        const QString file = writePiece("long-tone.wav", SineTone(440, 6, PieceSynth::SampleRate));
        AudioOutput output(clock);
        const auto heard =
            record(output, {file, {0, 1, StretchQuality::Faster}, 1, 2.0, 1.0}, 5, [](TrackPlayback&, double) {});
        const double seconds = double(LastSound(heard) - FirstSound(heard)) / kRate;
        QVERIFY2(std::abs(seconds - 2.0) <= 0.010, qPrintable(QString("heard for %1 s").arg(seconds)));
    }

    void aChangeOfRatioWhilePlayingLeavesNoGap()
    {
        const QString file = writePiece("tone-for-changes.wav", SineTone(440, 8, PieceSynth::SampleRate));
        AudioOutput output(clock);
        const double ratios[] = {1 / 0.92, 1 / 1.08, 1.0};
        const auto heard = record(
            output, {file, {0, 1, StretchQuality::Faster}, 1, 0, 0}, 4,
            [&](TrackPlayback& playback, double seconds) { playback.setTimeRatio(ratios[std::min(2, int(seconds))]); });
        const std::size_t start = FirstSound(heard);
        QVERIFY(start + 3 * kRate < heard.size());
        QVERIFY2(longestSilence(heard, start, start + 3 * kRate) < 10,
                 qPrintable(QString("%1 silent frames").arg(longestSilence(heard, start, start + 3 * kRate))));
    }

    void aDamagedFileEndsAloneWithAReasonWhileTheClicksGoOn()
    {
        const QString file = folder.filePath("damaged.mp3");
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10) + QByteArray(20000, '\x55'));
        damaged.close();
        AudioOutput output(clock);
        ResourceSoundPlayer sounds(output);
        QVERIFY(sounds.startClicks({0.1, 4, "TOMTOM_HI", "drum_stick"}));
        TrackPlayback playback(output, {file, {}, 1, 0, 0});
        QTRY_VERIFY_WITH_TIMEOUT((playback.poll(), playback.finished()), 5000);
        QCOMPARE(playback.state(), TrackPlayback::State::Failed);
        QVERIFY(playback.track().failure() != DecodeFailure::None);
        const std::int64_t clicks = sounds.clicksPlaced();
        QTRY_VERIFY_WITH_TIMEOUT(sounds.clicksPlaced() >= clicks + 3, 3000);
        QVERIFY(output.hasOutput());
    }
};

QTEST_MAIN(TestTrackPlayback)
#include "tst_track_playback.moc"
