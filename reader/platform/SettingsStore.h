#pragma once

#include <QString>

// What outlives a run besides the data files. Each operation opens its own accessor and
// closes it at once; a store that cannot be opened or written reads as empty and writes
// nothing, without a message.
//
// Per user: $XDG_CONFIG_HOME/Verbaloom/Lectern.ini ("first", "mydict").
// Per installation: "machine.ini" beside the executable ("update").
namespace settings {

bool FirstRunDone();
void MarkFirstRunDone();

QString LoadExternalDictionaryPath();
void SaveExternalDictionaryPath(const QString& path);

int ReadUpdateFlag();
void WriteUpdateFlag(int value);

QString userSettingsFile();
QString machineSettingsFile();

} // namespace settings
