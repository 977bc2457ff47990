#include "audio/PlainStretcher.h"
#include "audio/TrackSource.h"
#include "PieceSynth.h"
#include "RenderTrack.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(StretchQuality)
Q_DECLARE_METATYPE(DecodeFailure)

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

std::vector<float> Tone(double frequency, double seconds)
{
    std::vector<float> out(size_t(seconds * kRate));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = float(0.5 * std::sin(2 * kPi * frequency * double(i) / kRate));
    return out;
}

// A sawtooth whose every value within a period tells the frame it came from.
constexpr int kSawPeriod = 32768;
std::vector<float> Saw(double seconds)
{
    std::vector<float> out(size_t(seconds * kRate));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = float(int(i % kSawPeriod) - kSawPeriod / 2) / 32767.0f;
    return out;
}

// Frequency of the left channel by its rising zero crossings, between from and to (seconds).
double Frequency(const std::vector<float>& stereo, double from, double to)
{
    double first = -1;
    double last = 0;
    int crossings = 0;
    for (auto i = size_t(from * kRate); i + 1 < size_t(to * kRate) && 2 * i + 2 < stereo.size(); ++i) {
        const float a = stereo[2 * i];
        const float b = stereo[2 * i + 2];
        if (a < 0 && b >= 0) {
            const double at = double(i) + a / (a - b);
            first = first < 0 ? at : first;
            last = at;
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * kRate / (last - first) : 0;
}

// The longest run of frames that are silent on the left channel.
int LongestSilence(const std::vector<float>& stereo)
{
    int longest = 0;
    int run = 0;
    for (size_t i = 0; i < stereo.size(); i += 2) {
        run = std::abs(stereo[i]) < 1e-3f ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

} // namespace

class TestTrackSource : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    QString write(const QString& name, const std::vector<float>& samples)
    {
        const QString path = dir_.filePath(name);
        return PieceSynth::writeWav(path, samples, kRate) ? path : QString();
    }

private slots:
    void keepsPitchAtAnyTempo_data()
    {
        QTest::addColumn<double>("timeRatio");
        QTest::addColumn<StretchQuality>("quality");
        QTest::newRow("8 % slower, faster engine") << 1 / 0.92 << StretchQuality::Faster;
        QTest::newRow("8 % faster, faster engine") << 1 / 1.08 << StretchQuality::Faster;
        QTest::newRow("8 % slower, finer engine") << 1 / 0.92 << StretchQuality::Finer;
        QTest::newRow("8 % faster, finer engine") << 1 / 1.08 << StretchQuality::Finer;
    }
    void keepsPitchAtAnyTempo()
    {
        QFETCH(double, timeRatio);
        QFETCH(StretchQuality, quality);
        TrackSource track(write("tone.wav", Tone(440, 4)), kRate, {0, timeRatio, quality});
        track.start();
        const std::vector<float> out = RenderTrack(track, 10 * kRate);
        const double heard = double(out.size() / 2) / kRate;
        QVERIFY2(std::abs(heard - 4 * timeRatio) < 0.05, qPrintable(QString::number(heard)));
        const double frequency = Frequency(out, 0.5, heard - 0.5);
        QVERIFY2(std::abs(frequency - 440) < 0.5, qPrintable(QString::number(frequency)));
        QCOMPARE(track.failure(), DecodeFailure::None);
        QCOMPARE(track.underruns(), 0);
    }

    void ratioChangeLeavesNoGap_data()
    {
        QTest::addColumn<double>("secondsBeforeChange");
        QTest::newRow("as it starts") << 0.01;
        QTest::newRow("mid-play") << 1.5;
    }
    void ratioChangeLeavesNoGap()
    {
        QFETCH(double, secondsBeforeChange);
        TrackSource track(write("tone.wav", Tone(440, 4)), kRate);
        track.start();
        const auto change = std::int64_t(secondsBeforeChange * kRate);
        const std::vector<float> out = RenderTrack(track, 10 * kRate, [&](std::int64_t frame) {
            if (frame <= change && change < frame + 512)
                track.setTimeRatio(1 / 1.08);
        });
        QVERIFY2(LongestSilence(out) < 4, qPrintable(QString::number(LongestSilence(out))));
        QCOMPARE(track.underruns(), 0);
        // Played faster from the change on, and heard so within 100 ms (the
        // stretcher's length is good to some 10 ms).
        const double expected = secondsBeforeChange + 0.1 + (4 - secondsBeforeChange - 0.1) / 1.08 + 0.01;
        QVERIFY2(double(out.size() / 2) / kRate <= expected, qPrintable(QString::number(out.size() / 2)));
        QVERIFY(std::abs(Frequency(out, secondsBeforeChange + 0.2, 3.0) - 440) < 0.5);
    }

    // The plain stretcher's frames tell where in the music they came from;
    // the source's reckoning must agree to the sample, across ratio changes.
    void musicPositionFollowsTheRatio_data()
    {
        QTest::addColumn<double>("startSeconds");
        QTest::addColumn<QList<double>>("ratios"); // one per second heard
        QTest::newRow("steady") << 0.0 << QList<double>{1.0};
        QTest::newRow("faster then slower") << 0.0 << QList<double>{1.0, 1 / 1.08, 1 / 0.92, 1.0};
        QTest::newRow("from the middle, many changes")
            << 2.5 << QList<double>{1 / 1.04, 1 / 1.02, 1 / 0.96, 1 / 1.06, 1 / 0.98};
    }
    void musicPositionFollowsTheRatio()
    {
        QFETCH(double, startSeconds);
        QFETCH(QList<double>, ratios);
        const std::vector<float> saw = Saw(12);
        TrackSource track(write("saw.wav", saw), kRate, {startSeconds, ratios.front()},
                          std::make_unique<PlainStretcher>());
        track.start();
        const std::vector<float> out = RenderTrack(track, kRate * ratios.size(), [&](std::int64_t frame) {
            if (frame % kRate < 512)
                track.setTimeRatio(ratios[int(frame / kRate)]);
        });
        // Frames that mix the old and new stretch of a change are off by their fade alone.
        int offBeyondAFrame = 0;
        for (size_t frame = 0; frame < out.size() / 2; frame += 7) {
            const double reckoned = track.musicSecondsAt(std::int64_t(frame)) * kRate;
            const double withinPeriod = std::lround(out[2 * frame] * 32768) + kSawPeriod / 2;
            double off = std::fmod(reckoned - withinPeriod + 10.5 * kSawPeriod, kSawPeriod) - kSawPeriod / 2;
            off = std::min(std::abs(off), kSawPeriod - std::abs(off));
            QVERIFY2(off < 120, qPrintable(QString("frame %1 off by %2").arg(frame).arg(off)));
            offBeyondAFrame += off > 2;
        }
        QVERIFY2(offBeyondAFrame <= ratios.size() * 441 / 7, qPrintable(QString::number(offBeyondAFrame)));
    }

    void endsWithAReason_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<DecodeFailure>("failure");
        QTest::newRow("complete") << "none" << DecodeFailure::None;
        QTest::newRow("cut in half") << "cut" << DecodeFailure::BrokenOff;
        QTest::newRow("missing") << "missing" << DecodeFailure::CannotOpen;
        QTest::newRow("not audio") << "text" << DecodeFailure::Undecodable;
    }
    void endsWithAReason()
    {
        QFETCH(QString, damage);
        QFETCH(DecodeFailure, failure);
        QString path = write("tone.wav", Tone(440, 3));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (damage == "cut")
            QVERIFY(file.resize(file.size() / 2));
        if (damage == "text")
            QVERIFY(file.resize(0) && file.write(QByteArray("no music\n").repeated(100)) > 0);
        file.close();
        if (damage == "missing")
            path += ".gone";
        TrackSource track(path, kRate);
        track.start();
        const std::vector<float> out = RenderTrack(track, 10 * kRate);
        QCOMPARE(track.failure(), failure);
        QCOMPARE(track.failureDetail().isEmpty(), failure == DecodeFailure::None);
        const double heard = double(out.size() / 2) / kRate;
        const double expected = damage == "none" ? 3 : damage == "cut" ? 1.5 : 0;
        QVERIFY2(std::abs(heard - expected) < 0.05, qPrintable(QString::number(heard)));
        float rest[64];
        QCOMPARE(track.render(rest, 32), 0);
    }

    void destroysPromptlyWhilePlaying()
    {
        QElapsedTimer timer;
        timer.start();
        {
            TrackSource track(write("tone.wav", Tone(440, 30)), kRate);
            track.start();
            while (!track.ready())
                QThread::msleep(1);
        }
        QVERIFY(timer.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(TestTrackSource)
#include "tst_track_source.moc"
