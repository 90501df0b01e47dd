#pragma once

#include <QSqlDatabase>
#include <QString>

namespace glossa {

inline constexpr char16_t kDictionaryFileName[] = u"dict.mdb";
inline constexpr char16_t kWordTable[] = u"英语单词";
inline constexpr char16_t kWordColumn[] = u"单词";
inline constexpr char16_t kPhoneticColumn[] = u"音标";
inline constexpr char16_t kExplanationColumn[] = u"解释";

// The database file: in the current folder when it is there, otherwise beside the program, so the
// dictionary started from another program's folder still finds its word list. When neither exists the
// current-folder path is returned and opening it fails with the engine's message.
QString LocateDictionary(const QString& currentFolder, const QString& programFolder);
QString LocateDictionary(); // current directory and the running executable's folder

// Opens an existing database file for reading and writing; never creates it. Throws DatabaseError.
// The connection is registered under connectionName; remove it with QSqlDatabase::removeDatabase.
QSqlDatabase ConnectDictionary(const QString& path, const QString& connectionName);

// Creates a new, empty word database at path (the file must not exist). Throws DatabaseError.
void CreateDictionary(const QString& path);

} // namespace glossa
