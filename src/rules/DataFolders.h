#pragma once
#include "common/ProgramState.h"
#include <QString>

// Where the program reads its delivered data and where the Customize Data
// dialog keeps what it saves. Both folders end in the folder separator.
struct DataFolders {
    // The delivered rule, info and help files.
    QString program;
    // The user's own copy of saved rule files, in the same de/ and en/ layout;
    // empty where saving writes into the program folder.
    QString user;
};

inline DataFolders dataFoldersOf(const ProgramState& state)
{
    return {state.programFolder, state.userDataFolder};
}

// A portable program keeps its data beside the executable and writes there.
// An installed one reads them from `installedDataFolder` (the data folder of
// the install prefix) and, like a portable one whose folder cannot be written,
// saves into `userDataFolder`.
DataFolders locateDataFolders(const QString& executableFolder, const QString& installedDataFolder,
                              const QString& userDataFolder);

// The folder whose four rule files are read for `languageFolder` ("de/" or
// "en/"): the user's, once it holds all four, else the delivered one.
QString ruleFolderToRead(const DataFolders& folders, const QString& languageFolder);

// The folder the rule files of `languageFolder` are saved into; the user's
// folder is created when it is the one.
QString ruleFolderToSave(const DataFolders& folders, const QString& languageFolder);
