// Pre-listening on a second output while the hall plays, at two private
// PulseAudio null sinks, both recorded: the hall's tone goes on without a gap
// or a change of level while a piece is started, sought and stopped on the
// headphones, and the headphones hear the piece at the tempo it is played.
#include "PieceSynth.h"
#include "PrivatePulse.h"
#include "Onsets.h"
#include "audio/AudioOutput.h"
#include "audio/TrackPlayback.h"
#include "common/Clock.h"
#include "music/OctaveChoice.h"
#include "music/TempoDetector.h"
#include "play/Prelistener.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

constexpr int kRate = PrivatePulse::kSampleRate;
const QString kPhones = QStringLiteral("vantor_phones");
const QString kUsbPhones = QStringLiteral("vantor_usb");

// The loudest and quietest 10 ms of a stretch, as RMS in dB.
std::pair<double, double> levelSpread(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    const std::size_t window = kRate / 100;
    double loudest = -200;
    double quietest = 0;
    for (std::size_t at = from; at + window <= to; at += window) {
        double sum = 0;
        for (std::size_t i = at; i < at + window; ++i)
            sum += double(samples[i]) * samples[i];
        const double db = 10 * std::log10(std::max(sum / window, 1e-20));
        loudest = std::max(loudest, db);
        quietest = std::min(quietest, db);
    }
    return {quietest, loudest};
}

// The largest step between neighbouring samples: a splice in a sine jumps.
float largestStep(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    float largest = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        largest = std::max(largest, std::abs(samples[i] - samples[i - 1]));
    return largest;
}

// The hall playing a tone, polled as the player polls it, beside the
// headphones' output and its pre-listener.
struct HallAndHeadphones {
    SteadyClock clock;
    AudioOutput hall{clock};
    AudioOutput phones{clock};
    Prelistener prelistener{&phones};
    std::unique_ptr<TrackPlayback> hallTone;
    QTimer poll;

    explicit HallAndHeadphones(const QString& device) { phones.setDevice(device.toStdString()); }

    bool startTone(const QString& tone)
    {
        if (!hall.ensureOpen(true))
            return false;
        hallTone = std::make_unique<TrackPlayback>(hall, PlaybackPlan{tone, {}, 1, 0, 0});
        QObject::connect(&poll, &QTimer::timeout, [this] { hallTone->poll(); });
        poll.start(20);
        return true;
    }
};

} // namespace

class TestPrelisten : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivatePulse> pulse_;
    // Headphones on a server of their own, which can be taken away.
    std::unique_ptr<PrivatePulse> usbPulse_;
    QTemporaryDir dir_;

    QString writeTone(double seconds)
    {
        const QString tone = dir_.filePath(QString("tone%1.wav").arg(seconds));
        return PieceSynth::writeWav(tone, SineTone(440, seconds, PieceSynth::SampleRate)) ? tone : QString();
    }

    QString writePiece()
    {
        PieceRecipe recipe;
        recipe.barsPerMinute = 30;
        recipe.seconds = 40;
        const QString piece = dir_.filePath("piece.wav");
        return PieceSynth::writeWav(piece, PieceSynth::render(recipe)) ? piece : QString();
    }

    // The hall's recording holds the tone whole, at one level, unspliced.
    static void verifyUnbroken(const std::vector<float>& heardInHall, double toneSeconds)
    {
        const std::size_t first = FirstSound(heardInHall);
        const std::size_t last = LastSound(heardInHall);
        QVERIFY2(last - first > std::size_t((toneSeconds - 0.1) * kRate), "the hall's tone was heard whole");
        const std::size_t from = first + kRate / 10;
        const std::size_t to = last - kRate / 10;
        const auto [quietest, loudest] = levelSpread(heardInHall, from, to);
        QVERIFY2(loudest - quietest < 0.5, qPrintable(QString("hall level %1 to %2 dB").arg(quietest).arg(loudest)));
        // A sine at half of full scale moves at most 0.5 * 2π * 440 / 44100 = 0.031 per sample.
        QVERIFY2(largestStep(heardInHall, from, to) < 0.035f, "no splice in the hall's tone");
    }

private slots:
    void initTestCase()
    {
        pulse_ = std::make_unique<PrivatePulse>();
        if (!pulse_->running())
            QSKIP(qPrintable("no sound server to test with: " + pulse_->failure()));
        const QString why = pulse_->addDevice(kPhones);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        usbPulse_ = std::make_unique<PrivatePulse>(PrivatePulse::Reach::Elsewhere);
        const QString usbWhy = pulse_->addDevice(kUsbPhones, *usbPulse_);
        QVERIFY2(usbWhy.isEmpty(), qPrintable(usbWhy));
    }

    void cleanupTestCase()
    {
        usbPulse_.reset();
        pulse_.reset();
    }

    void theHallPlaysOnWhileTheHeadphonesStartSeekAndStop()
    {
        const QString tone = writeTone(22);
        const QString piece = writePiece();
        QVERIFY(!tone.isEmpty() && !piece.isEmpty());
        const double played = 30;
        const double target = 31;

        HallAndHeadphones sound(kPhones);
        Prelistener& prelistener = sound.prelistener;
        QVERIFY(pulse_->startRecording());
        QVERIFY(pulse_->startRecording(kPhones));
        QVERIFY(sound.startTone(tone));
        QTRY_VERIFY_WITH_TIMEOUT(sound.hallTone->heardSeconds().value_or(0) > 1, 5000);

        QVERIFY2(prelistener.play({piece, {0, played / target, StretchQuality::Faster}, 1, 0, 0}),
                 qPrintable(prelistener.problem()));
        QTRY_VERIFY_WITH_TIMEOUT(prelistener.musicSeconds() > 2, 5000);
        prelistener.seek(Prelistener::SeekSeconds);
        QTRY_VERIFY_WITH_TIMEOUT(prelistener.musicSeconds() > 12.5, 5000);
        prelistener.seek(-Prelistener::SeekSeconds);
        QTRY_VERIFY_WITH_TIMEOUT(prelistener.musicSeconds() > 4, 5000);
        QVERIFY2(prelistener.musicSeconds() < 8, "sought back");
        prelistener.stop();
        QTest::qWait(300);
        // Heard from here to the end: its tempo is measured.
        QVERIFY(prelistener.play({piece, {10, played / target, StretchQuality::Faster}, 1, 0, 0}));
        QTRY_VERIFY_WITH_TIMEOUT(sound.hallTone->finished(), 20000);
        prelistener.stop();
        sound.phones.setDevice(std::nullopt); // closing the headphones' device leaves the hall alone too
        QTest::qWait(300);
        const std::vector<float> heardInHall = pulse_->stopRecording();
        const std::vector<float> heardOnPhones = pulse_->stopRecording(kPhones);
        QVERIFY(prelistener.problem().isEmpty());

        verifyUnbroken(heardInHall, 22);
        if (QTest::currentTestFailed())
            return;

        const auto parts = FindSoundingParts(heardOnPhones, kRate, 0.2);
        QVERIFY(!parts.empty());
        const SoundingPart& lastPart = parts.back();
        QVERIFY2(lastPart.seconds() > 10, qPrintable(QString("%1 s heard").arg(lastPart.seconds())));
        const auto begin = heardOnPhones.begin() + std::ptrdiff_t(lastPart.start * kRate);
        const std::vector<float> heard(begin, begin + std::ptrdiff_t(lastPart.seconds() * kRate));
        const TempoReading reading = detectTempo(heard, kRate);
        const double bars = chooseOctave(reading.beatsPerMinute, 4, TempoRange{target - 2, target + 2}).barsPerMinute;
        QVERIFY2(std::abs(bars / target - 1) < 0.003, qPrintable(QString("heard %1 bars/min").arg(bars)));
    }

    void headphonesThatGoAwayAreReportedAndTheHallPlaysOn()
    {
        const QString tone = writeTone(12);
        const QString piece = writePiece();
        QVERIFY(!tone.isEmpty() && !piece.isEmpty());
        HallAndHeadphones sound(kUsbPhones);
        Prelistener& prelistener = sound.prelistener;
        QVERIFY(pulse_->startRecording());
        QVERIFY(sound.startTone(tone));
        QTRY_VERIFY_WITH_TIMEOUT(sound.hallTone->heardSeconds().value_or(0) > 1, 5000);
        QVERIFY2(prelistener.play({piece, {}, 1, 0, 0}), qPrintable(prelistener.problem()));
        QTRY_VERIFY_WITH_TIMEOUT(prelistener.musicSeconds() > 1, 5000);

        usbPulse_->stopServer(); // the headphones are pulled out
        QTRY_VERIFY_WITH_TIMEOUT(!prelistener.playing(), 8000);
        QCOMPARE(prelistener.problem(), QString("Das Gerät zum Vorhören „vantor_usb“ ist weg."));
        QVERIFY(!prelistener.play({piece, {}, 1, 0, 0}));
        QCOMPARE(prelistener.problem(), QString("Das Gerät zum Vorhören „vantor_usb“ ist nicht da."));

        QTRY_VERIFY_WITH_TIMEOUT(sound.hallTone->finished(), 20000);
        QTest::qWait(300);
        verifyUnbroken(pulse_->stopRecording(), 12);
    }

    void withoutADeviceItSaysWhy()
    {
        SteadyClock clock;
        AudioOutput phones(clock);
        phones.setDevice(std::nullopt);
        Prelistener none(&phones);
        QVERIFY(!none.play({dir_.filePath("piece.wav"), {}, 1, 0, 0}));
        QCOMPARE(none.problem(), QString("Kein Gerät zum Vorhören gewählt (Extras > Vorhören)."));
        phones.setDevice("no such device");
        QVERIFY(!none.play({dir_.filePath("piece.wav"), {}, 1, 0, 0}));
        QCOMPARE(none.problem(), QString("Das Gerät zum Vorhören „no such device“ ist nicht da."));
    }
};

QTEST_MAIN(TestPrelisten)
#include "tst_prelisten.moc"
