#include "SoundPlayer.h"
#include "SoundPlayerSamples.h"
#include <QtEndian>
#include <QtTest>

namespace {

QAudioFormat format(int rate, int channels, QAudioFormat::SampleFormat sampleFormat)
{
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sampleFormat);
    return f;
}

const QAudioFormat kMono16 = format(22050, 1, QAudioFormat::Int16);

quint16 u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }

QByteArray le16(quint16 v)
{
    QByteArray b(2, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const QByteArray& id, const QByteArray& body)
{
    QByteArray c = id + le32(body.size()) + body;
    return body.size() % 2 ? c + '\0' : c;
}

QByteArray fmtBody(quint16 tag, quint16 channels, quint16 bits)
{
    return le16(tag) + le16(channels) + le32(22050) + le32(22050 * channels * bits / 8)
        + le16(channels * bits / 8) + le16(bits);
}

QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le32(4 + chunks.size()) + "WAVE" + chunks;
}

const QByteArray kSixBytes = QByteArray::fromHex("0100ff7f0080");

} // namespace

class TestSoundPlayer : public QObject {
    Q_OBJECT

private:
    // A source with two short "sounds" whose bytes tell them apart.
    static void addTwoSounds(SampleSource& source)
    {
        source.addSound("TOMTOM_HI", QByteArray(40, 'H'));
        source.addSound("DRUM_STICK", QByteArray(30, 'D'));
        QVERIFY(source.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    }

private slots:
    void builtInSoundsHaveTheirFormatAndLength_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("dataBytes");
        QTest::newRow("accent") << "TOMTOM_HI" << 10376;
        QTest::newRow("click") << "DRUM_STICK" << 8310;
        QTest::newRow("low") << "TOMTOM_LOW" << 15098;
    }

    void builtInSoundsHaveTheirFormatAndLength()
    {
        QFETCH(QString, name);
        QFETCH(int, dataBytes);
        const QByteArray image = BuiltInWaveImages().value(name);
        QCOMPARE(image.size(), 44 + dataBytes);
        QCOMPARE(image.left(4), QByteArray("RIFF"));
        QCOMPARE(u32(image, 4), quint32(image.size() - 8));
        QCOMPARE(image.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u32(image, 16), 16u);
        QCOMPARE(u16(image, 20), quint16(1));      // PCM
        QCOMPARE(u16(image, 22), quint16(1));      // mono
        QCOMPARE(u32(image, 24), 22050u);
        QCOMPARE(u32(image, 28), 44100u);          // bytes per second
        QCOMPARE(u16(image, 32), quint16(2));      // bytes per frame
        QCOMPARE(u16(image, 34), quint16(16));
        QCOMPARE(image.mid(36, 4), QByteArray("data"));
        QCOMPARE(u32(image, 40), quint32(dataBytes));

        const auto sound = ParseWave(image);
        QVERIFY(sound);
        QCOMPARE(sound->sampleRate, 22050);
        QCOMPARE(sound->samples.size(), dataBytes / 2);
        const auto [low, high] = std::minmax_element(sound->samples.cbegin(), sound->samples.cend());
        QVERIFY2(*high - *low > 20000, "the sound is audible");
        QVERIFY2(std::abs(sound->samples.last()) < 300, "the sound ends near silence");
    }

    void parseWave_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("samples"); // -1: refused
        const QByteArray fmt = chunk("fmt ", fmtBody(1, 1, 16));
        QTest::newRow("plain") << riff(fmt + chunk("data", kSixBytes)) << 3;
        QTest::newRow("odd chunk before data") << riff(fmt + chunk("LIST", "abc") + chunk("data", kSixBytes)) << 3;
        QTest::newRow("not RIFF") << QByteArray("RIFX") + riff(fmt).mid(4) << -1;
        QTest::newRow("stereo") << riff(chunk("fmt ", fmtBody(1, 2, 16)) + chunk("data", kSixBytes)) << -1;
        QTest::newRow("8 bits") << riff(chunk("fmt ", fmtBody(1, 1, 8)) + chunk("data", kSixBytes)) << -1;
        QTest::newRow("float") << riff(chunk("fmt ", fmtBody(3, 1, 16)) + chunk("data", kSixBytes)) << -1;
        QTest::newRow("data before fmt") << riff(chunk("data", kSixBytes) + fmt) << -1;
        QTest::newRow("no data") << riff(fmt) << -1;
        QTest::newRow("data cut short") << riff(fmt + chunk("data", kSixBytes)).chopped(2) << -1;
        QTest::newRow("short fmt") << riff(chunk("fmt ", fmtBody(1, 1, 16).left(10)) + chunk("data", kSixBytes)) << -1;
        QTest::newRow("empty") << QByteArray() << -1;
    }

    void parseWave()
    {
        QFETCH(QByteArray, image);
        QFETCH(int, samples);
        const auto sound = ParseWave(image);
        QCOMPARE(sound ? int(sound->samples.size()) : -1, samples);
        if (sound)
            QCOMPARE(sound->samples, (QVector<qint16>{1, 32767, -32768}));
    }

    void renderKeepsSamplesInTheirOwnFormat()
    {
        const PcmSound sound{22050, {1, 32767, -32768}};
        QCOMPARE(RenderForOutput(sound, kMono16), QByteArray::fromHex("0100ff7f0080"));
    }

    void renderResamplesToEveryChannel()
    {
        const PcmSound sound{22050, {0, 16384, -16384, 0}};
        const QByteArray frames = RenderForOutput(sound, format(44100, 2, QAudioFormat::Float));
        QCOMPARE(frames.size(), 8 * 2 * int(sizeof(float)));
        const auto* v = reinterpret_cast<const float*>(frames.constData());
        const float expected[] = {0, 0.25f, 0.5f, 0, -0.5f, -0.25f, 0, 0};
        for (int frame = 0; frame < 8; ++frame) {
            QCOMPARE(v[2 * frame], expected[frame]);
            QCOMPARE(v[2 * frame + 1], expected[frame]);
        }
    }

    void sourceGivesSilenceWhenIdle()
    {
        SampleSource source(kMono16);
        addTwoSounds(source);
        QCOMPARE(source.read(64), QByteArray(64, '\0'));
    }

    void namesMatchWithoutRegardToCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower") << "drum_stick";
        QTest::newRow("upper") << "DRUM_STICK";
        QTest::newRow("mixed") << "Drum_Stick";
    }

    void namesMatchWithoutRegardToCase()
    {
        QFETCH(QString, name);
        SampleSource source(kMono16);
        addTwoSounds(source);
        QVERIFY(source.play(name));
        QCOMPARE(source.read(30), QByteArray(30, 'D'));
    }

    void soundIsFollowedBySilence()
    {
        SampleSource source(kMono16);
        addTwoSounds(source);
        source.play("DRUM_STICK");
        QCOMPARE(source.read(50), QByteArray(30, 'D') + QByteArray(20, '\0'));
        QCOMPARE(source.read(10), QByteArray(10, '\0'));
    }

    void newSoundCutsOffTheOnePlaying_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<QByteArray>("heard");
        QTest::newRow("another sound starts from its first frame")
            << "drum_stick" << QByteArray(30, 'D') + QByteArray(10, '\0');
        QTest::newRow("the same sound starts again") << "TOMTOM_HI" << QByteArray(40, 'H');
        QTest::newRow("an unknown name leaves the sound playing")
            << "TOMTOM_MID" << QByteArray(30, 'H') + QByteArray(10, '\0');
    }

    void newSoundCutsOffTheOnePlaying()
    {
        QFETCH(QString, second);
        QFETCH(QByteArray, heard);
        SampleSource source(kMono16);
        addTwoSounds(source);
        QVERIFY(source.play("TOMTOM_HI"));
        QCOMPARE(source.read(10), QByteArray(10, 'H'));
        QCOMPARE(source.play(second), second != "TOMTOM_MID");
        QCOMPARE(source.read(40), heard);
    }

    void playerWithoutAudioOutputPlaysNothingHarmlessly()
    {
        qputenv("QT_AUDIO_BACKEND", "none");
        ResourceSoundPlayer player;
        QVERIFY(!player.hasOutput());
        player.PlayResourceSound("TOMTOM_HI");
        player.PlayResourceSound("no such sound");
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_sound_player.moc"
