#include "audio/AudioFileReader.h"
#include "PieceSynth.h"
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <random>

Q_DECLARE_METATYPE(DecodeFailure)

namespace {

constexpr double kPi = 3.14159265358979323846;

// Interleaved frames: channel c of frame i is a tone of its own, so the two channels differ.
std::vector<float> Tones(int rate, int channels, double seconds)
{
    std::vector<float> out(size_t(seconds * rate) * size_t(channels));
    for (size_t i = 0; i < out.size(); ++i) {
        const auto channel = int(i % size_t(channels));
        out[i] = float(0.5 * std::sin(2 * kPi * (440.0 + 110 * channel) * double(i / size_t(channels)) / rate));
    }
    return out;
}

// Values no neighbour repeats, so a frame's position can be read from it.
std::vector<float> Noise(size_t count)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-0.9f, 0.9f);
    std::vector<float> out(count);
    for (float& v : out)
        v = std::round(value(random) * 32767) / 32767;
    return out;
}

std::vector<float> ReadAll(AudioFileReader& reader)
{
    std::vector<float> all;
    std::vector<float> block(size_t(1000 * reader.channels()));
    for (int got = 1000; got == 1000;) {
        got = reader.read(block.data(), 1000);
        all.insert(all.end(), block.begin(), block.begin() + got * reader.channels());
    }
    return all;
}

double Rms(const std::vector<float>& samples, int channel, int channels)
{
    double sum = 0;
    for (size_t i = size_t(channel); i < samples.size(); i += size_t(channels))
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(samples.size() / size_t(channels)));
}

QString Encode(const QString& wav, const QString& suffix)
{
    if (suffix == "wav")
        return wav;
    if (QStandardPaths::findExecutable("flac").isEmpty())
        return QString();
    const QString out = QString(wav).replace(".wav", ".flac");
    return QProcess::execute("flac", {"-s", "-f", "-o", out, wav}) == 0 ? out : QString();
}

// A PCM WAV of the given header fields holding dataBytes of a quiet ramp,
// whatever the header claims.
QByteArray ForgedWav(quint32 rate, quint16 channels, quint16 bits, quint16 blockAlign, quint32 declaredData,
                     int dataBytes)
{
    QByteArray out;
    const auto put32 = [&out](quint32 v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xff));
    };
    const auto put16 = [&out](quint16 v) {
        out.append(char(v & 0xff));
        out.append(char(v >> 8));
    };
    out.append("RIFF");
    put32(quint32(36 + dataBytes));
    out.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(channels);
    put32(rate);
    put32(rate * blockAlign);
    put16(blockAlign);
    put16(bits);
    out.append("data");
    put32(declaredData);
    for (int i = 0; i < dataBytes; ++i)
        out.append(char(128 + (i % 16)));
    return out;
}

} // namespace

class TestAudioFileReader : public QObject {
    Q_OBJECT
private slots:
    void convertsRateAndChannels_data()
    {
        QTest::addColumn<int>("fileRate");
        QTest::addColumn<int>("fileChannels");
        QTest::addColumn<int>("outputRate");
        QTest::addColumn<int>("outputChannels");
        QTest::newRow("mono 44.1 to stereo 48") << 44100 << 1 << 48000 << 2;
        QTest::newRow("stereo 48 to stereo 44.1") << 48000 << 2 << 44100 << 2;
        QTest::newRow("stereo 44.1 to mono 22.05") << 44100 << 2 << 22050 << 1;
        QTest::newRow("mono 22.05 at its own rate") << 22050 << 1 << 0 << 2;
    }
    void convertsRateAndChannels()
    {
        QFETCH(int, fileRate);
        QFETCH(int, fileChannels);
        QFETCH(int, outputRate);
        QFETCH(int, outputChannels);
        QTemporaryDir dir;
        const QString wav = dir.filePath("tone.wav");
        QVERIFY(PieceSynth::writeWav(wav, Tones(fileRate, fileChannels, 2.0), fileRate, fileChannels));
        AudioFileReader reader;
        QVERIFY2(reader.open(wav, outputRate, outputChannels), qPrintable(reader.failureDetail()));
        const int rate = outputRate > 0 ? outputRate : fileRate;
        QCOMPARE(reader.sampleRate(), rate);
        QCOMPARE(reader.channels(), outputChannels);
        QCOMPARE(reader.declaredSeconds(), 2.0);
        const std::vector<float> all = ReadAll(reader);
        QCOMPARE(reader.failure(), DecodeFailure::None);
        QVERIFY2(std::abs(double(all.size()) / outputChannels - 2.0 * rate) <= 2,
                 qPrintable(QString::number(all.size())));
        // A sine of amplitude 0.5 has an RMS of 0.354; a mono file keeps it on both channels.
        const double left = Rms(all, 0, outputChannels);
        QVERIFY2(std::abs(left - 0.354) < 0.01 || outputChannels == 1, qPrintable(QString::number(left)));
        if (outputChannels == 2 && fileChannels == 1)
            QCOMPARE(Rms(all, 1, 2), left);
    }

    void seekLandsOnTheSample_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<double>("seconds");
        QTest::newRow("wav, a block's start") << "wav" << 1.0;
        QTest::newRow("wav, between blocks") << "wav" << 1.23457;
        QTest::newRow("wav, backwards to the start") << "wav" << 0.0;
        QTest::newRow("flac, mid-frame") << "flac" << 2.34567;
        QTest::newRow("flac, near the end") << "flac" << 3.9;
    }
    void seekLandsOnTheSample()
    {
        QFETCH(QString, suffix);
        QFETCH(double, seconds);
        QTemporaryDir dir;
        const std::vector<float> samples = Noise(4 * 44100);
        QVERIFY(PieceSynth::writeWav(dir.filePath("noise.wav"), samples, 44100));
        const QString file = Encode(dir.filePath("noise.wav"), suffix);
        if (file.isEmpty())
            QSKIP("encoder not installed");
        AudioFileReader reader;
        QVERIFY(reader.open(file, 44100, 1));
        std::vector<float> skipped(44100 * 3);
        reader.read(skipped.data(), 44100 * 3); // away from the target first, so the seek has to move
        QVERIFY(reader.seek(seconds));
        const auto first = size_t(std::llround(seconds * 44100));
        QCOMPARE(reader.position(), std::int64_t(first));
        float read[64];
        QCOMPARE(reader.read(read, 64), 64);
        // The file's 16 bits scale by 1/32768 on reading, 1/32767 on writing.
        for (size_t i = 0; i < 64; ++i)
            QVERIFY2(std::abs(read[i] - samples[first + i]) < 1e-4f, qPrintable(QString::number(i)));
    }

    void unreadableFilesSayWhy_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<DecodeFailure>("failure");
        QTest::newRow("empty") << QByteArray() << false << DecodeFailure::Empty;
        QTest::newRow("text") << QByteArray("no music here\n").repeated(40) << false << DecodeFailure::Undecodable;
        QTest::newRow("header only") << QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16) << false
                                     << DecodeFailure::Undecodable;
        QTest::newRow("cut in the middle") << QByteArray("cut") << true << DecodeFailure::BrokenOff;
        QTest::newRow("complete") << QByteArray("whole") << true << DecodeFailure::None;
    }
    void unreadableFilesSayWhy()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, opens);
        QFETCH(DecodeFailure, failure);
        QTemporaryDir dir;
        const QString path = dir.filePath("file.wav");
        if (content == "cut" || content == "whole") {
            QVERIFY(PieceSynth::writeWav(path, Tones(44100, 2, 3.0), 44100, 2));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            if (content == "cut")
                QVERIFY(file.resize(file.size() / 2));
        }
        else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        AudioFileReader reader;
        QCOMPARE(reader.open(path, 44100, 2), opens);
        if (opens) {
            const std::vector<float> all = ReadAll(reader);
            QVERIFY(!all.empty());
        }
        QCOMPARE(reader.failure(), failure);
        QCOMPARE(reader.failureDetail().isEmpty(), failure == DecodeFailure::None || failure == DecodeFailure::Empty);
        QVERIFY(!reader.open(dir.filePath("missing.wav"), 44100, 2));
        QCOMPARE(reader.failure(), DecodeFailure::CannotOpen);
    }

    // Headers no recording needs are refused before anything is allocated
    // for them; honest odd ones still play.
    void forgedHeadersAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("opens");
        constexpr int kData = 131072;
        QTest::newRow("1 Hz, block align 65535") << ForgedWav(1, 1, 8, 65535, kData, kData) << false;
        QTest::newRow("1 Hz, honest block") << ForgedWav(1, 1, 8, 1, kData, kData) << false;
        QTest::newRow("3999 Hz") << ForgedWav(3999, 1, 16, 2, kData, kData) << false;
        QTest::newRow("768 kHz") << ForgedWav(768000, 2, 16, 4, kData, kData) << false;
        QTest::newRow("block align of another sample size") << ForgedWav(44100, 2, 16, 6, kData, kData) << false;
        QTest::newRow("length far beyond the file") << ForgedWav(44100, 1, 8, 1, 0xfffffff0U, kData) << false;
        QTest::newRow("4 kHz, 8 bit mono") << ForgedWav(4000, 1, 8, 1, kData, kData) << true;
        QTest::newRow("384 kHz stereo") << ForgedWav(384000, 2, 16, 4, kData, kData) << true;
        QTest::newRow("twice the length it holds") << ForgedWav(8000, 1, 8, 1, 2 * kData, kData) << true;
    }
    void forgedHeadersAreRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        QFile file(dir.filePath("forged.wav"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        AudioFileReader reader;
        QCOMPARE(reader.open(file.fileName(), 22050, 1), opens);
        if (!opens) {
            QCOMPARE(reader.failure(), DecodeFailure::Undecodable);
            QVERIFY(!reader.failureDetail().isEmpty());
            return;
        }
        QVERIFY(!ReadAll(reader).empty());
    }

    // A frame that resamples to far more than one block is handed out in
    // parts, every sample of it and in order.
    void largeFramesComeOutWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("slow.wav");
        const std::vector<float> samples = Noise(4000 * 20);
        QVERIFY(PieceSynth::writeWav(path, samples, 4000, 1));
        AudioFileReader reader;
        QVERIFY(reader.open(path, 384000, 1));
        const std::vector<float> all = ReadAll(reader);
        QCOMPARE(reader.failure(), DecodeFailure::None);
        QVERIFY(std::abs(double(all.size()) - 96.0 * double(samples.size())) < 2000);
    }
};

QTEST_GUILESS_MAIN(TestAudioFileReader)
#include "tst_audio_file_reader.moc"
