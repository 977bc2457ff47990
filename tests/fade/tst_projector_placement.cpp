#include "fade/ProjectorLayout.h"
#include "fade/ProjectorScreens.h"
#include <QtTest>

namespace {

// "LAPTOP*:1280x720,HDMI-1:1920x1080": the star marks the primary screen.
QVector<ScreenInfo> screensOf(const QString& layout)
{
    QVector<ScreenInfo> screens;
    for (const QString& entry : layout.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        const QStringList size = parts[1].split(QLatin1Char('x'));
        QString name = parts[0];
        const bool primary = name.endsWith(QLatin1Char('*'));
        name.remove(QLatin1Char('*'));
        screens.append({name, QSize(size[0].toInt(), size[1].toInt()), primary});
    }
    return screens;
}

// Measures of "00:00" in a bold narrow face, margins included.
constexpr ClockTextExtent kExtent{2.9, 0.9};
constexpr int kTopBand = 30;

int footerTop(QSize screen)
{
    return screen.height() - 64;
}

} // namespace

class TestProjectorPlacement : public QObject {
    Q_OBJECT

private slots:
    void screenForTheDisplay_data()
    {
        QTest::addColumn<QString>("screens");
        QTest::addColumn<QString>("operatorScreen");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("shares");
        const QString two = QStringLiteral("LAPTOP*:1280x720,HDMI-1:1920x1080");
        QTest::newRow("only screen") << "LAPTOP*:1280x720"
                                     << "LAPTOP"
                                     << ""
                                     << "LAPTOP" << true;
        QTest::newRow("only screen, stored one gone") << "LAPTOP*:1280x720"
                                                      << "LAPTOP"
                                                      << "HDMI-1"
                                                      << "LAPTOP" << true;
        QTest::newRow("projector beside the laptop") << two << "LAPTOP"
                                                     << ""
                                                     << "HDMI-1" << false;
        QTest::newRow("main window on the projector") << two << "HDMI-1"
                                                      << ""
                                                      << "LAPTOP" << false;
        QTest::newRow("operator unknown: not the primary") << two << ""
                                                           << ""
                                                           << "HDMI-1" << false;
        QTest::newRow("stored screen connected") << "LAPTOP*:1280x720,DP-1:1024x768,HDMI-1:1920x1080"
                                                 << "LAPTOP"
                                                 << "HDMI-1"
                                                 << "HDMI-1" << false;
        QTest::newRow("stored screen gone") << two << "LAPTOP"
                                            << "DP-1"
                                            << "HDMI-1" << false;
        QTest::newRow("operator's own screen, chosen") << two << "LAPTOP"
                                                       << "LAPTOP"
                                                       << "LAPTOP" << true;
        QTest::newRow("three screens, operator in the middle") << "DP-1:1024x768,LAPTOP*:1280x720,HDMI-1:1920x1080"
                                                               << "LAPTOP"
                                                               << ""
                                                               << "DP-1" << false;
        QTest::newRow("no primary flagged") << "A:800x600,B:800x600"
                                            << ""
                                            << ""
                                            << "B" << false;
    }

    void screenForTheDisplay()
    {
        QFETCH(QString, screens);
        QFETCH(QString, operatorScreen);
        QFETCH(QString, stored);
        const QVector<ScreenInfo> infos = screensOf(screens);
        const int index = projectorScreenFor(infos, stored, operatorScreen);
        QVERIFY(index >= 0);
        QTEST(infos[index].name, "chosen");
        QTEST(sharesOperatorScreen(infos, index, operatorScreen), "shares");
    }

    void noScreenNoChoice() { QCOMPARE(projectorScreenFor({}, QStringLiteral("HDMI-1"), QString()), -1); }

    void entryNamesTheScreenAndItsResolution()
    {
        QCOMPARE(screenEntryText({QStringLiteral("HDMI-1"), QSize(1920, 1080), false}),
                 QStringLiteral("HDMI-1 (1920 x 1080)"));
    }

    void clocksFitTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QList<int>>("leftToRight");
        for (const QSize screen : {QSize(1280, 720), QSize(1920, 1080), QSize(1024, 768)}) {
            const QByteArray size = QByteArray::number(screen.width()) + "x" + QByteArray::number(screen.height());
            QTest::newRow(size + " first") << screen << 1 << false << QList<int>{1};
            QTest::newRow(size + " last inverted") << screen << 3 << true << QList<int>{3};
            QTest::newRow(size + " two") << screen << 4 << false << QList<int>{1, 3};
            QTest::newRow(size + " two inverted") << screen << 4 << true << QList<int>{3, 1};
            QTest::newRow(size + " all") << screen << 5 << false << QList<int>{1, 2, 3};
            QTest::newRow(size + " all inverted") << screen << 5 << true << QList<int>{3, 2, 1};
        }
    }

    // Each clock stands centred in its own column with its number under it,
    // all within the room between the bands, and as large as that room allows.
    void clocksFitTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(int, mode);
        QFETCH(bool, inverted);
        QFETCH(QList<int>, leftToRight);
        const ProjectorLayout layout = layOutProjector(screen, mode, inverted, kExtent, kTopBand, footerTop(screen));
        const int columnWidth = screen.width() / int(leftToRight.size());
        const QRect room(0, kTopBand, screen.width(), footerTop(screen) - kTopBand);
        for (int couple = 1; couple <= 3; ++couple)
            QCOMPARE(layout.clocks[couple - 1].isNull(), !leftToRight.contains(couple));
        for (int column = 0; column < leftToRight.size(); ++column) {
            const QRect clock = layout.clocks[leftToRight[column] - 1];
            const QRect number = layout.numbers[leftToRight[column] - 1];
            const QRect columnRect(column * columnWidth, room.top(), columnWidth, room.height());
            QVERIFY(columnRect.contains(clock));
            QVERIFY(room.contains(number));
            QVERIFY(qAbs(clock.center().x() - columnRect.center().x()) <= 1);
            QVERIFY(number.top() > clock.bottom());
            QCOMPARE(number.left(), clock.left());
            // Nothing is left over in the direction that limits the clock.
            const bool fillsWidth = clock.width() >= columnWidth * 0.9;
            const bool fillsHeight = number.bottom() >= room.bottom() - 3 * number.height();
            QVERIFY2(fillsWidth || fillsHeight, qPrintable(QStringLiteral("%1 px").arg(layout.clockPixelSize)));
        }
    }

    // Fewer clocks, larger digits; the single clock's digits span more than a
    // third of the screen's height.
    void fewerClocksAreLarger()
    {
        for (const QSize screen : {QSize(1280, 720), QSize(1920, 1080)}) {
            const auto pixels = [&](int mode) {
                return layOutProjector(screen, mode, false, kExtent, kTopBand, footerTop(screen)).clockPixelSize;
            };
            QVERIFY(pixels(1) > pixels(4));
            QVERIFY(pixels(4) > pixels(5));
            QVERIFY(pixels(1) * 0.73 > screen.height() / 3.0);
        }
    }

    void modesShowTheirCouples_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<bool>>("shown");
        QTest::newRow("first") << 1 << QList<bool>{true, false, false};
        QTest::newRow("second") << 2 << QList<bool>{false, true, false};
        QTest::newRow("last") << 3 << QList<bool>{false, false, true};
        QTest::newRow("two watches") << 4 << QList<bool>{true, false, true};
        QTest::newRow("all watches") << 5 << QList<bool>{true, true, true};
        QTest::newRow("closed") << -1 << QList<bool>{false, false, false};
    }

    void modesShowTheirCouples()
    {
        QFETCH(int, mode);
        QTEST((QList<bool>{modeShowsCouple(mode, 1), modeShowsCouple(mode, 2), modeShowsCouple(mode, 3)}), "shown");
    }
};

QTEST_APPLESS_MAIN(TestProjectorPlacement)
#include "tst_projector_placement.moc"
