#pragma once

#include <QStringList>

// The reader's process entry: the pending-update branch, or the windows and the message loop.
int RunProgramBlock(int argc, char** argv);

// Makes sure the update folder exists and returns the staged installer's path in it.
QString PrepareStagedInstallerPath();
// True when an installer was staged for this start: the flag is exactly 1 and the file exists.
bool UpdatePending(const QString& stagedInstaller);
