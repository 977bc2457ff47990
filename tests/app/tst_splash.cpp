#include "app/SplashScreen.h"
#include <QApplication>
#include <QTest>
#include <QTimer>

class TestSplash : public QObject {
    Q_OBJECT

private slots:
    void closesItselfAfterItsTime()
    {
        SplashScreen splash;
        QVERIFY(!splash.closeTimer->isActive()); // its time starts when it is shown
        bool shownModal = false;
        QTimer::singleShot(0, &splash,
                           [&] { shownModal = splash.isVisible() && QApplication::activeModalWidget() == &splash; });
        // A guard so that a splash that never closes fails the test instead of hanging it.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &splash, &QDialog::reject);
        guard.start(10000);

        splash.showSplash(30);
        QVERIFY(guard.isActive());
        QVERIFY(shownModal);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.closeTimer->isActive());
        QCOMPARE(splash.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
