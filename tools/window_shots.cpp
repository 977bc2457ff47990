// A picture of every window in both languages, on Qt's offscreen platform:
// the main window with each window of its display area, then each dialog and
// free-standing window it owns. The files are numbered in a fixed order, so
// two builds can be compared picture by picture (a change that should look
// the same gives identical files).
//
//   window_shots OUTDIR

#include "app/MainWindow.h"
#include "common/Messages.h"
#include "common/SoundPlayer.h"
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

// Messages are printed instead of waiting in a box for a click.
class PrintedMessages : public Messages {
public:
    void warning(const QString& text) override { std::fprintf(stderr, "warning: %s\n", qPrintable(text)); }
    void information(const QString& text) override { std::fprintf(stderr, "information: %s\n", qPrintable(text)); }
    bool inputQuery(const QString&, const QString&, QString&) override { return false; }
};

class Silence : public SoundPlayer {
public:
    void playResourceSound(const QString&) override {}
    void beep() override {}
};

void save(QWidget& window, const QString& outDir, const QString& name)
{
    QApplication::processEvents();
    const QString path = QDir(outDir).filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void shootLanguage(MainWindow& mainWindow, const QString& outDir, const QString& language)
{
    for (int window = 0; window < EmbeddedWindowCount; ++window) {
        mainWindow.showEmbedded(static_cast<EmbeddedWindow>(window));
        save(mainWindow, outDir, QStringLiteral("%1-window-%2").arg(language).arg(window, 2, 10, QLatin1Char('0')));
    }
    // In an order that does not depend on the classes' names or addresses.
    QList<QWidget*> dialogs;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != &mainWindow && widget->inherits("QDialog"))
            dialogs.append(widget);
    const auto key = [](const QWidget* widget) {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(widget->windowTitle())
            .arg(widget->width(), 5)
            .arg(widget->height(), 5)
            .arg(widget->findChildren<QWidget*>().size(), 5);
    };
    std::sort(dialogs.begin(), dialogs.end(), [&](QWidget* a, QWidget* b) { return key(a) < key(b); });
    int number = 0;
    for (QWidget* widget : dialogs) {
        widget->show();
        save(*widget, outDir, QStringLiteral("%1-dialog-%2").arg(language).arg(number++, 2, 10, QLatin1Char('0')));
        widget->hide();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_shots OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);
    QTemporaryDir work;
    MainWindowOptions options;
    options.settingsFile = work.filePath(QStringLiteral("Vantor.conf"));
    options.splashMs = 0;
    PrintedMessages messages;
    Silence silence;
    options.messages = &messages;
    options.sounds = &silence;
    MainWindow mainWindow(options);
    mainWindow.show();
    mainWindow.move(0, 0);
    shootLanguage(mainWindow, outDir, QStringLiteral("de"));
    mainWindow.toEnglishClicked();
    shootLanguage(mainWindow, outDir, QStringLiteral("en"));
    mainWindow.toGermanClicked();
    return 0;
}
