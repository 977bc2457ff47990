// Prints how long the program takes from process start until the main window
// is shown (the splash left out) and the resident memory at that moment.
#include "app/MainWindow.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process (Linux), -1 elsewhere.
double msSinceProcessStart()
{
    QFile stat("/proc/self/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double uptimeMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return uptimeMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

QByteArray residentMemory()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return "unknown";
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed();
    return "unknown";
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vantor");
    QTemporaryDir settings;
    MainWindowOptions options;
    options.settingsFile = settings.filePath("Vantor.conf");
    options.splashMs = 0;
    MainWindow form(options);
    if (!form.startupError().isEmpty()) {
        std::fprintf(stderr, "start-up failed: %s\n", qPrintable(form.startupError()));
        return 1;
    }
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    const double fromMain = static_cast<double>(sinceMain.nsecsElapsed()) / 1e6;
    std::printf("startup: process start -> main window shown: %.1f ms (from main(): %.1f ms)\n", msSinceProcessStart(),
                fromMain);
    std::printf("startup: resident memory after start: %s\n", residentMemory().constData());
    return 0;
}
