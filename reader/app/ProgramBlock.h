#pragma once

#include <QStringList>

// The reader's process entry: the pending-update branch, or the windows and the message loop.
int RunProgramBlock(int argc, char** argv);

// Reads the per-machine pending-update flag; 0 when it cannot be read.
int ReadUpdateFlag();
