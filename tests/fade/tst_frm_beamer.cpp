#include "fade_latein_fixture.h"
#include <QGuiApplication>
#include <QLabel>
#include <QComboBox>
#include <QCheckBox>
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

private slots:
    void modesShowTheirClocks_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<bool>>("shown");
        QTest::newRow("first") << 1 << QList<bool>{true, false, false};
        QTest::newRow("second") << 2 << QList<bool>{false, true, false};
        QTest::newRow("last") << 3 << QList<bool>{false, false, true};
        QTest::newRow("two watches") << 4 << QList<bool>{true, false, true};
        QTest::newRow("all watches") << 5 << QList<bool>{true, true, true};
    }

    // The only screen is the operator's: the display covers it whole.
    void modesShowTheirClocks()
    {
        QFETCH(int, mode);
        TfrmBeamer beamer;
        // A layout of another mode first: nothing of it may stay behind.
        beamer.LayOut(mode == 5 ? 1 : 5, true);
        beamer.LayOut(mode, false);
        QTEST(shown(beamer, &TfrmBeamer::timeLabel), "shown");
        // Each number is shown exactly with its clock, under it.
        QTEST(shown(beamer, &TfrmBeamer::numberLabel), "shown");
        QCOMPARE(beamer.geometry(), QGuiApplication::primaryScreen()->geometry());
        for (int couple = 1; couple <= 3; ++couple) {
            const QLabel* clock = beamer.timeLabel(couple);
            if (!clock->isVisibleTo(&beamer))
                continue;
            QVERIFY(beamer.rect().contains(clock->geometry()));
            QVERIFY(beamer.numberLabel(couple)->y() > clock->geometry().bottom());
            QVERIFY(beamer.numberLabel(couple)->geometry().bottom() < beamer.lb_schliessen->y());
            QCOMPARE(beamer.numberLabel(couple)->x(), clock->x());
            QVERIFY(clock->font().bold());
        }
    }

    // Digits scaled to the screen: the fewer clocks, the larger.
    void fewerClocksLargerDigits()
    {
        TfrmBeamer beamer;
        QList<int> pixels;
        for (const int mode : {1, 4, 5}) {
            beamer.LayOut(mode, false);
            pixels << beamer.lb_time1->font().pixelSize();
        }
        QVERIFY2(pixels[0] > pixels[1] && pixels[1] > pixels[2], qPrintable(QString::number(pixels[0])));
    }

    // Whatever the digits, the text keeps its width: a running clock does not jump.
    void digitsHaveOneWidth()
    {
        TfrmBeamer beamer;
        beamer.LayOut(1, false);
        auto* clock = static_cast<ProjectorClock*>(beamer.lb_time1);
        QImage first(clock->size(), QImage::Format_RGB32);
        QImage second(clock->size(), QImage::Format_RGB32);
        clock->setText(QStringLiteral("11:11"));
        clock->render(&first);
        clock->setText(QStringLiteral("81:11"));
        clock->render(&second);
        // Past the first digit, everything stands where it stood.
        const int right = clock->width() * 7 / 20;
        QCOMPARE(first.copy(right, 0, clock->width() - right, clock->height()),
                 second.copy(right, 0, clock->width() - right, clock->height()));
    }

    // A reading longer than the layout's widest shrinks to fit instead of losing its first digits.
    void longReadingStaysWhole()
    {
        TfrmBeamer beamer;
        beamer.LayOut(5, false);
        QLabel* clock = beamer.lb_time1;
        clock->setText(QStringLiteral("5999,9"));
        QImage image(clock->size(), QImage::Format_RGB32);
        clock->render(&image);
        int leftmostLit = image.width();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < leftmostLit; ++x)
                if (QColor(image.pixel(x, y)).lightness() > 128)
                    leftmostLit = x;
        QVERIFY(leftmostLit > 0);
        QVERIFY(leftmostLit < image.width() / 4);
    }

    // Past the maximum the clock is a red field: more red on the screen than in any other state.
    void overtimeIsARedField()
    {
        TfrmBeamer beamer;
        beamer.LayOut(1, false);
        const auto redShare = [&](LampState lamp) {
            beamer.setClockLamp(1, lamp);
            QImage image(beamer.lb_time1->size(), QImage::Format_RGB32);
            beamer.lb_time1->render(&image);
            int red = 0;
            for (int y = 0; y < image.height(); y += 4)
                for (int x = 0; x < image.width(); x += 4)
                    red += QColor(image.pixel(x, y)).red() > 200 && QColor(image.pixel(x, y)).green() < 80;
            return red;
        };
        const int overtime = redShare(LampState::Rot);
        QVERIFY(overtime > 4 * redShare(LampState::Gelb));
        QVERIFY(overtime > 4 * redShare(LampState::Null));
    }

    void footerInTheLanguageGiven()
    {
        TfrmBeamer beamer;
        UseLanguage(Language::English);
        beamer.LayOut(1, false);
        QCOMPARE(beamer.lb_schliessen->text(), QStringLiteral("Close (ESC)"));
        QCOMPARE(beamer.lb_reset->text(), QStringLiteral("Space = reset"));
        UseLanguage(Language::German);
        beamer.LayOut(1, false);
        QCOMPARE(beamer.lb_schliessen->text(), QStringLiteral("Schließen (ESC)"));
        QCOMPARE(beamer.lb_reset->text(), QStringLiteral("Leertaste = zurücksetzen"));
        QCOMPARE(beamer.lb_schliessen->y(), beamer.height() - 56);
    }

    // Mode 4: "2" does nothing, "1" and "3" start their couples, the
    // space bar resets all three, Escape closes. On the operator's only
    // screen the display holds the input until it closes.
    void keysDriveTheFadeWindow()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(2);
        f.tickAfter(1000);
        f.window->BT_Beamer2->click();
        QVERIFY(f.beamer->isVisible());
        QCOMPARE(f.beamer->windowModality(), Qt::ApplicationModal);
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
        QTest::keyClick(f.beamer.get(), Qt::Key_Escape);
        QVERIFY(!f.beamer->isVisible());
        QCOMPARE(f.window->projectorMode(), -1);
        QCOMPARE(f.beamer->result(), int(QDialog::Rejected));
    }

    // Opening shows where each clock stands, also a stopped one; another
    // Beamer button or the inverted box lays the open display out anew.
    void opensWithTheCurrentTimesAndClosesOnANumberClick()
    {
        FadeLateinFixture f;
        f.chooseDance(90, 120);
        f.window->StartClick(2);
        f.tickAfter(50000);
        f.window->StartClick(2);
        f.window->couple(2).BT_beamer->click();
        QVERIFY(f.beamer->isVisible());
        QCOMPARE(f.beamer->lb_time2->text(), QStringLiteral("50,0"));
        QCOMPARE(f.beamer->clockLamp(2), LampState::Gruen);
        f.window->BT_BeamerAll->click();
        QCOMPARE(f.window->projectorMode(), 5);
        QCOMPARE(f.beamer->lb_time2->text(), QStringLiteral("50,0"));
        QVERIFY(f.beamer->lb_time1->x() < f.beamer->lb_time3->x());
        f.window->cbx_inverted->setChecked(true);
        QVERIFY(f.beamer->lb_time1->x() > f.beamer->lb_time3->x());
        QTest::mouseClick(f.beamer->lb_2, Qt::LeftButton);
        QVERIFY(!f.beamer->isVisible());
        QCOMPARE(f.window->projectorMode(), -1);
    }

    // The start control lists the screens; a choice there is the display's.
    void startControlListsTheScreens()
    {
        FadeLateinFixture f;
        QCOMPARE(f.window->CO_BeamerScreen->count(), QGuiApplication::screens().size());
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(f.window->CO_BeamerScreen->currentText(), QStringLiteral("%1 (%2 x %3)")
                                                               .arg(screen->name())
                                                               .arg(screen->size().width())
                                                               .arg(screen->size().height()));
        emit f.window->CO_BeamerScreen->activated(0);
        QCOMPARE(f.beamer->preferredScreen(), screen->name());
    }
};

QTEST_MAIN(TestFrmBeamer)
#include "tst_frm_beamer.moc"
