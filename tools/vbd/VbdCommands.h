#pragma once

#include <QStringList>
#include <QTextStream>

// The "decode" and "encode" commands of the vbd tool; each returns the process exit code.
int RunDecodeCommand(const QStringList& args, QTextStream& out, QTextStream& err);
int RunEncodeCommand(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err);
