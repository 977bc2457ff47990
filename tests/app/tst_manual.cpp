#include "app/FrmManual.h"
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
        QTest::addColumn<int>("sprache");
        QTest::addColumn<QString>("text");
        QTest::newRow("German") << 0 << "Handbuch";
        QTest::newRow("English") << 1 << "Manual";
        QTest::newRow("any other value is English") << 7 << "Manual";
    }

    void loadsTheManualOfTheLanguage()
    {
        QFETCH(int, sprache);
        QFETCH(QString, text);
        RecordingMessages messages;
        TFrmManual manual;
        QVERIFY(manual.LoadManual(programFolder(), LanguageFromStored(sprache), messages));
        QCOMPARE(manual.Edit->toPlainText().trimmed(), text);
        QVERIFY(messages.warnings.isEmpty());
    }

    void missingManualWarnsAndStaysEmpty()
    {
        RecordingMessages messages;
        TFrmManual manual;
        QVERIFY(!manual.LoadManual(programFolder() + "nowhere" + QDir::separator(), Language::English, messages));
        QCOMPARE(messages.warnings, QStringList{"Hilfedatei wurde nicht gefunden"});
        QVERIFY(manual.Edit->toPlainText().isEmpty());
    }

    void showManualIsModalReadOnlyAndReturnsWhenClosed()
    {
        RecordingMessages messages;
        TFrmManual manual;
        bool wasModal = false;
        QTimer::singleShot(0, &manual, [&] {
            wasModal = manual.isVisible() && QApplication::activeModalWidget() == &manual;
            manual.close();
        });
        manual.ShowManual(programFolder(), Language::English, messages);
        QVERIFY(wasModal);
        QCOMPARE(manual.windowTitle(), QString("Hilfe"));
        QVERIFY(manual.Edit->isReadOnly());
        QCOMPARE(manual.Edit->toPlainText().trimmed(), QString("Manual"));
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
