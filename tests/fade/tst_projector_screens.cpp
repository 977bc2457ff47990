#include "fade/ProjectorWindow.h"
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QtTest>

// The projector display on a laptop with a projector beside it: two
// offscreen screens, the main window stood in for by a plain window.
class TestProjectorScreens : public QObject {
    Q_OBJECT

    QWidget* operatorWindow_ = nullptr;
    ProjectorWindow* projector_ = nullptr;

    static QRect geometryOf(const QString& name)
    {
        for (const QScreen* screen : QGuiApplication::screens())
            if (screen->name() == name)
                return screen->geometry();
        return {};
    }

    void putOperatorOn(const QString& name)
    {
        operatorWindow_->move(geometryOf(name).topLeft() + QPoint(40, 40));
        QCoreApplication::processEvents();
        QCOMPARE(operatorWindow_->screen()->name(), name);
    }

    // The main window takes input unless a modal window holds it.
    static bool operatorWindowFree() { return QApplication::activeModalWidget() == nullptr; }

private slots:
    void init()
    {
        operatorWindow_ = new QWidget;
        operatorWindow_->resize(400, 300);
        operatorWindow_->show();
        projector_ = new ProjectorWindow(operatorWindow_);
        putOperatorOn(QStringLiteral("LAPTOP"));
    }

    void cleanup() { delete operatorWindow_; }

    // Beside the main window the display leaves it usable, and its own keys
    // work while it has the focus.
    void goesToTheOtherScreenAndLeavesTheMainWindowFree()
    {
        projector_->showProjector(4, false, {QStringLiteral("1,0"), QString(), QStringLiteral("3,0")});
        QCOMPARE(projector_->geometry(), geometryOf(QStringLiteral("HDMI-1")));
        QCOMPARE(projector_->windowModality(), Qt::NonModal);
        QVERIFY(operatorWindowFree());
        QSignalSpy started(projector_->coupleThreeButton, &QPushButton::clicked);
        QTest::keyClick(projector_, '3');
        QCOMPARE(started.count(), 1);
        QSignalSpy closed(projector_, &QDialog::finished);
        QTest::keyClick(projector_, Qt::Key_Escape);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!projector_->isVisible());
    }

    // The operator's own screen, chosen on purpose: covered and held, as on a single screen.
    void onTheOperatorsScreenItHoldsTheInput()
    {
        projector_->setPreferredScreen(QStringLiteral("LAPTOP"));
        projector_->showProjector(1, false, {});
        QCOMPARE(projector_->geometry(), geometryOf(QStringLiteral("LAPTOP")));
        QCOMPARE(projector_->windowModality(), Qt::ApplicationModal);
        QVERIFY(!operatorWindowFree());
        // A stored screen that is not connected: the default, without a word.
        projector_->setPreferredScreen(QStringLiteral("DP-7"));
        QCOMPARE(projector_->geometry(), geometryOf(QStringLiteral("HDMI-1")));
        QCOMPARE(projector_->windowModality(), Qt::NonModal);
        QVERIFY(operatorWindowFree());
        QCOMPARE(projector_->preferredScreen(), QStringLiteral("DP-7"));
    }

    // The main window moved onto the projector's screen: the display makes way.
    void makesWayForAMovedMainWindow()
    {
        QSignalSpy listsChanged(projector_, &ProjectorWindow::screenChoiceChanged);
        projector_->showProjector(5, true, {});
        putOperatorOn(QStringLiteral("HDMI-1"));
        QCOMPARE(projector_->geometry(), geometryOf(QStringLiteral("LAPTOP")));
        QVERIFY(!listsChanged.isEmpty());
        QVERIFY(operatorWindowFree());
    }

    // Closed, the display still tells the lists of screens where it would go.
    void defaultFollowsTheMainWindowWhileClosed()
    {
        QSignalSpy listsChanged(projector_, &ProjectorWindow::screenChoiceChanged);
        putOperatorOn(QStringLiteral("HDMI-1"));
        QCOMPARE(listsChanged.count(), 1);
        QCOMPARE(projector_->screens().at(projector_->screenIndex()).name, QStringLiteral("LAPTOP"));
        QVERIFY(!projector_->isVisible());
    }

    // Laid out for the screen it stands on, not the primary one.
    void clocksFitTheChosenScreen()
    {
        projector_->setPreferredScreen(QStringLiteral("HDMI-1"));
        projector_->showProjector(1, false, {});
        const QRect clock = projector_->clockOne->geometry();
        QVERIFY(QRect(QPoint(), geometryOf(QStringLiteral("HDMI-1")).size()).contains(clock));
        QVERIFY(clock.width() > 1920 / 2);
    }
};

int main(int argc, char** argv)
{
    // Two screens side by side: a laptop's and a projector's.
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(R"({"screens": [
        {"name": "LAPTOP", "x": 0, "y": 0, "width": 1280, "height": 720, "logicalDpi": 96},
        {"name": "HDMI-1", "x": 1280, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    if (QGuiApplication::screens().size() != 2)
        qFatal("the offscreen platform did not take the two screens");
    TestProjectorScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_projector_screens.moc"
