#pragma once
#include "common/Language.h"
#include <QString>

struct ProgramState;

// The help viewer as the tool windows see it; the application provides the real one.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Shows the RTF file (a full path) under the title; when it cannot be
    // loaded the viewer warns itself and returns false.
    virtual bool showHelp(const QString& title, const QString& filePath) = 0;
};

// What every tool's help button does: opens ProgramFolder + "de/" or "en/"
// (by the language given, the window's) + fileName under the title, and warns
// "Hilfe-Datei nicht gefunden: 'de\<file>'" or "Help file not found: 'en\<file>'"
// (in that language) when there is no viewer to show it.
void showToolHelp(ProgramState& state, Language language, const QString& title, const QString& fileName);
