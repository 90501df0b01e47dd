#pragma once

// A small word database in a temporary folder, made with the dictionary's own schema.

#include "core/DictionaryFile.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QUuid>
#include <QVector>
#include <QtTest>

#include <array>

using Entry = std::array<QString, 3>; // word, phonetic, explanation

class DictFixture {
public:
    explicit DictFixture(const QVector<Entry>& entries = {})
        : m_path(m_dir.filePath(QStringLiteral("dict.mdb"))) {
        glossa::CreateDictionary(m_path);
        insert(entries);
    }

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_path; }

    void insert(const QVector<Entry>& entries) const {
        run([&](QSqlDatabase& db) {
            db.transaction();
            QSqlQuery q(db);
            q.prepare(QStringLiteral("INSERT INTO 英语单词 (单词, 音标, 解释) VALUES (?, ?, ?)"));
            for (const Entry& e : entries) {
                for (const QString& value : e) // the columns are NOT NULL: a null QString binds as NULL
                    q.addBindValue(value.isNull() ? QStringLiteral("") : value);
                if (!q.exec())
                    qFatal("fixture insert: %s", qPrintable(q.lastError().text()));
            }
            db.commit();
        });
    }

    // The stored head words in storage order, optionally restricted by a WHERE clause of the test's own.
    QStringList words(const QString& where = {}) const {
        QStringList result;
        run([&](QSqlDatabase& db) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT 单词 FROM 英语单词 ") + where + QStringLiteral(" ORDER BY rowid"));
            while (q.next())
                result.append(q.value(0).toString());
        });
        return result;
    }

    Entry entry(const QString& word) const {
        Entry result;
        run([&](QSqlDatabase& db) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("SELECT 单词, 音标, 解释 FROM 英语单词 WHERE 单词 = ? COLLATE BINARY"));
            q.addBindValue(word);
            q.exec();
            if (q.next())
                result = {q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
        });
        return result;
    }

private:
    template <class F> void run(F&& f) const {
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(m_path);
            if (!db.open())
                qFatal("fixture open: %s", qPrintable(db.lastError().text()));
            f(db);
        }
        QSqlDatabase::removeDatabase(name);
    }

    QTemporaryDir m_dir;
    QString m_path;
};

// Makes folder the current directory for the lifetime of the object.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& folder) : m_previous(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};
