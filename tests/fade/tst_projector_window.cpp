#include "fade_couples_fixture.h"
#include <QGuiApplication>
#include <QLabel>
#include <QComboBox>
#include <QCheckBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestProjectorWindow : public QObject {
    Q_OBJECT

private:
    static QList<bool> shown(const ProjectorWindow& projector, QLabel* (ProjectorWindow::*label)(int) const)
    {
        QList<bool> visible;
        for (int couple = 1; couple <= 3; ++couple)
            visible << (projector.*label)(couple)->isVisibleTo(&projector);
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
        ProjectorWindow projector;
        // A layout of another mode first: nothing of it may stay behind.
        projector.layOut(mode == 5 ? 1 : 5, true);
        projector.layOut(mode, false);
        QTEST(shown(projector, &ProjectorWindow::timeLabel), "shown");
        // Each number is shown exactly with its clock, under it.
        QTEST(shown(projector, &ProjectorWindow::numberLabel), "shown");
        QCOMPARE(projector.geometry(), QGuiApplication::primaryScreen()->geometry());
        for (int couple = 1; couple <= 3; ++couple) {
            const QLabel* clock = projector.timeLabel(couple);
            if (!clock->isVisibleTo(&projector))
                continue;
            QVERIFY(projector.rect().contains(clock->geometry()));
            QVERIFY(projector.numberLabel(couple)->y() > clock->geometry().bottom());
            QVERIFY(projector.numberLabel(couple)->geometry().bottom() < projector.closeLabel->y());
            QCOMPARE(projector.numberLabel(couple)->x(), clock->x());
            QVERIFY(clock->font().bold());
        }
    }

    // Digits scaled to the screen: the fewer clocks, the larger.
    void fewerClocksLargerDigits()
    {
        ProjectorWindow projector;
        QList<int> pixels;
        for (const int mode : {1, 4, 5}) {
            projector.layOut(mode, false);
            pixels << projector.clockOne->font().pixelSize();
        }
        QVERIFY2(pixels[0] > pixels[1] && pixels[1] > pixels[2], qPrintable(QString::number(pixels[0])));
    }

    // Whatever the digits, the text keeps its width: a running clock does not jump.
    void digitsHaveOneWidth()
    {
        ProjectorWindow projector;
        projector.layOut(1, false);
        auto* clock = static_cast<ProjectorClock*>(projector.clockOne);
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
        ProjectorWindow projector;
        projector.layOut(5, false);
        QLabel* clock = projector.clockOne;
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
        ProjectorWindow projector;
        projector.layOut(1, false);
        const auto redShare = [&](LampState lamp) {
            projector.setClockLamp(1, lamp);
            QImage image(projector.clockOne->size(), QImage::Format_RGB32);
            projector.clockOne->render(&image);
            int red = 0;
            for (int y = 0; y < image.height(); y += 4)
                for (int x = 0; x < image.width(); x += 4)
                    red += QColor(image.pixel(x, y)).red() > 200 && QColor(image.pixel(x, y)).green() < 80;
            return red;
        };
        const int overtime = redShare(LampState::Red);
        QVERIFY(overtime > 4 * redShare(LampState::Amber));
        QVERIFY(overtime > 4 * redShare(LampState::Null));
    }

    void footerInTheLanguageGiven()
    {
        ProjectorWindow projector;
        useLanguage(Language::English);
        projector.layOut(1, false);
        QCOMPARE(projector.closeLabel->text(), QStringLiteral("Close (ESC)"));
        QCOMPARE(projector.resetLabel->text(), QStringLiteral("Space = reset"));
        useLanguage(Language::German);
        projector.layOut(1, false);
        QCOMPARE(projector.closeLabel->text(), QStringLiteral("Schließen (ESC)"));
        QCOMPARE(projector.resetLabel->text(), QStringLiteral("Leertaste = zurücksetzen"));
        QCOMPARE(projector.closeLabel->y(), projector.height() - 56);
    }

    // Mode 4: "2" does nothing, "1" and "3" start their couples, the
    // space bar resets all three, Escape closes. On the operator's only
    // screen the display holds the input until it closes.
    void keysDriveTheFadeWindow()
    {
        FadeCouplesFixture f;
        f.chooseDance(90, 120);
        f.window->startClicked(2);
        f.tickAfter(1000);
        f.window->projectorTwoButton->click();
        QVERIFY(f.projector->isVisible());
        QCOMPARE(f.projector->windowModality(), Qt::ApplicationModal);
        QCOMPARE(f.window->projectorMode(), 4);
        QTest::keyClick(f.projector.get(), '2');
        QTest::keyClick(f.projector.get(), '1');
        QTest::keyClick(f.projector.get(), '3');
        QVERIFY(f.runs(1) && f.runs(2) && f.runs(3));
        QCOMPARE(f.projector->coupleOneButton->text(), QStringLiteral("Stop (&1)"));
        f.tickAfter(2000);
        QCOMPARE(f.projector->clockOne->text(), QStringLiteral("2,0"));
        QCOMPARE(f.projector->clockThree->text(), QStringLiteral("2,0"));
        QTest::keyClick(f.projector.get(), Qt::Key_Space);
        QVERIFY(!f.runs(1) && !f.runs(2) && !f.runs(3));
        QCOMPARE(f.edit(2), QStringLiteral("0,0"));
        QTest::keyClick(f.projector.get(), Qt::Key_Escape);
        QVERIFY(!f.projector->isVisible());
        QCOMPARE(f.window->projectorMode(), -1);
        QCOMPARE(f.projector->result(), int(QDialog::Rejected));
    }

    // Opening shows where each clock stands, also a stopped one; another
    // Beamer button or the inverted box lays the open display out anew.
    void opensWithTheCurrentTimesAndClosesOnANumberClick()
    {
        FadeCouplesFixture f;
        f.chooseDance(90, 120);
        f.window->startClicked(2);
        f.tickAfter(50000);
        f.window->startClicked(2);
        f.window->couple(2).projectorButton->click();
        QVERIFY(f.projector->isVisible());
        QCOMPARE(f.projector->clockTwo->text(), QStringLiteral("50,0"));
        QCOMPARE(f.projector->clockLamp(2), LampState::Green);
        f.window->projectorAllButton->click();
        QCOMPARE(f.window->projectorMode(), 5);
        QCOMPARE(f.projector->clockTwo->text(), QStringLiteral("50,0"));
        QVERIFY(f.projector->clockOne->x() < f.projector->clockThree->x());
        f.window->invertedCheck->setChecked(true);
        QVERIFY(f.projector->clockOne->x() > f.projector->clockThree->x());
        QTest::mouseClick(f.projector->numberTwo, Qt::LeftButton);
        QVERIFY(!f.projector->isVisible());
        QCOMPARE(f.window->projectorMode(), -1);
    }

    // The start control lists the screens; a choice there is the display's.
    void startControlListsTheScreens()
    {
        FadeCouplesFixture f;
        QCOMPARE(f.window->projectorScreenCombo->count(), QGuiApplication::screens().size());
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(f.window->projectorScreenCombo->currentText(), QStringLiteral("%1 (%2 x %3)")
                                                                    .arg(screen->name())
                                                                    .arg(screen->size().width())
                                                                    .arg(screen->size().height()));
        emit f.window->projectorScreenCombo->activated(0);
        QCOMPARE(f.projector->preferredScreen(), screen->name());
    }
};

QTEST_MAIN(TestProjectorWindow)
#include "tst_projector_window.moc"
