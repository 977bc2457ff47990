#include "app/ApplicationIdentity.h"
#include "widgets/ScreenPlacement.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {
// Long enough for the running program to get past its splash window.
constexpr int WaitForRunningProgramMs = 10000;
} // namespace

int main(int argc, char* argv[])
{
    processCommandLine(argc, argv);
    QApplication app(argc, argv);
    setApplicationIdentity(app);
    SingleInstance instance(SingleInstance::defaultFolder());
    if (instance.claim() == SingleInstance::Claim::HeldByRunningProgram) {
        if (instance.activateRunning(WaitForRunningProgramMs))
            return 0;
        std::fprintf(stderr, "vantor: another Vantor is running but does not answer\n");
        return 1;
    }
    MainWindow mainWindow;
    if (!mainWindow.startupError().isEmpty()) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), mainWindow.startupError());
        return 1;
    }
    mainWindow.show();
    mainWindow.activateWindow(); // keyboard shortcuts need the active window
    QObject::connect(&instance, &SingleInstance::activationRequested, &mainWindow,
                     [&mainWindow] { bringToFront(mainWindow); });
    instance.listen();
    return QApplication::exec();
}
