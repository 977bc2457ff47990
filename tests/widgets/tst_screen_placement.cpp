#include "widgets/ScreenPlacement.h"
#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

namespace {

const QMargins kFrame(4, 30, 4, 4); // outer = client + 8 x 34
const QRect kLaptop(0, 0, 1280, 1024);
const QRect kRightMonitor(1280, 0, 1920, 1080);

} // namespace

class TestScreenPlacement : public QObject {
    Q_OBJECT

private slots:
    void placeWindow_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QPoint>("storedTopLeft");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<int>("primary");
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<QSize>("size");

        const QSize design(792, 600);
        const QList<QRect> laptop{kLaptop};
        const QList<QRect> both{kLaptop, kRightMonitor};
        QTest::newRow("nothing stored: centred")
            << false << QPoint() << design << laptop << 0 << QPoint(240, 195) << design;
        QTest::newRow("stored place on the screen")
            << true << QPoint(100, 50) << design << laptop << 0 << QPoint(100, 50) << design;
        QTest::newRow("left -5000") << true << QPoint(-5000, 100) << design << laptop << 0 << QPoint(240, 195)
                                    << design;
        QTest::newRow("second monitor unplugged")
            << true << QPoint(1500, 100) << design << laptop << 0 << QPoint(240, 195) << design;
        QTest::newRow("second monitor present")
            << true << QPoint(1500, 100) << design << both << 0 << QPoint(1500, 100) << design;
        QTest::newRow("title bar above the top edge")
            << true << QPoint(100, -20) << design << laptop << 0 << QPoint(240, 195) << design;
        QTest::newRow("too little title bar to take hold of")
            << true << QPoint(1230, 100) << design << laptop << 0 << QPoint(240, 195) << design;
        QTest::newRow("enough title bar left to take hold of")
            << true << QPoint(1100, 100) << design << laptop << 0 << QPoint(1100, 100) << design;
        QTest::newRow("huge size capped")
            << false << QPoint() << QSize(100000, 100000) << laptop << 0 << QPoint(0, 0) << QSize(1272, 990);
        QTest::newRow("huge size stored off the screen")
            << true << QPoint(-5000, 100) << QSize(100000, 100000) << laptop << 0 << QPoint(0, 0) << QSize(1272, 990);
        QTest::newRow("2x scaling of 1600 x 1000")
            << false << QPoint() << QSize(792, 700) << QList<QRect>{QRect(0, 0, 800, 500)} << 0 << QPoint(0, 0)
            << QSize(792, 466);
        QTest::newRow("primary monitor not at x = 0")
            << false << QPoint() << design << both << 1 << QPoint(1280 + 560, 223) << design;
        QTest::newRow("off-screen place goes to the primary")
            << true << QPoint(-5000, 0) << design << both << 1 << QPoint(1280 + 560, 223) << design;
        QTest::newRow("capped to the screen it stays on")
            << true << QPoint(1300, 10) << design << QList<QRect>{kLaptop, QRect(1280, 0, 800, 500)} << 0
            << QPoint(1300, 10) << QSize(792, 466);
    }

    void placeWindow()
    {
        QFETCH(bool, stored);
        QFETCH(QPoint, storedTopLeft);
        QFETCH(QSize, client);
        QFETCH(QList<QRect>, screens);
        QFETCH(int, primary);
        const WindowPlacement place = ::placeWindow(stored ? std::optional<QPoint>(storedTopLeft) : std::nullopt,
                                                    client, kFrame, ScreenAreas{screens, primary});
        QTEST(place.frameTopLeft, "topLeft");
        QTEST(place.clientSize, "size");
    }

    void dialogIsCentredOverItsOwner()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget owner;
        owner.setGeometry(QRect(screen.topLeft() + QPoint(100, 100), QSize(400, 300)));
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QWidget dialog(&owner, Qt::Dialog);
        dialog.resize(200, 100);
        centreOnScreen(dialog);
        QCOMPARE(dialog.frameGeometry().center(), owner.frameGeometry().center());

        // Near the screen's edge it stays whole on the screen.
        owner.move(screen.right() - 250, screen.bottom() - 150);
        dialog.resize(300, 200);
        centreOnScreen(dialog);
        QVERIFY(screen.contains(dialog.frameGeometry()));
    }

    void withoutOwnerCentredOnThePrimaryScreen()
    {
        QWidget window;
        window.resize(300, 200);
        centreOnScreen(window);
        QCOMPARE(window.frameGeometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    }
};

QTEST_MAIN(TestScreenPlacement)
#include "tst_screen_placement.moc"
