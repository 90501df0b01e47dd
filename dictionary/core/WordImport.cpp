#include "WordImport.h"

#include "DatabaseError.h"
#include "DictionaryFile.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace glossa {

ImportResult ImportWords(const QString& path, const QVector<WordEntry>& entries, bool allowDuplicates) {
    const QString name =
        QStringLiteral("glossa-import-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    struct Remove {
        QString name;
        ~Remove() { QSqlDatabase::removeDatabase(name); }
    } remove{name};

    ImportResult result;
    QSqlDatabase db = ConnectDictionary(path, name);
    if (!db.transaction())
        throw DatabaseError::fromSql(db.lastError());
    {
        QSqlQuery exists(db);
        QSqlQuery insert(db);
        // The first comparison uses the (case-ignoring) index, the second makes it exact.
        if (!exists.prepare(QStringLiteral("SELECT 1 FROM 英语单词 WHERE 单词 = ? COLLATE NOCASE AND "
                                           "单词 = ? COLLATE BINARY AND 音标 = ? AND 解释 = ? LIMIT 1")) ||
            !insert.prepare(QStringLiteral("INSERT INTO 英语单词 (单词, 音标, 解释) VALUES (?, ?, ?)"))) {
            const DatabaseError error = DatabaseError::fromSql(
                exists.lastError().isValid() ? exists.lastError() : insert.lastError());
            db.rollback();
            throw error;
        }
        for (const WordEntry& entry : entries) {
            if (!allowDuplicates) {
                exists.addBindValue(entry.word);
                exists.addBindValue(entry.word);
                exists.addBindValue(entry.phonetic);
                exists.addBindValue(entry.explanation);
                if (!exists.exec()) {
                    const DatabaseError error = DatabaseError::fromSql(exists.lastError());
                    exists.finish();
                    db.rollback();
                    throw error;
                }
                const bool found = exists.next();
                exists.finish();
                if (found) {
                    ++result.alreadyPresent;
                    continue;
                }
            }
            insert.addBindValue(entry.word);
            insert.addBindValue(entry.phonetic);
            insert.addBindValue(entry.explanation);
            if (insert.exec())
                ++result.added;
            else
                result.refused.append({entry.line, DatabaseError::fromSql(insert.lastError()).text()});
        }
    }
    if (!db.commit()) {
        const DatabaseError error = DatabaseError::fromSql(db.lastError());
        db.rollback();
        throw error;
    }
    db.close();
    return result;
}

} // namespace glossa
