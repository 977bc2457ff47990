#include "audio/SoundSamples.h"
#include <QtEndian>
#include <QtTest>

namespace {

quint16 u16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

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
    return le16(tag) + le16(channels) + le32(22050) + le32(22050 * channels * bits / 8) + le16(channels * bits / 8) +
           le16(bits);
}

QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le32(4 + chunks.size()) + "WAVE" + chunks;
}

const QByteArray kSixBytes = QByteArray::fromHex("0100ff7f0080");

} // namespace

class TestSoundSamples : public QObject {
    Q_OBJECT

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
        const QByteArray image = builtInWaveImages().value(name);
        QCOMPARE(image.size(), 44 + dataBytes);
        QCOMPARE(image.left(4), QByteArray("RIFF"));
        QCOMPARE(u32(image, 4), quint32(image.size() - 8));
        QCOMPARE(image.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u32(image, 16), 16u);
        QCOMPARE(u16(image, 20), quint16(1)); // PCM
        QCOMPARE(u16(image, 22), quint16(1)); // mono
        QCOMPARE(u32(image, 24), 22050u);
        QCOMPARE(u32(image, 28), 44100u);     // bytes per second
        QCOMPARE(u16(image, 32), quint16(2)); // bytes per frame
        QCOMPARE(u16(image, 34), quint16(16));
        QCOMPARE(image.mid(36, 4), QByteArray("data"));
        QCOMPARE(u32(image, 40), quint32(dataBytes));

        const auto sound = ::parseWave(image);
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
        const auto sound = ::parseWave(image);
        QCOMPARE(sound ? int(sound->samples.size()) : -1, samples);
        if (sound)
            QCOMPARE(sound->samples, (QVector<qint16>{1, 32767, -32768}));
    }

    void renderScalesToOneAtTheSameRate()
    {
        const PcmSound sound{22050, {0, 16384, -32768}};
        QCOMPARE(renderForOutput(sound, 22050), (std::vector<float>{0.0f, 0.5f, -1.0f}));
    }

    void renderResamplesLinearly()
    {
        const PcmSound sound{22050, {0, 16384, -16384, 0}};
        QCOMPARE(renderForOutput(sound, 44100), (std::vector<float>{0, 0.25f, 0.5f, 0, -0.5f, -0.25f, 0, 0}));
    }

    void standardBeepIsShortAndStartsAndEndsSoftly()
    {
        const auto beep = standardBeep(44100);
        QVERIFY(beep.size() > 44100 / 20 && beep.size() < 44100 / 4);
        const auto [low, high] = std::minmax_element(beep.cbegin(), beep.cend());
        QVERIFY(*high > 0.3f && *low < -0.3f);
        QVERIFY(std::abs(beep.front()) < 0.01f && std::abs(beep.back()) < 0.01f);
    }
};

QTEST_MAIN(TestSoundSamples)
#include "tst_sound_samples.moc"
