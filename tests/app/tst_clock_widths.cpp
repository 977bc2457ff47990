#include "widgets/DisplayArea.h"
#include "fade/FadeRockNRollWindow.h"
#include "fade/FadeCouplesWindow.h"
#include "stopwatch/StopTimeWindow.h"
#include "stopwatch/StopwatchControl.h"
#include "RecordingMessages.h"
#include "TestMainWindow.h"
#include "widgets/StatusPanels.h"
#include "widgets/TextFit.h"
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The longest readings up to 99:59 as each format writes them, with either separator.
const QStringList kSeconds{"5999.9", "5999,9"};
const QStringList kClock = kSeconds + QStringList{"99:59"};

QStringList labelled(const QStringList& labels, const QStringList& readings)
{
    QStringList texts;
    for (const QString& label : labels)
        for (const QString& reading : readings)
            texts << label + reading;
    return texts;
}

} // namespace

// Every clock field and status panel shows the longest text of its format
// whole, in both languages and with both decimal separators: the rendered
// width of the text is compared with the room the field gives it.
class TestClockWidths : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    RecordingMessages messages_;
    std::unique_ptr<MainWindow> form_;

    QWidget* field(const QString& path) const
    {
        // "window name/object name[/child name]"
        const QStringList parts = path.split('/');
        QWidget* widget = form_->displayArea();
        for (const QString& name : parts)
            widget = widget->findChild<QWidget*>(name);
        return widget;
    }

private slots:
    void initTestCase()
    {
        form_ = StartTestMainWindow(dir_.filePath("Vantor.conf"), messages_);
        QVERIFY(form_->startupError().isEmpty());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanupTestCase() { form_.reset(); }

    void statusPanels_data()
    {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QStringList>("texts");
        for (int couple = 1; couple <= 3; ++couple) {
            const QString n = QString::number(couple);
            QTest::addRow("stop time, couple %d", couple)
                << couple - 1 << labelled({"Paar " + n + ": ", "Couple " + n + ": "}, kClock);
            QTest::addRow("fade, couple %d", couple)
                << couple + 2 << labelled({"Zeit " + n + ": ", "Time " + n + ": "}, kClock);
        }
        QTest::newRow("Rock'n'Roll") << 6 << labelled({"Zeit: ", "Time: "}, kSeconds);
    }

    void statusPanels()
    {
        QFETCH(int, panel);
        QFETCH(QStringList, texts);
        const auto* label = form_->statusPanels()->findChild<QLabel*>(QStringLiteral("panel%1").arg(panel));
        QVERIFY(label);
        QVERIFY2(
            textsFit(*label, texts),
            qPrintable(QStringLiteral("%1 px of text in %2 px").arg(widestText(*label, texts)).arg(textRoom(*label))));
    }

    void panelsFitTheWindow()
    {
        const StatusPanels* bar = form_->statusPanels();
        QVERIFY(bar->minimumSizeHint().width() <= form_->width());
    }

    void clockFields_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("texts");
        for (int couple = 1; couple <= 3; ++couple) {
            QTest::addRow("stopwatch %d", couple) << QStringLiteral("StopTimeWindow/SW%1/MyEdit").arg(couple) << kClock;
            QTest::addRow("fade, couple %d", couple)
                << QStringLiteral("FadeCouplesWindow/TimeEdit%1").arg(couple) << kClock;
        }
        QTest::newRow("Rock'n'Roll") << "FadeRockNRollWindow/TimeEdit" << kSeconds;
    }

    void clockFields()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, texts);
        QWidget* widget = field(path);
        QVERIFY(widget);
        QVERIFY2(textsFit(*widget, texts),
                 qPrintable(
                     QStringLiteral("%1 px of text in %2 px").arg(widestText(*widget, texts)).arg(textRoom(*widget))));
    }

    // The line edit's own layout agrees: a text that fits is not scrolled,
    // so its first character stays at the left of the text, not cut off.
    void lineEditsDoNotScrollTheLongestText_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("texts");
        for (int couple = 1; couple <= 3; ++couple)
            QTest::addRow("fade, couple %d", couple)
                << QStringLiteral("FadeCouplesWindow/TimeEdit%1").arg(couple) << kClock;
        QTest::newRow("Rock'n'Roll") << "FadeRockNRollWindow/TimeEdit" << kSeconds;
    }

    void lineEditsDoNotScrollTheLongestText()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, texts);
        auto* edit = qobject_cast<QLineEdit*>(field(path));
        QVERIFY(edit);
        const QString before = edit->text();
        for (const QString& text : texts) {
            edit->setText(text);
            edit->setCursorPosition(0);
            edit->grab(); // the line edit scrolls its text as it paints
            const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
            edit->setCursorPosition(text.size());
            edit->grab();
            const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
            QVERIFY2(end - start >= edit->fontMetrics().horizontalAdvance(text) - 1, qPrintable(text));
        }
        edit->setText(before);
    }
};

QTEST_MAIN(TestClockWidths)
#include "tst_clock_widths.moc"
