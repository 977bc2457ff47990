#include "RecordingMessages.h"
#include "TestMainWindow.h"
#include "app/DanceSelectionPanel.h"
#include "rules/DanceSelection.h"
#include "widgets/EmbeddedForm.h"
#include "widgets/RadioGroup.h"
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

// The main window driven by keys alone.
class TestKeyboard : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    RecordingMessages messages_;
    std::unique_ptr<MainWindow> form_;

private slots:
    void initTestCase()
    {
        form_ = StartTestMainWindow(dir_.filePath("Vantor.conf"), messages_);
        QVERIFY(form_->startupError().isEmpty());
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void cleanupTestCase() { form_.reset(); }

    // The focus lands in the window a key opened, and a whole Tab round meets
    // only controls that show it.
    void toolKeyLeadsIntoItsWindowAndTabMeetsNoEmptyStop_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<EmbeddedWindow>("window");
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << EmbeddedWindow::Metronome;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << EmbeddedWindow::FadeCouples;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << EmbeddedWindow::StopTime;
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << EmbeddedWindow::SpeedConversion;
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << EmbeddedWindow::FadeRockNRoll;
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << EmbeddedWindow::MusicCheck;
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << EmbeddedWindow::PlayMusic;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << EmbeddedWindow::CountBeat;
    }

    void toolKeyLeadsIntoItsWindowAndTabMeetsNoEmptyStop()
    {
        QFETCH(int, key);
        QFETCH(EmbeddedWindow, window);
        QTest::keyClick(form_.get(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(form_->shownWindow(), window);
        QWidget* first = QApplication::focusWidget();
        QVERIFY(first);
        QVERIFY2(form_->embedded(window)->isAncestorOf(first), qPrintable(first->objectName()));
        for (int stop = 0; stop < 60; ++stop) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus->isVisible());
            QVERIFY2(!qobject_cast<QScrollArea*>(focus), qPrintable(focus->objectName()));
            if (focus == first)
                return;
        }
        QFAIL("Tab never came back");
    }

    // A text field's own Ctrl+A and Ctrl+Z give way to the tool keys.
    void toolKeyWinsOverATextFieldsOwnKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<EmbeddedWindow>("window");
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << EmbeddedWindow::CountBeat;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << EmbeddedWindow::StopTime;
    }

    void toolKeyWinsOverATextFieldsOwnKey()
    {
        QFETCH(int, key);
        QFETCH(EmbeddedWindow, window);
        QTest::keyClick(form_.get(), Qt::Key_T, Qt::ControlModifier);
        auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(field);
        field->setText("48");
        QTest::keyClick(field, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(form_->shownWindow(), window);
    }

    // The box's letter chooses the dance it leads to: focus alone would leave the target empty.
    void danceLetterChoosesADance()
    {
        DanceSelectionPanel* panel = form_->dancePanel();
        panel->typeGroup->button(2)->click(); // Standard, no dance chosen yet
        QCoreApplication::processEvents();    // the new dance buttons are shown
        QCOMPARE(form_->state().selection->dance(), -1);
        QTest::keyClick(form_.get(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(form_->state().selection->dance(), 0);
        QVERIFY(form_->state().selection->tempoRange().valid());
        QVERIFY(panel->danceGroup->button(0)->hasFocus());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
