#pragma once

#include <QSqlError>
#include <QString>

#include <stdexcept>

namespace glossa {

// An error of the word store whose text is shown to the user as it stands.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(QString text) : std::runtime_error(text.toStdString()), m_text(std::move(text)) {}
    const QString& text() const { return m_text; }

    // The engine's own message, without Qt's generic suffix when the engine gave one.
    static DatabaseError fromSql(const QSqlError& error) {
        QString text = error.databaseText();
        if (text.isEmpty())
            text = error.driverText();
        return DatabaseError(text.isEmpty() ? QStringLiteral("数据库错误") : text);
    }

private:
    QString m_text;
};

} // namespace glossa
