#pragma once

#include <QStringList>
#include <QTextStream>

// "vbd speak": the arguments after the word "speak". Writes the left text of a reading
// document (or text from standard input) into a wave file as the reader's export does.
// Returns the exit code.
int RunSpeakCommand(const QStringList& args, QTextStream& out, QTextStream& err);
