#include "common/HelpViewer.h"
#include "common/ProgramState.h"
#include "RecordingMessages.h"
#include "TestMainWindow.h"
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Two monitors side by side: the main window and its dialogs on the primary one,
// a stored place on the other one kept.
class TestTwoScreens : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    RecordingMessages messages_;

    QString settingsFile() const { return dir_.filePath("Vantor.conf"); }

    std::unique_ptr<MainWindow> start()
    {
        auto form = StartTestMainWindow(settingsFile(), messages_);
        form->show();
        return form;
    }

    static QRect primaryArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    static QRect otherArea()
    {
        for (const QScreen* screen : QGuiApplication::screens())
            if (screen != QGuiApplication::primaryScreen())
                return screen->availableGeometry();
        return {};
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::screens().size() != 2)
            QSKIP("the offscreen platform did not take the two-screen configuration");
    }

    void init() { QFile::remove(settingsFile()); }

    void mainWindowOpensOnThePrimaryScreen()
    {
        auto form = start();
        QVERIFY(primaryArea().contains(form->frameGeometry()));
    }

    void storedPlaceOnTheOtherScreenIsKept()
    {
        {
            QSettings settings(settingsFile(), QSettings::IniFormat);
            settings.setValue("Position/left", QString::number(otherArea().x() + 100));
            settings.setValue("Position/top", "50");
            settings.setValue("Position/height", "600");
        }
        auto form = start();
        QCOMPARE(form->pos(), QPoint(otherArea().x() + 100, 50));
    }

    void helpOpensCentredOverTheMainWindow()
    {
        auto form = start();
        HelpViewer* help = form->state().help;
        help->showHelp("Metronom", form->state().programFolder + "de/MetronomHelp.rtf");
        auto* viewer = dynamic_cast<QWidget*>(help);
        QVERIFY(viewer);
        QVERIFY(primaryArea().contains(viewer->frameGeometry()));
        QVERIFY((viewer->frameGeometry().center() - form->frameGeometry().center()).manhattanLength() <= 4);
    }
};

int main(int argc, char** argv)
{
    QTemporaryDir configDir;
    const QString config = configDir.filePath("screens.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1280, "height": 1024},
        {"name": "right", "x": 1280, "y": 0, "width": 1280, "height": 1024}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestTwoScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_two_screens.moc"
