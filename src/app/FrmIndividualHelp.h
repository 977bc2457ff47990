#pragma once
#include "HelpViewer.h"
#include "ScreenPlacement.h"
#include <QWidget>

class Messages;
class QTextDocument;
class QTextEdit;


// Loads a help or manual RTF file into the document. The delivered folders
// may differ in letter case from the names the program asks for, so a path
// that does not exist as written is looked up without regard to case.
// False, with the document unchanged, when no such file can be read.
bool LoadHelpDocument(const QString& path, QTextDocument* document);

// The one help viewer of the program: a modeless window beside the main
// window that shows one tool's help text. The text may be edited by the
// user; it is never saved and the next help replaces it.
class TFrmIndividualHelp : public QWidget, public HelpViewer {
    Q_OBJECT
public:
    explicit TFrmIndividualHelp(Messages& messages, QWidget* parent = nullptr);

    // Shows the window at once, centred, under the title. When the file
    // cannot be loaded it warns, keeps the text shown before and returns false.
    bool ShowHelp(const QString& title, const QString& filePath) override;

    QTextEdit* RichEdit;

private:
    Messages& messages_;
};
