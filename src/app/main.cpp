#include "app/ApplicationIdentity.h"
#include "widgets/ScreenPlacement.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include <QApplication>
#include <QMessageBox>
#include <cstdio>

int main(int argc, char* argv[])
{
    processCommandLine(argc, argv);
    QApplication app(argc, argv);
    setApplicationIdentity(app);
    SingleInstance instance(SingleInstance::defaultFolder());
    const SingleInstance::Claim claim = instance.claim();
    if (claim == SingleInstance::Claim::HeldByRunningProgram) {
        if (instance.activateRunning(instance.answerWaitMs()))
            return 0;
        // A hung program must not lock its user out: a second window is better than none.
        std::fprintf(stderr, "vantor: another Vantor holds the lock but does not answer; starting anyway\n");
    }
    else if (claim == SingleInstance::Claim::Unavailable) {
        std::fprintf(stderr, "vantor: %s\n", qPrintable(instance.note()));
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
