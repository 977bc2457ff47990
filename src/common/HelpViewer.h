#pragma once
#include <QString>

struct ProgramState;

// The help viewer as the tool windows see it; the application provides the real one.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Shows the RTF file (a full path) under the title; when it cannot be
    // loaded the viewer warns itself and returns false.
    virtual bool ShowHelp(const QString& title, const QString& filePath) = 0;
};

// What every tool's help button does: picks title and file by the window's
// language flag (0 German), opens ProgramFolder + "de/" or "en/" + fileName,
// and warns "Hilfe-Datei nicht gefunden: 'de\<file>'" or
// "Help file not found: 'en\<file>'" when there is no viewer to show it.
void ShowToolHelp(ProgramState& state, int languageFlag, const QString& germanTitle, const QString& englishTitle,
                  const QString& fileName);
