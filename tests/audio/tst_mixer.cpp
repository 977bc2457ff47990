#include "audio/ClickSource.h"
#include "audio/Mixer.h"
#include "audio/OneShotSource.h"
#include <QtTest>
#include <cmath>

namespace {

constexpr int kAccent = 0;
constexpr int kClick = 1;
constexpr float kAccentLevel = 0.5f;
constexpr float kClickLevel = 0.25f;
constexpr int kRate = 1000; // a frame is a millisecond: frames and times read alike

// Short sounds whose level tells them apart.
OneShotSource::Sounds makeSounds()
{
    return std::make_shared<std::vector<MonoSound>>(
        std::vector<MonoSound>{MonoSound(3, kAccentLevel), MonoSound(2, kClickLevel), MonoSound(4, 0.75f)});
}

// Renders `frames` frames in buffers of `buffer` frames; the left channel,
// after checking the right one is the same (mono sounds are centred).
std::vector<float> render(AudioSource& source, int frames, int buffer)
{
    std::vector<float> stereo(std::size_t(frames) * 2);
    for (int at = 0; at < frames; at += buffer)
        source.render(stereo.data() + std::size_t(at) * 2, std::min(buffer, frames - at));
    std::vector<float> left(frames);
    for (int i = 0; i < frames; ++i) {
        left[i] = stereo[std::size_t(i) * 2];
        if (stereo[std::size_t(i) * 2 + 1] != left[i])
            qWarning("frame %d is not centred", i);
    }
    return left;
}

// A source of one constant level in both channels, ending after `frames` (-1: never).
class LevelSource : public AudioSource {
public:
    explicit LevelSource(float level, int frames = -1)
        : level_(level),
          left_(frames)
    {
    }
    int render(float* out, int frames) override
    {
        const int made = left_ < 0 ? frames : std::min(frames, left_);
        std::fill_n(out, std::size_t(made) * Channels, level_);
        if (left_ >= 0)
            left_ -= made;
        return made;
    }

private:
    float level_;
    int left_;
};

// Renders a mixer's stereo output in buffers of `buffer` frames, each heard 1 s after it is rendered; the left channel.
std::vector<float> mix(Mixer& mixer, int frames, int buffer = 10)
{
    std::vector<float> out(std::size_t(frames) * 2);
    for (int at = 0; at < frames; at += buffer)
        mixer.render(out.data() + std::size_t(at) * 2, std::min(buffer, frames - at), 2, 1.0 + at / 1000.0);
    std::vector<float> left(frames);
    for (int i = 0; i < frames; ++i)
        left[i] = out[std::size_t(i) * 2];
    return left;
}

// "A@0 C@11": each sound's first frame after silence, by its level.
QString onsets(const std::vector<float>& out)
{
    QStringList found;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != 0 && (i == 0 || out[i - 1] == 0))
            found << QString("%1@%2").arg(out[i] == kAccentLevel ? "A" : out[i] == kClickLevel ? "C" : "?").arg(i);
    }
    return found.join(' ');
}

} // namespace

class TestMixer : public QObject {
    Q_OBJECT

private slots:
    void idleIsSilentAndTheAnchorFollowsTheBuffers()
    {
        Mixer mixer(kRate);
        QVERIFY(!mixer.anchor());
        QVERIFY(!mixer.heardFrame(0));
        QCOMPARE(mix(mixer, 30), std::vector<float>(30, 0.0f));
        const auto anchor = mixer.anchor();
        QVERIFY(anchor);
        QCOMPARE(anchor->frame, std::int64_t(20));
        QCOMPARE(anchor->dacTime, 1.02);
    }

    void oneShotSounds_data()
    {
        QTest::addColumn<QList<int>>("plays"); // one sound per buffer of 5 frames; -1 none
        QTest::addColumn<QString>("heard");
        QTest::newRow("a sound, then silence") << QList<int>{kClick, -1} << "C@0";
        QTest::newRow("the next sound waits for its buffer") << QList<int>{-1, kAccent} << "A@5";
        QTest::newRow("an unknown sound plays nothing") << QList<int>{7, -1} << "";
    }

    void oneShotSounds()
    {
        QFETCH(QList<int>, plays);
        QFETCH(QString, heard);
        OneShotSource source(makeSounds());
        std::vector<float> out;
        for (int sound : plays) {
            if (sound != -1)
                QCOMPARE(source.play(sound), sound < 3);
            const auto buffer = render(source, 5, 5);
            out.insert(out.end(), buffer.begin(), buffer.end());
        }
        QCOMPARE(onsets(out), heard);
    }

    void aNewSoundCutsOffTheOnePlaying()
    {
        OneShotSource source(makeSounds());
        source.play(2);
        std::vector<float> out = render(source, 2, 2);
        source.play(kClick);
        const auto rest = render(source, 4, 4);
        out.insert(out.end(), rest.begin(), rest.end());
        QCOMPARE(out, (std::vector<float>{0.75f, 0.75f, kClickLevel, kClickLevel, 0, 0}));
    }

    void clicksLandOnTheirFramesWhateverTheBuffers_data()
    {
        QTest::addColumn<int>("buffer");
        QTest::newRow("one frame") << 1;
        QTest::newRow("7 frames") << 7;
        QTest::newRow("all at once") << 60;
    }

    void clicksLandOnTheirFramesWhateverTheBuffers()
    {
        QFETCH(int, buffer);
        ClickSource clicks(makeSounds());
        render(clicks, 3, 3);
        const std::uint32_t run = clicks.startClicks({10.5, 3, kAccent, kClick});
        QVERIFY(!clicks.clickFrame(run, 0)); // not begun until the next buffer
        // Beats at 0, 10.5, 21, 31.5, 42, 52.5 frames, rounded half away from zero.
        QCOMPARE(onsets(render(clicks, 60, buffer)), QString("A@0 C@11 C@21 A@32 C@42 C@53"));
        QCOMPARE(clicks.clicksPlaced(), std::int64_t(6));
        QCOMPARE(clicks.clickFrame(run, 0), std::optional<std::int64_t>(3));
        QCOMPARE(clicks.clickFrame(run, 5), std::optional<std::int64_t>(3 + 53));
        QVERIFY(!clicks.clickFrame(run + 1, 0));
    }

    void stopAndStartAgainBeginsWithAnAccent()
    {
        ClickSource clicks(makeSounds());
        const std::uint32_t first = clicks.startClicks({10, 2, kAccent, kClick});
        render(clicks, 15, 15); // accent at 0, click at 10
        clicks.stopClicks();
        QCOMPARE(onsets(render(clicks, 10, 10)), QString());
        const std::uint32_t second = clicks.startClicks({10, 2, kAccent, kClick});
        QCOMPARE(onsets(render(clicks, 25, 5)), QString("A@0 C@10 A@20"));
        QVERIFY(!clicks.clickFrame(first, 0));
        QCOMPARE(clicks.clickFrame(second, 1), std::optional<std::int64_t>(35));
        QCOMPARE(clicks.clicksPlaced(), std::int64_t(3));
    }

    void clicksWaitForTheStreamToSettle()
    {
        ClickSource clicks(makeSounds(), 8);
        const std::uint32_t run = clicks.startClicks({10, 2, kAccent, kClick});
        QCOMPARE(onsets(render(clicks, 20, 4)), QString("A@8 C@18"));
        QCOMPARE(clicks.clickFrame(run, 1), std::optional<std::int64_t>(18));
    }

    void sourcesMixIntoEveryChannelHeldAtFullScale()
    {
        Mixer mixer(kRate);
        mixer.add(std::make_shared<LevelSource>(0.75f, 2));
        mixer.add(std::make_shared<LevelSource>(0.5f, 1));
        std::vector<float> out(9);
        mixer.render(out.data(), 3, 3, 0.0);
        QCOMPARE(out, (std::vector<float>{1.0f, 1.0f, 0, 0.75f, 0.75f, 0, 0, 0, 0}));
        std::vector<float> mono(2);
        mixer.add(std::make_shared<LevelSource>(0.25f));
        mixer.render(mono.data(), 2, 1, 0.0);
        QCOMPARE(mono, (std::vector<float>{0.25f, 0.25f}));
    }

    void sourcesComeAndGoAtTheirFrames()
    {
        Mixer mixer(kRate);
        mix(mixer, 10);
        const auto first = mixer.add(std::make_shared<LevelSource>(0.25f, 15));
        QVERIFY(!mixer.startFrame(first)); // begins with the next buffer
        mix(mixer, 10);
        const auto second = mixer.add(std::make_shared<LevelSource>(0.5f));
        const auto out = mix(mixer, 20);
        QCOMPARE(mixer.startFrame(first), std::optional<std::int64_t>(10));
        QCOMPARE(mixer.endFrame(first), std::optional<std::int64_t>(25));
        QVERIFY(!mixer.playing(first));
        QCOMPARE(mixer.startFrame(second), std::optional<std::int64_t>(20));
        QVERIFY(mixer.playing(second));
        QCOMPARE(out[4], 0.75f);
        QCOMPARE(out[5], 0.5f);
    }

    void everyPlaceCanBeTakenAgainOnceItsSourceHasEnded()
    {
        Mixer mixer(kRate);
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < Mixer::MaxSources; ++i)
                QVERIFY(mixer.add(std::make_shared<LevelSource>(0.01f, 5)) != 0);
            QCOMPARE(mixer.add(std::make_shared<LevelSource>(0.01f, 5)), Mixer::SourceId(0));
            mix(mixer, 10);
        }
    }

    void aChangeOfGainRampsAndNeverJumps_data()
    {
        QTest::addColumn<float>("target");
        QTest::addColumn<bool>("remove");
        QTest::newRow("down to a quarter") << 0.25f << false;
        QTest::newRow("up to double") << 2.0f << false;
        QTest::newRow("removed") << 0.0f << true;
    }

    void aChangeOfGainRampsAndNeverJumps()
    {
        QFETCH(float, target);
        QFETCH(bool, remove);
        Mixer mixer(kRate);
        const auto id = mixer.add(std::make_shared<LevelSource>(0.4f));
        mix(mixer, 10);
        remove ? mixer.remove(id) : mixer.setGain(id, target);
        const auto out = mix(mixer, 20);
        const int ramp = int(Mixer::RampSeconds * kRate);
        for (int i = 1; i < ramp; ++i)
            QVERIFY2(std::abs(out[i] - out[i - 1]) <= 0.4f * std::abs(1 - target) / ramp + 1e-6f,
                     qPrintable(QString("a step of %1 at frame %2").arg(out[i] - out[i - 1]).arg(i)));
        QCOMPARE(out.back(), std::min(1.0f, 0.4f * target));
        QCOMPARE(mixer.playing(id), !remove);
    }

    void aPlannedFadeEndsOnItsFrameWithEqualPower_data()
    {
        QTest::addColumn<int>("buffer");
        QTest::newRow("one frame") << 1;
        QTest::newRow("64 frames") << 64;
    }

    void aPlannedFadeEndsOnItsFrameWithEqualPower()
    {
        QFETCH(int, buffer);
        Mixer mixer(kRate);
        const auto id = mixer.add(std::make_shared<LevelSource>(1.0f));
        mixer.fadeOut(id, 300, 100);
        const auto out = mix(mixer, 400, buffer);
        QCOMPARE(mixer.endFrame(id), std::optional<std::int64_t>(300));
        QCOMPARE(out[199], 1.0f);
        QVERIFY(std::abs(out[250] - std::cos(0.5 * M_PI / 2)) < 1e-5);
        QVERIFY(out[299] > 0 && out[299] < 0.02f);
        QCOMPARE(out[300], 0.0f);
    }

    void aFadeNowOrTooLateStartsFromWhereTheStreamIs()
    {
        Mixer mixer(kRate);
        const auto now = mixer.add(std::make_shared<LevelSource>(1.0f));
        const auto late = mixer.add(std::make_shared<LevelSource>(1.0f));
        mix(mixer, 50);
        mixer.fadeOutNow(now, 20);
        mixer.fadeOut(late, 60, 40); // should have begun at frame 20
        mix(mixer, 50);
        QCOMPARE(mixer.endFrame(now), std::optional<std::int64_t>(70));
        QCOMPARE(mixer.endFrame(late), std::optional<std::int64_t>(60));
    }

    void theHeardClockFollowsTheAnchorButNotPastWhatWasRendered()
    {
        Mixer mixer(kRate);
        mix(mixer, 5);
        const auto id = mixer.add(std::make_shared<LevelSource>(0.1f));
        mix(mixer, 30); // buffers at frames 5 (heard at 1.000 s), 15 and 25 (1.020 s)
        QCOMPARE(*mixer.heardFrame(1.020), 25.0);
        QCOMPARE(*mixer.heardFrame(1.000), 5.0);
        QCOMPARE(*mixer.heardFrame(1.0255), 30.5);
        QCOMPARE(*mixer.heardFrame(5.0), 35.0); // the stream paused after its last buffer
        QCOMPARE(*mixer.heardSourceFrame(id, 1.000), 0.0);
        QCOMPARE(*mixer.heardSourceFrame(id, 0.990), -10.0);
    }
};

QTEST_MAIN(TestMixer)
#include "tst_mixer.moc"
