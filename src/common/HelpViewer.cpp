#include "common/HelpViewer.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include <QDir>

void ShowToolHelp(ProgramState& state, int languageFlag, const QString& germanTitle, const QString& englishTitle,
                  const QString& fileName)
{
    const bool english = languageFlag != 0;
    const QString folder = english ? QStringLiteral("en") : QStringLiteral("de");
    const QString path = state.ProgramFolder + folder + QDir::separator() + fileName;
    // The viewer reports a missing file itself; this box is for a viewer that is not there.
    if (state.help) {
        state.help->ShowHelp(english ? englishTitle : germanTitle, path);
        return;
    }
    // The user reads the relative name as the delivered folders spell it.
    const QString shown = QStringLiteral("'%1\\%2'").arg(folder, fileName);
    if (state.messages)
        state.messages->warning(
            (english ? QStringLiteral("Help file not found: ") : QStringLiteral("Hilfe-Datei nicht gefunden: ")) +
            shown);
}
