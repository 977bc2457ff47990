#pragma once
#include "common/HelpViewer.h"
#include "widgets/ScreenPlacement.h"
#include <QPointer>
#include <QWidget>

class Messages;
class QTextDocument;
class QTextEdit;

// Loads a help or manual RTF file into the document. The delivered folders
// may differ in letter case from the names the program asks for, so a path
// that does not exist as written is looked up without regard to case.
// False, with the document unchanged, when no such file can be read.
bool loadHelpDocument(const QString& path, QTextDocument* document);

// The one help viewer of the program: a modeless window beside the main
// window that shows one tool's help text, read-only, so that keys meant for
// a tool (space-bar taps) never change it. Escape closes it, and closing
// gives the keyboard back to the window and control that opened it.
class HelpWindow : public QWidget, public HelpViewer {
    Q_OBJECT
public:
    explicit HelpWindow(Messages& messages, QWidget* parent = nullptr);

    // Shows the window at once, centred, under the title. When the file
    // cannot be loaded it warns, keeps the text shown before and returns false.
    bool showHelp(const QString& title, const QString& filePath) override;

    QTextEdit* textView;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void rememberOpener();

    Messages& messages_;
    QPointer<QWidget> openerWindow_;
    QPointer<QWidget> openerFocus_;
};
