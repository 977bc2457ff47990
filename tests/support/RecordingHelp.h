#pragma once
#include "common/HelpViewer.h"
#include <QStringList>

// Records "title|path" of each help request instead of opening a viewer.
class RecordingHelp : public HelpViewer {
public:
    bool showHelp(const QString& title, const QString& filePath) override
    {
        shown << title + "|" + filePath;
        return true;
    }
    QStringList shown;
};
