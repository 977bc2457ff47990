#include "audio/TrackSource.h"
#include "music/OctaveChoice.h"
#include "music/TempoDetector.h"
#include "PieceSynth.h"
#include "RenderTrack.h"
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(StretchQuality)

// A piece stretched by a track to the rule tempo measures at that tempo with
// the music check's own detector.
class TestTrackTempo : public QObject {
    Q_OBJECT
private slots:
    void stretchedPieceMeasuresAtTarget_data()
    {
        QTest::addColumn<double>("bars");
        QTest::addColumn<int>("beatsPerBar");
        QTest::addColumn<double>("target");
        QTest::addColumn<StretchQuality>("quality");
        QTest::newRow("quickstep 48 to 51") << 48.0 << 4 << 51.0 << StretchQuality::Faster;
        QTest::newRow("slow waltz 31 to 29") << 31.0 << 3 << 29.0 << StretchQuality::Faster;
        QTest::newRow("cha-cha 30 to 32, finer") << 30.0 << 4 << 32.0 << StretchQuality::Finer;
    }
    void stretchedPieceMeasuresAtTarget()
    {
        QFETCH(double, bars);
        QFETCH(int, beatsPerBar);
        QFETCH(double, target);
        QFETCH(StretchQuality, quality);
        QTemporaryDir dir;
        PieceRecipe recipe;
        recipe.barsPerMinute = bars;
        recipe.beatsPerBar = beatsPerBar;
        recipe.seconds = 25;
        const QString path = dir.filePath("piece.wav");
        QVERIFY(PieceSynth::writeWav(path, PieceSynth::render(recipe)));
        TrackSource track(path, PieceSynth::SampleRate, {0, bars / target, quality});
        track.start();
        const std::vector<float> stereo = RenderTrack(track, 60 * PieceSynth::SampleRate);
        std::vector<float> mono(stereo.size() / 2);
        for (size_t i = 0; i < mono.size(); ++i)
            mono[i] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
        const TempoReading reading = detectTempo(mono, PieceSynth::SampleRate);
        const OctaveChoice choice =
            chooseOctave(reading.beatsPerMinute, beatsPerBar, TempoRange{target - 1, target + 1});
        QVERIFY2(std::abs(choice.barsPerMinute - target) / target < 0.003,
                 qPrintable(QString::number(choice.barsPerMinute)));
    }
};

QTEST_GUILESS_MAIN(TestTrackTempo)
#include "tst_track_tempo.moc"
