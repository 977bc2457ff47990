#include "audio/LoudnessMeter.h"
#include <QTest>
#include <cmath>
#include <limits>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

class TestLoudness : public QObject {
    Q_OBJECT
private slots:
    // A 1 kHz sine on both channels reads its peak level in LUFS (EBU R128's calibration).
    void measuresATone_data()
    {
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<double>("lufs");
        QTest::newRow("-20 dBFS") << 0.1 << -20.0;
        QTest::newRow("-6 dBFS") << 0.5012 << -6.0;
        QTest::newRow("silence") << 0.0 << -kInf;
    }
    void measuresATone()
    {
        QFETCH(double, amplitude);
        QFETCH(double, lufs);
        LoudnessMeter meter(48000, 2);
        std::vector<float> block(2 * 4800);
        for (int second = 0, frame = 0; second < 50; ++second) {
            for (size_t i = 0; i < block.size(); i += 2, ++frame)
                block[i] = block[i + 1] = float(amplitude * std::sin(2 * kPi * 1000 * frame / 48000));
            meter.add(block.data(), 4800);
        }
        if (amplitude == 0) {
            QCOMPARE(meter.integratedLufs(), -kInf);
            QCOMPARE(meter.truePeakDb(), -kInf);
            return;
        }
        QVERIFY2(std::abs(meter.integratedLufs() - lufs) < 0.2, qPrintable(QString::number(meter.integratedLufs())));
        QVERIFY2(std::abs(meter.truePeakDb() - lufs) < 0.2, qPrintable(QString::number(meter.truePeakDb())));
    }

    void gainStopsAtZeroTruePeak_data()
    {
        QTest::addColumn<double>("lufs");
        QTest::addColumn<double>("peak");
        QTest::addColumn<double>("gain");
        QTest::newRow("quiet, headroom left") << -24.0 << -8.0 << 6.0;
        QTest::newRow("loud, turned down") << -10.0 << -0.1 << -8.0;
        QTest::newRow("quiet but peaky: peak limits") << -26.0 << -3.0 << 3.0;
        QTest::newRow("already over 0 dBTP") << -20.0 << 1.5 << -1.5;
        QTest::newRow("silence") << -kInf << -kInf << 0.0;
        QTest::newRow("not a number") << std::nan("") << -3.0 << 0.0;
    }
    void gainStopsAtZeroTruePeak()
    {
        QFETCH(double, lufs);
        QFETCH(double, peak);
        QFETCH(double, gain);
        QCOMPARE(gainToTarget(lufs, peak), gain);
        QVERIFY(!std::isfinite(peak) || peak + gainToTarget(lufs, peak) <= 0);
    }
};

QTEST_GUILESS_MAIN(TestLoudness)
#include "tst_loudness.moc"
