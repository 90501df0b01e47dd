#pragma once

#include <QString>

// Start at log-on and the document type, the way a Linux desktop keeps them:
// an autostart entry, a shared-mime-info package, a desktop entry and mimeapps.list.
namespace desktop {

// "Lectern.desktop" in $XDG_CONFIG_HOME/autostart.
QString autostartFile();
bool IsAutoRunEnabled();
void SetAutoRun(bool enable);

// The document type's MIME name for a class name: "verbaloom.vbd" -> "application/x-verbaloom-vbd".
QString mimeTypeFor(const QString& className);

// Writes the type (glob "*" + extension, comment description, icon), the desktop entry that opens it
// with exePath, and makes it the type's default. iconIndex picks the installed icon (0: the
// program's own). With notifyShell the desktop's databases are refreshed in the background.
// A file that cannot be written raises UserError.
void RegisterFileAssociation(const QString& extension, const QString& className, const QString& description,
                             const QString& exePath, int iconIndex, bool notifyShell);

} // namespace desktop
