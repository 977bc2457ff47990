#include "fade/TrafficLight.h"
#include "fade/LampLook.h"
#include <QtTest>
#include <algorithm>
#include <array>
#include <cmath>

using Step = QPair<double, int>; // reading in seconds, lamp lit (-1: none)
Q_DECLARE_METATYPE(QList<Step>)

class TestTrafficLight : public QObject {
    Q_OBJECT

private slots:
    void movesOnOnlyPastEachThreshold_data()
    {
        const int none = -1;
        const int gruen = int(LampState::Green);
        const int gelb = int(LampState::Amber);
        const int rot = int(LampState::Red);
        QTest::addColumn<int>("danceTimeMin");
        QTest::addColumn<int>("danceTimeMax");
        QTest::addColumn<QList<Step>>("steps");
        QTest::newRow("range 90-120") << 90 << 120
                                      << QList<Step>{{0.0, none},  {0.1, gruen},  {60, none},   {90.0, none},
                                                     {90.1, gelb}, {120.0, none}, {120.1, rot}, {150, rot}};
        QTest::newRow("single time 90") << 90 << 90
                                        << QList<Step>{{0.1, gruen}, {90.0, none}, {90.1, rot}, {90.2, rot}};
        QTest::newRow("no dancing time") << 0 << 0 << QList<Step>{{0.1, gruen}, {0.2, gruen}, {500, gruen}};
        QTest::newRow("late first tick past both")
            << 90 << 120 << QList<Step>{{130, gruen}, {130.1, gelb}, {130.2, rot}};
    }

    void movesOnOnlyPastEachThreshold()
    {
        QFETCH(int, danceTimeMin);
        QFETCH(int, danceTimeMax);
        QFETCH(QList<Step>, steps);
        TrafficLight light;
        for (const Step& step : steps) {
            const std::optional<LampState> lamp = light.advance(step.first, danceTimeMin, danceTimeMax);
            QCOMPARE(lamp ? int(*lamp) : -1, step.second);
        }
    }

    void resetLightsGreenAgain()
    {
        TrafficLight light;
        light.advance(0.1, 90, 120);
        light.advance(91, 90, 120);
        light.reset();
        QCOMPARE(light.nextThreshold(), 0.0);
        QCOMPARE(light.advance(0.1, 90, 120), std::optional<LampState>(LampState::Green));
    }

    void colorsAreRgbOfTheStoredBgrValues_data()
    {
        const QColor off(0x33, 0x33, 0x33);
        QTest::addColumn<int>("state");
        QTest::addColumn<QColor>("red");
        QTest::addColumn<QColor>("yellow");
        QTest::addColumn<QColor>("green");
        QTest::newRow("null") << int(LampState::Null) << off << off << off;
        QTest::newRow("rot") << int(LampState::Red) << QColor(255, 0, 0) << off << off;
        QTest::newRow("gelb") << int(LampState::Amber) << off << QColor(255, 255, 0) << off;
        QTest::newRow("gruen") << int(LampState::Green) << off << off << QColor(0, 128, 0);
    }

    void colorsAreRgbOfTheStoredBgrValues()
    {
        QFETCH(int, state);
        const LampColors colors = colorsOf(LampState(state));
        QTEST(colors.red, "red");
        QTEST(colors.yellow, "yellow");
        QTEST(colors.green, "green");
    }

    // A washed-out projector keeps what is bright and far apart in hue:
    // digits stand out from their ground, and the lit states differ in hue
    // from each other and from the unlit white.
    void projectorLooksStayApartOnAWashedOutScreen()
    {
        const LampState states[] = {LampState::Null, LampState::Green, LampState::Amber, LampState::Red};
        QList<int> litHues;
        for (const LampState state : states) {
            const ProjectorLook look = projectorLookOf(state);
            const QColor ground = look.field.isValid() ? look.field : QColor(Qt::black);
            QVERIFY2(contrast(look.digits, ground) >= 4.5, qPrintable(look.digits.name()));
            if (state != LampState::Null)
                litHues << (look.field.isValid() ? look.field : look.digits).hue();
        }
        for (int a = 0; a < litHues.size(); ++a)
            for (int b = a + 1; b < litHues.size(); ++b)
                QVERIFY2(hueDistance(litHues[a], litHues[b]) >= 40, qPrintable(QString::number(litHues[a])));
        QCOMPARE(projectorLookOf(LampState::Null).digits.saturation(), 0);
        // Only the overtime turns the clock into a field.
        QVERIFY(projectorLookOf(LampState::Red).field.isValid());
        QVERIFY(!projectorLookOf(LampState::Amber).field.isValid());
    }

    // The common colour-vision deficiencies, simulated at full strength in
    // linear RGB (Machado, Oliveira and Fernandes, 2009): each state's signal
    // colour stays far from every other's, about ten times what an eye tells
    // apart.
    void projectorLooksStayApartInEveryColourVision_data()
    {
        QTest::addColumn<QList<double>>("matrix");
        QTest::newRow("normal") << QList<double>{1, 0, 0, 0, 1, 0, 0, 0, 1};
        QTest::newRow("protanopia") << QList<double>{0.152286, 1.052583,  -0.204868, 0.114503, 0.786281,
                                                     0.099216, -0.003882, -0.048116, 1.051998};
        QTest::newRow("deuteranopia") << QList<double>{0.367322, 0.860646,  -0.227968, 0.280085, 0.672501,
                                                       0.047413, -0.011820, 0.042940,  0.968881};
        QTest::newRow("tritanopia") << QList<double>{1.255528, -0.076749, -0.178779, -0.078411, 0.930809,
                                                     0.147602, 0.004733,  0.691367,  0.303900};
    }

    void projectorLooksStayApartInEveryColourVision()
    {
        QFETCH(QList<double>, matrix);
        const LampState states[] = {LampState::Null, LampState::Green, LampState::Amber, LampState::Red};
        QList<std::array<double, 3>> seen;
        for (const LampState state : states) {
            const ProjectorLook look = projectorLookOf(state);
            seen << lab(simulated(look.field.isValid() ? look.field : look.digits, matrix));
        }
        for (int a = 0; a < seen.size(); ++a)
            for (int b = a + 1; b < seen.size(); ++b) {
                const double distance =
                    std::hypot(seen[a][0] - seen[b][0], seen[a][1] - seen[b][1], seen[a][2] - seen[b][2]);
                QVERIFY2(distance >= 25, qPrintable(QString("states %1 and %2: %3").arg(a).arg(b).arg(distance)));
            }
    }

    // Told apart without colour vision: each state has a shape of its own.
    void projectorStatesDifferInShape()
    {
        QSet<QString> shapes;
        for (const LampState state : {LampState::Null, LampState::Green, LampState::Amber, LampState::Red}) {
            const ProjectorLook look = projectorLookOf(state);
            shapes
                << QString("%1%2%3").arg(look.field.isValid()).arg(look.frame.isValid()).arg(look.underline.isValid());
        }
        QCOMPARE(shapes.size(), 4);
    }

private:
    static double linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

    static std::array<double, 3> simulated(const QColor& color, const QList<double>& matrix)
    {
        const double in[] = {linear(color.redF()), linear(color.greenF()), linear(color.blueF())};
        std::array<double, 3> out{};
        for (int row = 0; row < 3; ++row)
            out[row] = std::clamp(matrix[row * 3] * in[0] + matrix[row * 3 + 1] * in[1] + matrix[row * 3 + 2] * in[2],
                                  0.0, 1.0);
        return out;
    }

    // CIE L*a*b* of linear sRGB, white point D65.
    static std::array<double, 3> lab(const std::array<double, 3>& rgb)
    {
        const double x = (0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047;
        const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
        const double z = (0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883;
        const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
        return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    }

    static double luminance(const QColor& color)
    {
        const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
    }
    static double contrast(const QColor& a, const QColor& b)
    {
        const double la = luminance(a);
        const double lb = luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    }
    static int hueDistance(int a, int b)
    {
        const int d = std::abs(a - b) % 360;
        return std::min(d, 360 - d);
    }
};

QTEST_APPLESS_MAIN(TestTrafficLight)
#include "tst_traffic_light.moc"
