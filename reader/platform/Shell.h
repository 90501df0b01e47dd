#pragma once

#include <QString>

#include <functional>

// The desktop's open action for pages, mail links, files and programs. The result is never
// checked: a target that cannot be opened simply does nothing.
namespace shell {

void open(const QString& target);
// Starts a program as a new process without arguments and without waiting for it.
void startProgram(const QString& path);

// Tests see what would be opened instead of a real browser; an empty function restores the desktop.
using Opener = std::function<void(const QString& kind, const QString& target)>;
void install(Opener opener);

} // namespace shell
