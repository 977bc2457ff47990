#include "fade_latein_fixture.h"
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestFrmBeamer : public QObject {
    Q_OBJECT

private:
    static QList<bool> shown(const TfrmBeamer& beamer, QLabel* (TfrmBeamer::*label)(int) const)
    {
        QList<bool> visible;
        for (int couple = 1; couple <= 3; ++couple)
            visible << (beamer.*label)(couple)->isVisibleTo(&beamer);
        return visible;
    }

    // Runs the check inside the projector's modal loop, then lets the user close it.
    static void whileShown(const std::function<void()>& check, const std::function<void()>& close)
    {
        QTimer::singleShot(0, [=] {
            check();
            close();
        });
    }

private slots:
    void modesShowTheirClocks_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<bool>>("shown");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("first") << 1 << QList<bool>{true, false, false} << 150;
        QTest::newRow("second") << 2 << QList<bool>{false, true, false} << 150;
        QTest::newRow("last") << 3 << QList<bool>{false, false, true} << 150;
        QTest::newRow("two watches") << 4 << QList<bool>{true, false, true} << 130;
        QTest::newRow("all watches") << 5 << QList<bool>{true, true, true} << 90;
    }

    void modesShowTheirClocks()
    {
        QFETCH(int, mode);
        QFETCH(int, pointSize);
        TfrmBeamer beamer;
        beamer.LayOut(mode, false, 0);
        QTEST(shown(beamer, &TfrmBeamer::timeLabel), "shown");
        // Each number is shown exactly with its clock.
        QTEST(shown(beamer, &TfrmBeamer::numberLabel), "shown");
        QCOMPARE(beamer.geometry(), QGuiApplication::primaryScreen()->geometry());
        for (int couple = 1; couple <= 3; ++couple) {
            QCOMPARE(beamer.timeLabel(couple)->font().pointSize(), pointSize);
            if (beamer.timeLabel(couple)->isVisibleTo(&beamer))
                QVERIFY(beamer.numberLabel(couple)->y() > beamer.timeLabel(couple)->geometry().bottom());
        }
    }

    void placesClocksInColumns_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QList<int>>("leftToRight");
        QTest::newRow("single clock centred") << 1 << false << QList<int>{1};
        QTest::newRow("single clock stays centred inverted") << 3 << true << QList<int>{3};
        QTest::newRow("two") << 4 << false << QList<int>{1, 3};
        QTest::newRow("two inverted") << 4 << true << QList<int>{3, 1};
        QTest::newRow("all") << 5 << false << QList<int>{1, 2, 3};
        QTest::newRow("all inverted") << 5 << true << QList<int>{3, 2, 1};
    }

    void placesClocksInColumns()
    {
        QFETCH(int, mode);
        QFETCH(bool, inverted);
        QFETCH(QList<int>, leftToRight);
        TfrmBeamer beamer;
        // A layout of another mode first: nothing of it may stay behind.
        beamer.LayOut(5, !inverted, 0);
        beamer.LayOut(mode, inverted, 0);
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        const int columnWidth = screen.width() / int(leftToRight.size());
        for (int column = 0; column < leftToRight.size(); ++column) {
            const QLabel* clock = beamer.timeLabel(leftToRight[column]);
            const int centre = clock->x() + clock->width() / 2;
            QVERIFY2(qAbs(centre - (column * columnWidth + columnWidth / 2)) <= 1, qPrintable(QString::number(centre)));
            QCOMPARE(clock->y(), (screen.height() - clock->height()) / 2);
            QCOMPARE(beamer.numberLabel(leftToRight[column])->x(), clock->x());
        }
    }

    void footerInTheLanguageGiven()
    {
        TfrmBeamer beamer;
        beamer.LayOut(1, false, 1);
        QCOMPARE(beamer.lb_schliessen->text(), QStringLiteral("Close (ESC)"));
        QCOMPARE(beamer.lb_reset->text(), QStringLiteral("Space = reset"));
        beamer.LayOut(1, false, 0);
        QCOMPARE(beamer.lb_schliessen->text(), QStringLiteral("Schließen (ESC)"));
        QCOMPARE(beamer.lb_reset->text(), QStringLiteral("Leertaste = zurücksetzen"));
        QCOMPARE(beamer.lb_schliessen->y(), beamer.height() - 56);
    }

    // Mode 4: "2" does nothing, "1" and "3" start their couples, the
    // space bar resets all three, Escape closes.
    void keysDriveTheFadeWindow()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(2);
        f.tickAfter(1000);
        whileShown(
            [&] {
                QCOMPARE(f.window->projectorMode(), 4);
                QTest::keyClick(f.beamer.get(), '2');
                QTest::keyClick(f.beamer.get(), '1');
                QTest::keyClick(f.beamer.get(), '3');
                QVERIFY(f.runs(1) && f.runs(2) && f.runs(3));
                QCOMPARE(f.beamer->Button1->text(), QStringLiteral("Stop (&1)"));
                f.tickAfter(2000);
                QCOMPARE(f.beamer->lb_time1->text(), QStringLiteral("2,0"));
                QCOMPARE(f.beamer->lb_time3->text(), QStringLiteral("2,0"));
                QTest::keyClick(f.beamer.get(), Qt::Key_Space);
                QVERIFY(!f.runs(1) && !f.runs(2) && !f.runs(3));
                QCOMPARE(f.edit(2), QStringLiteral("0,0"));
            },
            [&] { QTest::keyClick(f.beamer.get(), Qt::Key_Escape); });
        f.window->BT_Beamer2->click();
        QCOMPARE(f.window->projectorMode(), -1);
        QCOMPARE(f.beamer->result(), int(QDialog::Rejected));
    }

    // Opening shows where each clock stands, also a stopped one.
    void opensWithTheCurrentTimesAndClosesOnANumberClick()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(2);
        f.tickAfter(50000);
        f.window->StartClick(2);
        bool shown = false;
        whileShown(
            [&] {
                shown = f.beamer->isVisible();
                QCOMPARE(f.beamer->lb_time2->text(), QStringLiteral("50,0"));
                QCOMPARE(f.beamer->clockColor(2), QColor(0, 128, 0));
            },
            [&] { QTest::mouseClick(f.beamer->lb_2, Qt::LeftButton); });
        f.window->couple(2).BT_beamer->click();
        QVERIFY(shown);
        QVERIFY(!f.beamer->isVisible());
    }
};

QTEST_MAIN(TestFrmBeamer)
#include "tst_frm_beamer.moc"
