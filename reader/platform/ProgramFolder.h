#pragma once

#include <QString>

// The folder of the running executable, with a trailing separator. VERBALOOM_PROGRAM_FOLDER
// moves it (tests, portable use). When the folder cannot be written, data files go to
// $XDG_DATA_HOME/verbaloom instead.
QString ProgramFolder();

// Where the executable and the files installed beside it are, with a trailing separator.
QString InstallFolder();
