#pragma once

#include <QStringList>

// The reader's process entry: the pending-update branch, or the windows and the message loop.
int RunProgramBlock(int argc, char** argv);
