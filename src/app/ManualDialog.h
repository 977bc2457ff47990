#pragma once
#include "common/Language.h"
#include <QDialog>

class Messages;
class QTextEdit;

// The program's manual, opened by "&Readme" (F1): created for one showing,
// modal, read-only.
class ManualDialog : public QDialog {
    Q_OBJECT
public:
    explicit ManualDialog(QWidget* parent = nullptr);

    // Centres the window, loads programFolder + "de/Vantor.rtf" (German) or
    // "en/Vantor.rtf" (English) and returns when the user closes it.
    // A missing manual is reported and the window opens empty.
    void showManual(const QString& programFolder, Language language, Messages& messages);
    // The loading step of ShowManual, without the modal showing.
    bool loadManual(const QString& programFolder, Language language, Messages& messages);

    QTextEdit* textView;
};

// Path of the manual for the language: programFolder ends with a separator.
QString manualPath(const QString& programFolder, Language language);
