// A picture of every window in both languages, on Qt's offscreen platform:
// the main window with each window of its display area, then each dialog and
// free-standing window it owns. The files are numbered in a fixed order, so
// two builds can be compared picture by picture (a change that should look
// the same gives identical files).
//
//   window_shots OUTDIR [--dark] [--dark-theme]
//
// --dark gives the application a dark palette first, as a dark desktop does;
// --dark-theme turns on the program's own dark theme.

#include "app/MainWindow.h"
#include "common/Messages.h"
#include "common/SoundPlayer.h"
#include "widgets/Theme.h"
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPalette>
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

// Light text on dark grounds, as a dark desktop theme sets it.
QPalette darkPalette()
{
    QPalette dark;
    const QColor text(0xE6, 0xE6, 0xE6);
    dark.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::ToolTipBase, QColor(0x3A, 0x3A, 0x3A));
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::Highlight, QColor(0x3D, 0x6B, 0xB3));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return dark;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_shots OUTDIR [--dark] [--dark-theme]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList flags = QApplication::arguments().mid(2);
    if (flags.contains(QStringLiteral("--dark")))
        QApplication::setPalette(darkPalette());
    if (flags.contains(QStringLiteral("--dark-theme")))
        Theme::instance().setDark(true);
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
