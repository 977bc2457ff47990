#include "audio/OutputMixer.h"
#include <QtTest>

namespace {

constexpr int kAccent = 0;
constexpr int kClick = 1;
constexpr float kAccentLevel = 0.5f;
constexpr float kClickLevel = 0.25f;

// Short sounds whose level tells them apart.
OutputMixer makeMixer()
{
    return OutputMixer({MonoSound(3, kAccentLevel), MonoSound(2, kClickLevel), MonoSound(4, 0.75f)});
}

// Renders `frames` mono frames in buffers of `buffer` frames, each heard 1 s later.
std::vector<float> render(OutputMixer& mixer, int frames, int buffer)
{
    std::vector<float> out(frames);
    for (int at = 0; at < frames; at += buffer)
        mixer.render(out.data() + at, std::min(buffer, frames - at), 1, 1.0 + at / 1000.0);
    return out;
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

class TestOutputMixer : public QObject {
    Q_OBJECT

private slots:
    void idleIsSilentAndTheAnchorFollowsTheBuffers()
    {
        OutputMixer mixer = makeMixer();
        QVERIFY(!mixer.anchor());
        QCOMPARE(render(mixer, 30, 10), std::vector<float>(30, 0.0f));
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
        OutputMixer mixer = makeMixer();
        std::vector<float> out;
        for (int sound : plays) {
            if (sound != -1)
                QCOMPARE(mixer.play(sound), sound < 3);
            const auto buffer = render(mixer, 5, 5);
            out.insert(out.end(), buffer.begin(), buffer.end());
        }
        QCOMPARE(onsets(out), heard);
    }

    void aNewSoundCutsOffTheOnePlaying()
    {
        OutputMixer mixer = makeMixer();
        mixer.play(2);
        std::vector<float> out = render(mixer, 2, 2);
        mixer.play(kClick);
        const auto rest = render(mixer, 4, 4);
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
        OutputMixer mixer = makeMixer();
        render(mixer, 3, 3);
        const std::uint32_t run = mixer.startClicks({10.5, 3, kAccent, kClick});
        QVERIFY(!mixer.clickFrame(run, 0)); // not begun until the next buffer
        // Beats at 0, 10.5, 21, 31.5, 42, 52.5 frames, rounded half away from zero.
        QCOMPARE(onsets(render(mixer, 60, buffer)), QString("A@0 C@11 C@21 A@32 C@42 C@53"));
        QCOMPARE(mixer.clicksPlaced(), std::int64_t(6));
        QCOMPARE(mixer.clickFrame(run, 0), std::optional<std::int64_t>(3));
        QCOMPARE(mixer.clickFrame(run, 5), std::optional<std::int64_t>(3 + 53));
        QVERIFY(!mixer.clickFrame(run + 1, 0));
    }

    void stopAndStartAgainBeginsWithAnAccent()
    {
        OutputMixer mixer = makeMixer();
        const std::uint32_t first = mixer.startClicks({10, 2, kAccent, kClick});
        render(mixer, 15, 15); // accent at 0, click at 10
        mixer.stopClicks();
        QCOMPARE(onsets(render(mixer, 10, 10)), QString());
        const std::uint32_t second = mixer.startClicks({10, 2, kAccent, kClick});
        QCOMPARE(onsets(render(mixer, 25, 5)), QString("A@0 C@10 A@20"));
        QVERIFY(!mixer.clickFrame(first, 0));
        QCOMPARE(mixer.clickFrame(second, 1), std::optional<std::int64_t>(35));
        QCOMPARE(mixer.clicksPlaced(), std::int64_t(3));
    }

    void clicksWaitForTheStreamToSettle()
    {
        OutputMixer mixer({MonoSound(3, kAccentLevel), MonoSound(2, kClickLevel)}, 8);
        const std::uint32_t run = mixer.startClicks({10, 2, kAccent, kClick});
        QCOMPARE(onsets(render(mixer, 20, 4)), QString("A@8 C@18"));
        QCOMPARE(mixer.clickFrame(run, 1), std::optional<std::int64_t>(18));
    }

    void soundsAndClicksMixIntoEveryChannel()
    {
        OutputMixer mixer({MonoSound(2, 0.75f), MonoSound(2, 0.5f)});
        mixer.play(0);
        mixer.startClicks({100, 4, 1, 1});
        std::vector<float> out(6);
        mixer.render(out.data(), 3, 2, 0.0);
        // 0.75 + 0.5 is held at full scale.
        QCOMPARE(out, (std::vector<float>{1.0f, 1.0f, 1.0f, 1.0f, 0, 0}));
    }
};

QTEST_MAIN(TestOutputMixer)
#include "tst_output_mixer.moc"
