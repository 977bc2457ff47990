#include "app/WindowTable.h"
#include "widgets/RtfReader.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <algorithm>

// The help texts and manuals delivered beside the program.
class TestHelpFiles : public QObject {
    Q_OBJECT

private slots:
    void everyDeliveredFileIsThere_data()
    {
        QTest::addColumn<QString>("relative");
        const QStringList both = {"Vantor.rtf",
                                  "MusikauszaehlenHelp.rtf",
                                  "ZeitBestimmenHelp.rtf",
                                  "MetronomHelp.rtf",
                                  "TaktAnpassungHelp.rtf",
                                  "RnRAusblendenHelp.rtf",
                                  "LateinAusblendenHelp.rtf",
                                  "MusikPruefenHelp.rtf"};
        for (const QString& language : {QStringLiteral("de"), QStringLiteral("en")})
            for (const QString& name : both)
                QTest::newRow(qPrintable(language + "/" + name)) << language + "/" + name;
        QTest::newRow("en/AdaptDataHelp.rtf") << QStringLiteral("en/AdaptDataHelp.rtf");
    }

    void everyDeliveredFileIsThere()
    {
        QFETCH(QString, relative);
        QVERIFY2(QFile::exists(dataDir().filePath(relative)), qPrintable(relative));
    }

    // A window's help button opens the file its row of the window table names.
    void everyWindowsHelpIsDelivered_data()
    {
        QTest::addColumn<QString>("relative");
        for (const WindowRow& row : windowRows())
            if (row.help)
                for (const QString& language : {QStringLiteral("de"), QStringLiteral("en")})
                    QTest::newRow(qPrintable(language + "/" + row.help->fileName))
                        << language + "/" + row.help->fileName;
    }

    void everyWindowsHelpIsDelivered()
    {
        QFETCH(QString, relative);
        QVERIFY2(QFile::exists(dataDir().filePath(relative)), qPrintable(relative));
    }

    void everyRtfFileReadsAsText_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& language : {QStringLiteral("de"), QStringLiteral("en")}) {
            const QDir folder(dataDir().filePath(language));
            for (const QString& name : folder.entryList({"*.rtf"}, QDir::Files))
                QTest::newRow(qPrintable(language + "/" + name)) << folder.filePath(name);
        }
    }

    void everyRtfFileReadsAsText()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray rtf = file.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY2(isBalanced(rtf), "unbalanced braces");
        // The files are plain Windows-1252 text with escapes, no raw 8-bit bytes.
        QVERIFY(std::all_of(rtf.begin(), rtf.end(), [](char c) { return (c & 0x80) == 0; }));

        QTextDocument document;
        QVERIFY(loadRtfFile(path, &document));
        const QString text = document.toPlainText();
        QVERIFY(text.trimmed().size() > 200);
        static const QRegularExpression controlWord(QStringLiteral("\\\\[a-z]+|[{}]"));
        QVERIFY2(!text.contains(controlWord), "control words leaked into the text");
    }

    void germanUmlautsAreDecoded()
    {
        QTextDocument document;
        QVERIFY(loadRtfFile(dataDir().filePath("de/Vantor.rtf"), &document));
        const QString text = document.toPlainText();
        QVERIFY(text.contains(QStringLiteral("Musik auszählen")));
        QVERIFY(text.contains(QStringLiteral("Größe")));
    }

private:
    static QDir dataDir() { return QDir(qEnvironmentVariable("VANTOR_DATA_DIR")); }
    static bool isBalanced(const QByteArray& rtf)
    {
        int depth = 0;
        for (int i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\\') {
                ++i; // an escaped brace or backslash is text
                continue;
            }
            depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
            if (depth < 0)
                return false;
        }
        return depth == 0;
    }
};

QTEST_MAIN(TestHelpFiles)
#include "tst_helpfiles.moc"
