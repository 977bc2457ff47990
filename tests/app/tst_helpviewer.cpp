#include "common/FileNames.h"
#include "app/HelpWindow.h"
#include "common/HelpViewer.h"
#include "common/ProgramState.h"
#include "RecordingMessages.h"
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace {

const QString missingHelpWarning = QStringLiteral("Die angeforderte Hilfedatei wurde nicht gefunden!");

void writeRtf(const QString& path, const QByteArray& body)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + body + "\\par}");
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(folder_.isValid());
        writeRtf(path("de/ZeitBestimmenHelp.rtf"), "Drei Stoppuhren");
        writeRtf(path("en/MusikauszaehlenHelp.rtf"), "Tap once per bar");
    }

    void secondCallReusesTheWindowWithNewTitleAndText()
    {
        RecordingMessages messages;
        HelpWindow viewer(messages);
        QVERIFY(viewer.showHelp("Count beat", path("en/MusikauszaehlenHelp.rtf")));
        QCOMPARE(viewer.windowTitle(), QString("Count beat"));
        QVERIFY(viewer.textView->toPlainText().contains("Tap once per bar"));

        QVERIFY(viewer.showHelp("Zeit bestimmen", path("de/ZeitBestimmenHelp.rtf")));
        QCOMPARE(viewer.windowTitle(), QString("Zeit bestimmen"));
        QVERIFY(viewer.textView->toPlainText().contains("Drei Stoppuhren"));
        QVERIFY(!viewer.textView->toPlainText().contains("Tap once per bar"));
        QVERIFY(viewer.isVisible());
        QVERIFY(!viewer.isModal());
        QVERIFY(messages.warnings.isEmpty());
    }

    void missingFileWarnsAndKeepsTheTextShownBefore()
    {
        RecordingMessages messages;
        HelpWindow viewer(messages);
        QVERIFY(viewer.showHelp("Zeit bestimmen", path("de/ZeitBestimmenHelp.rtf")));

        QVERIFY(!viewer.showHelp("Metronom", path("en/MetronomHelp.rtf")));
        QCOMPARE(messages.warnings, QStringList{missingHelpWarning});
        QCOMPARE(viewer.windowTitle(), QString("Metronom"));
        QVERIFY(viewer.textView->toPlainText().contains("Drei Stoppuhren"));
        QVERIFY(viewer.isVisible());
    }

    void windowIsCentredAtEachCall()
    {
        RecordingMessages messages;
        HelpWindow viewer(messages);
        viewer.showHelp("Count beat", path("en/MusikauszaehlenHelp.rtf"));
        viewer.move(3, 4);
        viewer.showHelp("Count beat", path("en/MusikauszaehlenHelp.rtf"));
        const QRect screen = viewer.screen()->geometry();
        const QRect frame = viewer.frameGeometry();
        QCOMPARE(frame.left() - screen.left(), (screen.width() - frame.width()) / 2);
        QCOMPARE(frame.top() - screen.top(), (screen.height() - frame.height()) / 2);
    }

    // Fifty openings, shown or closed before, the owner moved between them:
    // each time centred over the owner, also once the window is up.
    void opensCentredOverTheOwnerEveryTime()
    {
        RecordingMessages messages;
        QWidget owner;
        owner.resize(600, 500);
        owner.show();
        auto* viewer = new HelpWindow(messages, &owner);
        const QRect screen = owner.screen()->availableGeometry();
        for (int opening = 0; opening < 50; ++opening) {
            owner.move(screen.left() + (opening * 37) % 100, screen.top() + (opening * 23) % 60);
            if (opening % 3 == 0)
                viewer->close();
            viewer->showHelp("Count beat", path("en/MusikauszaehlenHelp.rtf"));
            for (int settled = 0; settled < 2; ++settled) {
                const QPoint offset = viewer->frameGeometry().center() - owner.frameGeometry().center();
                QVERIFY2(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2,
                         qPrintable(QString("opening %1: off by %2,%3").arg(opening).arg(offset.x()).arg(offset.y())));
                QCoreApplication::processEvents();
            }
        }
    }

    void fileNamesMatchWithoutRegardToCase()
    {
        writeRtf(path("FR/metronomhelp.RTF"), "Beats");
        RecordingMessages messages;
        HelpWindow viewer(messages);
        QVERIFY(viewer.showHelp("Metronom", path("fr/MetronomHelp.rtf")));
        QVERIFY(viewer.textView->toPlainText().contains("Beats"));
        QCOMPARE(findPathIgnoringCase(path("fr/nothing.rtf")), path("fr/nothing.rtf"));
    }

    void toolHelpWarnsWithTheRelativeFileName_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("toolWarning");
        QTest::newRow("German") << 0 << QStringLiteral("Hilfe-Datei nicht gefunden: 'de\\MetronomHelp.rtf'");
        QTest::newRow("English") << 1 << QStringLiteral("Help file not found: 'en\\MetronomHelp.rtf'");
    }

    // Without a viewer to show it, the help button itself reports the file.
    void toolHelpWarnsWithTheRelativeFileName()
    {
        QFETCH(int, flag);
        QFETCH(QString, toolWarning);
        RecordingMessages messages;
        ProgramState state;
        state.programFolder = folder_.path() + QDir::separator();
        state.messages = &messages;

        showToolHelp(state, languageFromStored(flag), "Metronom", "MetronomHelp.rtf");
        QCOMPARE(messages.warnings, QStringList{toolWarning});
    }

    // A missing file is the viewer's to report, once.
    void toolHelpWithMissingFileWarnsOnce()
    {
        RecordingMessages messages;
        HelpWindow viewer(messages);
        ProgramState state;
        state.programFolder = folder_.path() + QDir::separator();
        state.messages = &messages;
        state.help = &viewer;

        showToolHelp(state, Language::English, "Metronom", "MetronomHelp.rtf");
        QCOMPARE(messages.warnings, QStringList{missingHelpWarning});
        QCOMPARE(viewer.windowTitle(), QString("Metronom"));
    }

    void toolHelpOpensTheFileOfTheWindowsLanguage()
    {
        RecordingMessages messages;
        HelpWindow viewer(messages);
        ProgramState state;
        state.programFolder = folder_.path() + QDir::separator();
        state.language = Language::German; // the window's own language decides, not Sprache
        state.messages = &messages;
        state.help = &viewer;

        showToolHelp(state, Language::English, "Count beat", "MusikauszaehlenHelp.rtf");
        QCOMPARE(viewer.windowTitle(), QString("Count beat"));
        QVERIFY(viewer.textView->toPlainText().contains("Tap once per bar"));
        QVERIFY(messages.warnings.isEmpty());
    }

private:
    QString path(const QString& relative) const { return folder_.filePath(relative); }

    QTemporaryDir folder_;
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
