// Where there is no sound output at all: everything stays silent, the
// metronome says so and keeps time on its own clock, and nothing crashes.
#include "tempo/MetronomeWindow.h"
#include "ManualClock.h"
#include "common/ProgramState.h"
#include "RecordingMessages.h"
#include "audio/AudioOutput.h"
#include "audio/ResourceSoundPlayer.h"
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryFile>
#include <QtTest>

class TestNoSoundOutput : public QObject {
    Q_OBJECT

private:
    QTemporaryFile noDevices;
    ManualClock clock;
    RecordingMessages messages;

private slots:
    void initTestCase()
    {
        // No server to reach and no ALSA device defined: no device anywhere.
        QVERIFY(noDevices.open());
        noDevices.write("pcm.!default { type hw card 99 }\n");
        noDevices.flush();
        qputenv("ALSA_CONFIG_PATH", noDevices.fileName().toLocal8Bit());
        qputenv("PULSE_SERVER", "unix:/nonexistent/vantor-no-server");
    }

    void playerStaysSilentAndSaysSo()
    {
        AudioOutput output(clock);
        ResourceSoundPlayer player(output);
        int bells = 0;
        player.setSystemBell([&bells] { ++bells; });
        player.playResourceSound("TOMTOM_HI");
        player.beep(); // the system's bell instead
        QCOMPARE(bells, 1);
        QVERIFY(!player.hasOutput());
        QVERIFY(!player.startClicks({0.4, 3, "TOMTOM_HI", "drum_stick"}));
        QVERIFY(!player.clickHeardNs(0));
        player.stopClicks();
        QCOMPARE(player.clicksPlaced(), std::int64_t(0));
    }

    void metronomeFlashesOnItsOwnClockAndShowsTheNotice_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("notice");
        QTest::newRow("German") << 0 << "Keine Tonausgabe";
        QTest::newRow("English") << 1 << "No sound output";
    }

    void metronomeFlashesOnItsOwnClockAndShowsTheNotice()
    {
        QFETCH(int, language);
        QFETCH(QString, notice);
        AudioOutput output(clock);
        ResourceSoundPlayer player(output);
        ProgramState state;
        state.clock = &clock;
        state.messages = &messages;
        state.sounds = &player;
        MetronomeWindow window(state);
        window.setLanguage(languageFromStored(language));
        window.show();
        QVERIFY(window.noSoundLabel->isHidden());
        window.beepCheck->setChecked(true);
        window.startButton->click();
        QVERIFY(window.running());
        QVERIFY(window.noSoundLabel->isVisible());
        QCOMPARE(window.noSoundLabel->text(), notice);
        clock.advanceMs(20);
        window.beatTimerFired();
        QCOMPARE(window.beatBar->value(), 100);
        clock.advanceMs(440);
        window.beatTimerFired();
        QCOMPARE(window.beatBar->value(), 50);
        QVERIFY(messages.warnings.isEmpty());
        window.startButton->click();
        QVERIFY(!window.running());
    }
};

QTEST_MAIN(TestNoSoundOutput)
#include "tst_no_sound_output.moc"
