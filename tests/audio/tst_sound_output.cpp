// Plays through the real output into a private PulseAudio null sink, records
// the sink and checks what was heard. Skipped only where no server can start.
#include "common/Clock.h"
#include "Onsets.h"
#include "PrivatePulse.h"
#include "audio/AudioOutput.h"
#include "audio/ResourceSoundPlayer.h"
#include "audio/SoundSamples.h"
#include <QtTest>
#include <memory>

namespace {

constexpr int kRate = PrivatePulse::kSampleRate;
constexpr double kOneMsFrames = kRate / 1000.0;
constexpr int kTakes = 3;

std::vector<float> builtIn(const QString& name)
{
    return renderForOutput(*parseWave(builtInWaveImages().value(name)), kRate);
}

} // namespace

class TestSoundOutput : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivatePulse> pulse;
    SteadyClock clock;
    const std::vector<std::vector<float>> drums{builtIn("TOMTOM_HI"), builtIn("DRUM_STICK")};

    // Plays for `ms` while recording the sink; `play` starts the sounds.
    template <typename Play>
    std::vector<float> record(ResourceSoundPlayer& player, int ms, Play play)
    {
        if (!pulse->startRecording())
            return {};
        play(player);
        QTest::qWait(ms);
        player.stopClicks();
        QTest::qWait(400); // the output's latency and the last sound's tail
        return pulse->stopRecording();
    }

private slots:
    void initTestCase()
    {
        pulse = std::make_unique<PrivatePulse>();
        if (!pulse->running())
            QSKIP(qPrintable("no sound server to test with: " + pulse->failure()));
    }

    void cleanupTestCase() { pulse.reset(); }

    void theDefaultUnderAnotherNameIsNoSecondDevice_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("defaultName");
        QTest::addColumn<QStringList>("others");
        QTest::newRow("sound server only") << QStringList{"pulse", "default"} << "default" << QStringList{};
        QTest::newRow("desktop with a headset")
            << QStringList{"HDA Intel PCH: ALC3246 Analog (hw:0,0)",
                           "USB Headset: Audio (hw:1,0)",
                           "sysdefault",
                           "pipewire",
                           "dmix",
                           "default"}
            << "default" << QStringList{"HDA Intel PCH: ALC3246 Analog (hw:0,0)", "USB Headset: Audio (hw:1,0)"};
        QTest::newRow("default named by its card") << QStringList{"Speakers (hw:0,0)", "Headphones (hw:2,0)"}
                                                   << "Speakers (hw:0,0)" << QStringList{"Headphones (hw:2,0)"};
    }

    void theDefaultUnderAnotherNameIsNoSecondDevice()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, defaultName);
        QFETCH(QStringList, others);
        PortAudioOutput::Devices devices;
        for (const QString& name : names)
            devices.names.push_back(name.toStdString());
        devices.defaultName = defaultName.toStdString();
        QStringList found;
        for (const std::string& name : PortAudioOutput::besidesDefault(devices))
            found << QString::fromStdString(name);
        QCOMPARE(found, others);
    }

    void everyClickIsHeardOnItsFrame_data()
    {
        QTest::addColumn<double>("barsPerMinute");
        QTest::addColumn<int>("beatsPerBar");
        QTest::newRow("46 bars/min in 3/4") << 46.0 << 3;
        QTest::newRow("200 bars/min in 4/4, 75 ms beats") << 200.0 << 4;
    }

    void everyClickIsHeardOnItsFrame()
    {
        QFETCH(double, barsPerMinute);
        QFETCH(int, beatsPerBar);
        const double beatSeconds = 60.0 / (barsPerMinute * beatsPerBar);
        const double beatFrames = beatSeconds * kRate;
        // A device that runs dry shifts every later click by the gap: that
        // says the machine was too busy, not where the clicks were placed.
        // Such a take is played again.
        std::vector<float> recording;
        std::int64_t placed = 0;
        for (int take = 1;; ++take) {
            AudioOutput output(clock);
            ResourceSoundPlayer player(output);
            recording = record(player, 3000, [&](ResourceSoundPlayer& p) {
                QVERIFY(p.startClicks({beatSeconds, beatsPerBar, "TOMTOM_HI", "drum_stick"}));
            });
            placed = player.clicksPlaced();
            if (player.underflows() == 0)
                break;
            QVERIFY2(take < kTakes, "the device ran dry in every take");
            qWarning("take %d: the device ran dry %lld times; once more", take, (long long)player.underflows());
        }
        QVERIFY2(placed >= int(2.5 / beatSeconds), qPrintable(QString("only %1 clicks played").arg(placed)));

        const auto onsets = FindOnsets(recording, drums, std::int64_t(beatFrames / 2));
        QCOMPARE(std::int64_t(onsets.size()), placed);
        for (std::size_t k = 0; k < onsets.size(); ++k) {
            const double offMs = (onsets[k].frame - onsets[0].frame - k * beatFrames) / kOneMsFrames;
            QVERIFY2(std::abs(offMs) <= 1.0, qPrintable(QString("click %1 is %2 ms off").arg(k).arg(offMs)));
            const int expected = k % beatsPerBar == 0 ? 0 : 1;
            QVERIFY2(onsets[k].sound == expected,
                     qPrintable(
                         QString("click %1 sounds like the %2").arg(k).arg(onsets[k].sound == 0 ? "accent" : "click")));
        }
    }

    void aNewSoundCutsOffTheOnePlaying()
    {
        AudioOutput output(clock);
        ResourceSoundPlayer player(output);
        const auto recording = record(player, 500, [](ResourceSoundPlayer& p) {
            p.playResourceSound("TOMTOM_HI");
            QTest::qWait(60);
            p.playResourceSound("drum_stick");
        });
        const auto onsets = FindOnsets(recording, drums, kRate / 25);
        QCOMPARE(onsets.size(), std::size_t(2));
        QCOMPARE(onsets[0].sound, 0);
        QCOMPARE(onsets[1].sound, 1);
        // The accent (235 ms) ends where the click begins: nothing of it is left after the click's end.
        const std::size_t clickEnd = onsets[1].frame + drums[1].size();
        QVERIFY(clickEnd + kRate / 20 < recording.size());
        for (std::size_t i = clickEnd + 10; i < clickEnd + kRate / 20; ++i)
            QVERIFY2(std::abs(recording[i]) < 0.01, "silence after the click");
    }

    void theBeepIsHeard()
    {
        AudioOutput output(clock);
        ResourceSoundPlayer player(output);
        const auto recording = record(player, 400, [](ResourceSoundPlayer& p) { p.beep(); });
        const auto beep = standardBeep(kRate);
        const auto onsets = FindOnsets(recording, {beep}, kRate / 10);
        QCOMPARE(onsets.size(), std::size_t(1));
    }

    // Last: it ends the server.
    void aVanishingServerLeavesSilenceAndNoCrash()
    {
        AudioOutput output(clock);
        ResourceSoundPlayer player(output);
        const ClickPattern pattern{0.3, 4, "TOMTOM_HI", "drum_stick"};
        QVERIFY(player.startClicks(pattern));
        QTRY_VERIFY_WITH_TIMEOUT(player.clicksPlaced() > 1, 5000);
        pulse->stopServer();
        QTRY_VERIFY_WITH_TIMEOUT(!player.hasOutput(), 6000);
        QVERIFY(!player.clickHeardNs(0));
        // The user starts sound again: it is tried again, and there is none.
        QVERIFY(!player.startClicks(pattern));
        player.beep();
        player.playResourceSound("TOMTOM_HI");
    }
};

QTEST_MAIN(TestSoundOutput)
#include "tst_sound_output.moc"
