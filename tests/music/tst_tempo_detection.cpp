#include "music/AudioDecoder.h"
#include "music/MusicAnalysis.h"
#include "music/MusicJudgement.h"
#include "music/OctaveChoice.h"
#include "PieceSynth.h"
#include "music/TempoDetector.h"
#include <QProcess>
#include <aubio/aubio.h>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(DecodeFailure)

namespace {

std::vector<double> BeatTimes(double period, int count, const std::vector<double>& jitter)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i)
        times.push_back(0.3 + i * period + jitter[size_t(i) % jitter.size()]);
    return times;
}

// An onset envelope of a waltz at 100 frames a second: one as strong as
// downbeat (soft by default), two and three at 1, humanised by up to a frame;
// or, with beatsPerMinute 0, noise.
std::vector<float> WaltzEnvelope(double beatsPerMinute, double seconds, float downbeat = 0.3f)
{
    std::vector<float> envelope(std::size_t(seconds * 100), 0.0f);
    std::uint32_t state = 7;
    auto random = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    if (beatsPerMinute <= 0) {
        for (float& value : envelope)
            value = float(random() % 1000) / 1000.0f;
        return envelope;
    }
    const double beatFrames = 6000 / beatsPerMinute;
    for (int beat = 0; beat * beatFrames + 1 < double(envelope.size()); ++beat) {
        const auto frame = std::size_t(beat * beatFrames) + random() % 2;
        if (frame < envelope.size())
            envelope[frame] += beat % 3 == 0 ? downbeat : 1.0f;
    }
    return envelope;
}

bool ExactRelative(double value, double truth)
{
    for (double ratio : {1.0, 2.0, 0.5, 3.0, 1.0 / 3, 1.5, 2.0 / 3})
        if (std::abs(value / (truth * ratio) - 1) < 0.005)
            return true;
    return false;
}

double RelativeError(double value, double truth)
{
    return std::abs(value - truth) / truth;
}

} // namespace

class TestTempoDetection : public QObject {
    Q_OBJECT
private slots:
    void periodFromBeats_data()
    {
        QTest::addColumn<std::vector<double>>("times");
        QTest::addColumn<double>("period");
        const std::vector<double> frameJitter{0, 0.011, -0.006, 0.004, -0.011, 0.008};
        QTest::newRow("steady with frame jitter") << BeatTimes(0.3, 200, frameJitter) << 0.3;
        std::vector<double> missed = BeatTimes(0.5, 100, {0});
        missed.erase(missed.begin() + 40);
        missed.erase(missed.begin() + 70);
        QTest::newRow("missed beats") << missed << 0.5;
        std::vector<double> stray = BeatTimes(0.4, 120, {0, 0.005});
        stray.insert(stray.begin() + 50, stray[50] + 0.13); // an offbeat taken for a beat
        QTest::newRow("a stray beat") << stray << 0.4;
        // A slow intro at half tempo before the groove: the groove's pulse wins.
        std::vector<double> intro = BeatTimes(0.8, 8, {0});
        const double grooveStart = intro.back() + 0.4;
        for (double t : BeatTimes(0.4, 150, {0}))
            intro.push_back(grooveStart + t);
        QTest::newRow("half-tempo intro") << intro << 0.4;
        QTest::newRow("too few beats") << BeatTimes(0.5, 3, {0}) << 0.0;
    }
    void periodFromBeats()
    {
        QFETCH(std::vector<double>, times);
        QFETCH(double, period);
        const double found = periodFromBeatTimes(times);
        if (period == 0)
            QCOMPARE(found, 0.0);
        else
            QVERIFY2(RelativeError(found, period) < 0.001, qPrintable(QString::number(found)));
    }

    void firstBeat_data()
    {
        QTest::addColumn<std::vector<double>>("times");
        QTest::addColumn<double>("period");
        QTest::addColumn<double>("firstSound");
        QTest::addColumn<double>("firstBeat");
        QTest::newRow("tracked from the start") << BeatTimes(0.5, 20, {0}) << 0.5 << 0.3 << 0.3;
        std::vector<double> late;
        for (double t : BeatTimes(0.5, 20, {0}))
            late.push_back(4.0 + t); // from 4.3 s
        QTest::newRow("locked on after eight beats") << late << 0.5 << 0.3 << 0.3;
        QTest::newRow("the sound starts a little after the beat") << late << 0.5 << 0.33 << 0.3;
        std::vector<double> stray = late;
        stray.insert(stray.begin(), 0.1);
        QTest::newRow("a stray beat before the pulse") << stray << 0.5 << 0.0 << 0.3;
        QTest::newRow("no pulse: the first beat tracked") << stray << 0.0 << 0.0 << 0.1;
        QTest::newRow("no beats") << std::vector<double>() << 0.5 << 0.0 << 0.0;
    }
    void firstBeat()
    {
        QFETCH(std::vector<double>, times);
        QFETCH(double, period);
        QFETCH(double, firstSound);
        QFETCH(double, firstBeat);
        QVERIFY(std::abs(firstBeatTime(times, period, firstSound) - firstBeat) < 1e-9);
    }

    // Whole pieces through the beat tracker: within 1 % once the rule range has chosen the reading.
    void detectsSynthesisedPieces_data()
    {
        QTest::addColumn<double>("bars");
        QTest::addColumn<int>("beatsPerBar");
        QTest::addColumn<double>("swing");
        QTest::addColumn<int>("intro");
        QTest::addColumn<int>("pattern");
        QTest::addColumn<bool>("orchestral");
        QTest::newRow("quickstep 51") << 51.0 << 4 << 0.0 << 0 << 0 << false;
        QTest::newRow("slow waltz 29 with intro") << 29.0 << 3 << 0.0 << 2 << 2 << false;
        QTest::newRow("viennese 59") << 59.0 << 3 << 0.0 << 0 << 1 << false;
        QTest::newRow("jive 43 swung") << 43.0 << 4 << 1.0 / 3 << 0 << 0 << false;
        QTest::newRow("cha-cha 31 latin") << 31.0 << 4 << 0.0 << 0 << 1 << false;
        // Trackers settle at about 1.5 times the beat of these.
        QTest::newRow("orchestral slow waltz 28") << 28.0 << 3 << 0.0 << 0 << 0 << true;
        QTest::newRow("orchestral slow waltz 29 with intro") << 29.0 << 3 << 0.0 << 2 << 0 << true;
    }
    void detectsSynthesisedPieces()
    {
        QFETCH(double, bars);
        QFETCH(int, beatsPerBar);
        QFETCH(double, swing);
        QFETCH(int, intro);
        QFETCH(int, pattern);
        QFETCH(bool, orchestral);
        PieceRecipe recipe;
        recipe.orchestral = orchestral;
        recipe.humaniseSeconds = orchestral ? 0.012 : 0;
        recipe.reverb = orchestral ? 0.3 : 0;
        recipe.barsPerMinute = bars;
        recipe.beatsPerBar = beatsPerBar;
        recipe.seconds = 25;
        recipe.swing = swing;
        recipe.introBars = intro;
        recipe.pattern = pattern;
        const TempoReading reading = detectTempo(PieceSynth::render(recipe), PieceSynth::SampleRate);
        QVERIFY(reading.beatsPerMinute > 0);
        const OctaveChoice choice = chooseOctave(reading.beatsPerMinute, beatsPerBar, TempoRange{bars - 1, bars + 1});
        QVERIFY2(RelativeError(choice.barsPerMinute, bars) < 0.01, qPrintable(QString::number(choice.barsPerMinute)));
        // The pieces' first beat is their first frame. The tracker may follow
        // a syncopated pattern's offbeats, but the start loses no whole beat.
        const double beatSeconds = 60 / (choice.barsPerMinute * beatsPerBar);
        const double firstBeat = earliestBeat(reading.firstBeatSeconds, beatSeconds, reading.firstSoundSeconds);
        QVERIFY2(firstBeat < beatSeconds * 0.6, qPrintable(QString::number(firstBeat)));
    }

    // The tracker's reading against the onsets' periodicity: a pulse between
    // the beat and its subdivision is replaced, an exact one kept, and music
    // without a pulse is marked uncertain.
    void periodicityCheck_data()
    {
        QTest::addColumn<double>("beat");
        QTest::addColumn<double>("reading");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<bool>("uncertain");
        QTest::newRow("waltz tracked at 1.5 times, off by 3 %") << 87.0 << 134.4 << false << false;
        QTest::newRow("waltz tracked at 1.5 times, off by 1.3 %") << 91.0 << 138.3 << false << false;
        QTest::newRow("waltz tracked right") << 87.0 << 87.05 << true << false;
        QTest::newRow("waltz tracked at the bar") << 174.0 << 58.02 << true << false;
        QTest::newRow("noise") << 0.0 << 120.0 << false << true;
    }
    void periodicityCheck()
    {
        QFETCH(double, beat);
        QFETCH(double, reading);
        QFETCH(bool, kept);
        QFETCH(bool, uncertain);
        TempoReading tempo;
        tempo.beatsPerMinute = reading;
        checkPeriodicity(tempo, PeriodicityCheck(WaltzEnvelope(beat, 60), 100));
        QCOMPARE(tempo.uncertain(), uncertain);
        if (kept) {
            QCOMPARE(tempo.beatsPerMinute, reading);
            QCOMPARE(tempo.alternativeBeatsPerMinute, 0.0);
        }
        else {
            QCOMPARE(tempo.alternativeBeatsPerMinute, reading);
        }
        if (!uncertain)
            QVERIFY2(ExactRelative(tempo.beatsPerMinute, beat), qPrintable(QString::number(tempo.beatsPerMinute)));
    }

    // A doubtful waltz settled by its dance's range from the onsets alone,
    // whatever the tracker read (here 1.5 times the beat and 3 % off): to a
    // tenth of a bar, judged in or out; a truth beyond the search, or no
    // pulse, stays in doubt.
    void rangeSettlesWaltzes_data()
    {
        QTest::addColumn<double>("bars");
        QTest::addColumn<float>("downbeat");
        QTest::addColumn<double>("min");
        QTest::addColumn<bool>("settled");
        QTest::newRow("slow waltz 29, soft one") << 29.0 << 0.3f << 28.0 << true;
        QTest::newRow("slow waltz 30.75, nothing on one") << 30.75 << 0.0f << 28.0 << true;
        QTest::newRow("slow waltz 27.3, accented one") << 27.3 << 2.0f << 28.0 << true;
        QTest::newRow("viennese 59, soft one") << 59.0 << 0.3f << 58.0 << true;
        QTest::newRow("viennese 56.55, nothing on one") << 56.55 << 0.0f << 58.0 << true;
        QTest::newRow("viennese 61.5, soft one") << 61.5 << 0.3f << 58.0 << true;
        QTest::newRow("slow waltz 34, beyond the search") << 34.0 << 0.3f << 28.0 << false;
        QTest::newRow("noise") << 0.0 << 0.3f << 28.0 << false;
    }
    void rangeSettlesWaltzes()
    {
        QFETCH(double, bars);
        QFETCH(float, downbeat);
        QFETCH(double, min);
        QFETCH(bool, settled);
        const TempoRange range{min, min + 2};
        FileAnalysis analysis;
        analysis.beatsPerMinute = bars > 0 ? bars * 3 * 1.5 * 1.03 : 120;
        analysis.tempoConfidence = 0.2;
        analysis.onsets = std::make_shared<const PeriodicityCheck>(WaltzEnvelope(bars * 3, 60, downbeat), 100);
        const MusicVerdict verdict = judge(analysis, {range, 3, 0, 0});
        QCOMPARE(verdict.tempoUncertain, !settled);
        if (!settled)
            return;
        QVERIFY2(std::abs(verdict.choice.barsPerMinute - bars) < 0.1,
                 qPrintable(QString::number(verdict.choice.barsPerMinute)));
        const bool inside = range.min <= bars && bars <= range.max;
        QCOMPARE(verdict.tone, inside ? RowTone::Green : RowTone::Red);
    }

    void cancelledDetectionIsEmpty()
    {
        const std::atomic_bool cancel{true};
        PieceRecipe recipe;
        recipe.seconds = 5;
        QCOMPARE(detectTempo(PieceSynth::render(recipe), PieceSynth::SampleRate, &cancel).beatsPerMinute, 0.0);
    }

    void decodesEncodedFormats_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("encoder");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("wav") << "wav" << QString() << QStringList();
        QTest::newRow("flac") << "flac"
                              << "flac" << QStringList{"-s", "-f", "-o", "%out", "%in"};
        QTest::newRow("mp3") << "mp3"
                             << "lame" << QStringList{"--quiet", "%in", "%out"};
        QTest::newRow("ogg") << "ogg"
                             << "oggenc" << QStringList{"-Q", "-o", "%out", "%in"};
    }
    void decodesEncodedFormats()
    {
        QFETCH(QString, suffix);
        QFETCH(QString, encoder);
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        PieceRecipe recipe;
        recipe.seconds = 6;
        const QString wav = dir.filePath("piece.wav");
        QVERIFY(PieceSynth::writeWav(wav, PieceSynth::render(recipe)));
        QString file = wav;
        if (!encoder.isEmpty()) {
            if (QStandardPaths::findExecutable(encoder).isEmpty())
                QSKIP("encoder not installed");
            file = dir.filePath("piece." + suffix);
            arguments.replaceInStrings("%in", wav);
            arguments.replaceInStrings("%out", file);
            QCOMPARE(QProcess::execute(encoder, arguments), 0);
        }
        const DecodedAudio audio = decodeAudioFile(file);
        QVERIFY2(audio.ok(), qPrintable(audio.detail));
        QCOMPARE(audio.sampleRate, 22050);
        // Encoders pad a little at either end.
        QVERIFY2(std::abs(audio.seconds() - 6.0) < 0.1, qPrintable(QString::number(audio.seconds())));
        QCOMPARE(int(audio.samples.size()), int(audio.sampleCount));
    }

    // Recordings at telephone and other low rates, up-sampled for the
    // analysis, keep their tempo (the 8 kHz one took the tracker one element
    // past its window).
    void lowRatesKeepTheTempo_data()
    {
        QTest::addColumn<int>("rate");
        QTest::newRow("4 kHz") << 4000;
        QTest::newRow("8 kHz") << 8000;
        QTest::newRow("11.025 kHz") << 11025;
    }
    void lowRatesKeepTheTempo()
    {
        QFETCH(int, rate);
        QTemporaryDir dir;
        PieceRecipe recipe;
        recipe.barsPerMinute = 25;
        recipe.seconds = 20;
        const std::vector<float> full = PieceSynth::render(recipe);
        std::vector<float> low(full.size() * size_t(rate) / PieceSynth::SampleRate);
        const double step = double(PieceSynth::SampleRate) / rate;
        // Each low sample the mean of the full ones it stands for: enough against aliasing for drums.
        for (size_t i = 0; i < low.size(); ++i) {
            const auto from = size_t(double(i) * step);
            const size_t to = std::min(full.size(), size_t(double(i + 1) * step));
            double sum = 0;
            for (size_t j = from; j < to; ++j)
                sum += full[j];
            low[i] = float(sum / double(std::max<size_t>(1, to - from)));
        }
        const QString wav = dir.filePath("low.wav");
        QVERIFY(PieceSynth::writeWav(wav, low, rate));
        const FileAnalysis analysis = analyseFile(wav);
        QVERIFY2(analysis.ok(), qPrintable(analysis.detail));
        QVERIFY2(RelativeError(analysis.beatsPerMinute, 100) < 0.01,
                 qPrintable(QString::number(analysis.beatsPerMinute)));
    }

    // The spare zero past the tracker's vectors is there also for those the
    // library makes itself (read past their end, the sanitizers object).
    void libraryVectorsHaveASpareZero()
    {
        fvec_t* window = new_aubio_window(const_cast<char*>("hanning"), 16);
        QVERIFY(window);
        QCOMPARE(window->data[16], 0.0f);
        del_fvec(window);
    }

    void longFilesKeepTheirLengthButNotAllSamples()
    {
        QTemporaryDir dir;
        PieceRecipe recipe;
        recipe.seconds = 5;
        const QString wav = dir.filePath("long.wav");
        QVERIFY(PieceSynth::writeWav(wav, PieceSynth::render(recipe)));
        const DecodedAudio audio = decodeAudioFile(wav, 22050, nullptr, 2.0);
        QVERIFY(audio.ok());
        QCOMPARE(int(audio.samples.size()), 2 * 22050);
        QVERIFY(std::abs(audio.seconds() - 5.0) < 0.01);
    }

    void unreadableFilesSayWhy_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<DecodeFailure>("failure");
        QTest::newRow("text named mp3") << QByteArray("not music at all, just words\n").repeated(20)
                                        << DecodeFailure::Undecodable;
        QTest::newRow("empty") << QByteArray() << DecodeFailure::Empty;
        QTest::newRow("cut after the header")
            << QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16) << DecodeFailure::Undecodable;
    }
    void unreadableFilesSayWhy()
    {
        QFETCH(QByteArray, content);
        QFETCH(DecodeFailure, failure);
        QTemporaryDir dir;
        QFile file(dir.filePath("broken.mp3"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(analyseFile(file.fileName()).failure, failure);
        QCOMPARE(analyseFile(dir.filePath("missing.mp3")).failure, DecodeFailure::CannotOpen);
    }
};

QTEST_GUILESS_MAIN(TestTempoDetection)
#include "tst_tempo_detection.moc"
