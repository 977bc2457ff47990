#include "common/HelpViewer.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include <QtGlobal>
#include <QDir>

void showToolHelp(ProgramState& state, Language language, const QString& title, const QString& fileName)
{
    const QString folder = language == Language::English ? QStringLiteral("en") : QStringLiteral("de");
    const QString path = state.programFolder + folder + QDir::separator() + fileName;
    // The viewer reports a missing file itself; this box is for a viewer that is not there.
    if (state.help) {
        state.help->showHelp(title, path);
        return;
    }
    // The user reads the relative name as the delivered folders spell it.
    const QString shown = QStringLiteral("'%1\\%2'").arg(folder, fileName);
    // In the language of the folder: a help that exists in one language only
    // reports its file in that language.
    if (state.messages)
        state.messages->warning(
            textIn(language, "HelpViewer", QT_TRANSLATE_NOOP("HelpViewer", "Hilfe-Datei nicht gefunden: %1"))
                .arg(shown));
}
