#include "DictionaryFile.h"

#include "DatabaseError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace glossa {

QString LocateDictionary(const QString& currentFolder, const QString& programFolder) {
    const QString here = QDir(currentFolder).filePath(QString::fromUtf16(kDictionaryFileName));
    if (QFileInfo::exists(here) || programFolder.isEmpty())
        return here;
    const QString beside = QDir(programFolder).filePath(QString::fromUtf16(kDictionaryFileName));
    return QFileInfo::exists(beside) ? beside : here;
}

QString LocateDictionary() {
    const QString programFolder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return LocateDictionary(QDir::currentPath(), programFolder);
}

QSqlDatabase ConnectDictionary(const QString& path, const QString& connectionName) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    // mode=rw: a missing file is an error instead of a new, empty database.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=3000"));
    db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    if (!db.open()) {
        const DatabaseError error(DatabaseError::fromSql(db.lastError()).text() + QStringLiteral("\n") +
                                  QDir::toNativeSeparators(path));
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw error;
    }
    return db;
}

void CreateDictionary(const QString& path) {
    if (QFileInfo::exists(path))
        throw DatabaseError(QStringLiteral("文件已存在：%1").arg(QDir::toNativeSeparators(path)));
    const QString name =
        QStringLiteral("glossa-create-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    // Declared first so the connection is removed after every query and handle on it is gone.
    struct Remove {
        QString name;
        ~Remove() { QSqlDatabase::removeDatabase(name); }
    } remove{name};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            throw DatabaseError::fromSql(db.lastError());
        QSqlQuery q(db);
        // NOCASE on the column makes both the exact and the partial look-up ignore (ASCII) letter case,
        // and the index then serves the exact look-up. An empty head word is refused.
        const QString statements[] = {
            QStringLiteral("CREATE TABLE 英语单词 ("
                           "单词 TEXT NOT NULL COLLATE NOCASE CHECK (length(trim(单词)) > 0), "
                           "音标 TEXT NOT NULL DEFAULT '', "
                           "解释 TEXT NOT NULL DEFAULT '')"),
            QStringLiteral("CREATE INDEX 英语单词_单词 ON 英语单词 (单词 COLLATE NOCASE)"),
        };
        for (const QString& statement : statements) {
            if (!q.exec(statement)) {
                const DatabaseError error = DatabaseError::fromSql(q.lastError());
                q.finish();
                db.close();
                QFile::remove(path);
                throw error;
            }
        }
    }
}

} // namespace glossa
