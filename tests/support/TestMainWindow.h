#pragma once
#include "app/MainWindow.h"
#include "common/Messages.h"
#include <memory>

// The main window as the window tests start it: the built data, a settings
// file of the test's own, no splash.
inline std::unique_ptr<MainWindow> StartTestMainWindow(const QString& settingsFile, Messages& messages)
{
    MainWindowOptions options;
    options.programFolder = qEnvironmentVariable("VANTOR_DATA_DIR");
    options.settingsFile = settingsFile;
    options.splashMs = 0;
    options.messages = &messages;
    return std::make_unique<MainWindow>(options);
}
