#include "app/ManualDialog.h"
#include "RecordingMessages.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

class TestManual : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        writeManual("de", "Handbuch");
        writeManual("en", "Manual");
    }

    void loadsTheManualOfTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("German") << 0 << "Handbuch";
        QTest::newRow("English") << 1 << "Manual";
        QTest::newRow("any other value is English") << 7 << "Manual";
    }

    void loadsTheManualOfTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, text);
        RecordingMessages messages;
        ManualDialog manual;
        QVERIFY(manual.loadManual(programFolder(), languageFromStored(language), messages));
        QCOMPARE(manual.textView->toPlainText().trimmed(), text);
        QVERIFY(messages.warnings.isEmpty());
    }

    void missingManualWarnsAndStaysEmpty()
    {
        RecordingMessages messages;
        ManualDialog manual;
        QVERIFY(!manual.loadManual(programFolder() + "nowhere" + QDir::separator(), Language::English, messages));
        QCOMPARE(messages.warnings, QStringList{"Hilfedatei wurde nicht gefunden"});
        QVERIFY(manual.textView->toPlainText().isEmpty());
    }

    void showManualIsModalReadOnlyAndReturnsWhenClosed()
    {
        RecordingMessages messages;
        ManualDialog manual;
        bool wasModal = false;
        QTimer::singleShot(0, &manual, [&] {
            wasModal = manual.isVisible() && QApplication::activeModalWidget() == &manual;
            manual.close();
        });
        manual.showManual(programFolder(), Language::English, messages);
        QVERIFY(wasModal);
        QCOMPARE(manual.windowTitle(), QString("Hilfe"));
        QVERIFY(manual.textView->isReadOnly());
        QCOMPARE(manual.textView->toPlainText().trimmed(), QString("Manual"));
    }

private:
    QString programFolder() const { return folder_.path() + QDir::separator(); }
    void writeManual(const QString& language, const QByteArray& text)
    {
        QDir(folder_.path()).mkpath(language);
        QFile file(folder_.filePath(language + "/Vantor.rtf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi " + text + "\\par}");
    }

    QTemporaryDir folder_;
};

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
