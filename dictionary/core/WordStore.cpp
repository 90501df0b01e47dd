#include "WordStore.h"

#include "DatabaseError.h"
#include "DictionaryFile.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QUuid>

namespace glossa {

namespace {

// Ids read before a look-up returns: enough for the first screen of the grid.
constexpr int kFirstIds = 500;
// Time one slice of the event loop may spend reading ids.
constexpr qint64 kSliceMs = 12;
// Rows read around a requested one, and the most rows kept in memory.
constexpr int kRowsBefore = 32;
constexpr int kRowsAfter = 96;
constexpr qsizetype kMaxCachedRows = 8192;

// A null QString binds as SQL NULL; the texts of the store are never NULL.
QString text(const QString& value) {
    return value.isNull() ? QStringLiteral("") : value;
}

} // namespace

WordStore::WordStore(Locator locate, QObject* parent)
    : QAbstractTableModel(parent), m_locate(std::move(locate)),
      m_connectionName(QStringLiteral("glossa-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    if (!m_locate)
        m_locate = [] { return LocateDictionary(); };
    m_fetchTimer.setSingleShot(true);
    m_fetchTimer.setInterval(0);
    QObject::connect(&m_fetchTimer, &QTimer::timeout, this, [this] { fetchSlice(kSliceMs); });
}

WordStore::~WordStore() {
    m_fetchTimer.stop();
    disconnectDatabase();
}

void WordStore::connectDatabase() {
    if (m_db.isOpen())
        return;
    m_path = m_locate();
    m_db = ConnectDictionary(m_path, m_connectionName);
}

void WordStore::disconnectDatabase() {
    stopFetch();
    m_statements.clear();
    m_tableColumns.clear();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

QSqlQuery& WordStore::prepare(const QString& statement, const QVariantList& values) const {
    // Statements are prepared once per connection; a look-up then costs only its execution.
    auto it = m_statements.find(statement);
    if (it == m_statements.end()) {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        if (!query.prepare(statement))
            throw DatabaseError::fromSql(query.lastError());
        it = m_statements.emplace(statement, std::move(query)).first;
    }
    QSqlQuery& query = it->second;
    query.finish();
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    return query;
}

void WordStore::stopFetch() {
    if (m_fetch)
        m_fetch->finish(); // ends the statement's read of the file
    m_fetch = nullptr;
}

// Ordered by rowid so that the rows come in the table's own order, as the whole-row statement would
// return them, and not in the order of the index that covers a rowid-only statement.
void WordStore::openWordStore() {
    open(QStringLiteral("SELECT rowid FROM 英语单词 ORDER BY rowid"), {});
}

void WordStore::lookUpWord(const QString& word, bool partial) {
    // The word is always a bound value: quotes, semicolons and the like are looked up as typed.
    if (partial)
        open(QStringLiteral("SELECT rowid FROM 英语单词 WHERE 单词 LIKE ? ORDER BY rowid"),
             {QString(QStringLiteral("%") + word + QStringLiteral("%"))});
    else
        open(QStringLiteral("SELECT rowid FROM 英语单词 WHERE 单词 = ? COLLATE NOCASE ORDER BY rowid"),
             {text(word)});
}

void WordStore::open(const QString& statement, const QVariantList& values) {
    dropPending();
    close();
    try {
        connectDatabase();
        if (m_tableColumns.isEmpty()) {
            QSqlQuery& columns = prepare(QStringLiteral("SELECT * FROM 英语单词 LIMIT 0"), {});
            if (!columns.exec())
                throw DatabaseError::fromSql(columns.lastError());
            const QSqlRecord record = columns.record();
            for (int i = 0; i < record.count(); ++i)
                m_tableColumns.append(record.fieldName(i));
            columns.finish();
        }
        QSqlQuery& ids = prepare(statement, values);
        if (!ids.exec())
            throw DatabaseError::fromSql(ids.lastError());
        beginResetModel();
        m_columns = m_tableColumns;
        m_fetch = &ids;
        m_ids.clear();
        while (m_ids.size() < kFirstIds && m_fetch->next())
            m_ids.append(m_fetch->value(0).toLongLong());
        const bool done = m_ids.size() < kFirstIds;
        const QSqlError error = m_fetch->lastError();
        if (done)
            stopFetch();
        endResetModel();
        if (done && error.isValid())
            throw DatabaseError::fromSql(error);
    } catch (const DatabaseError&) {
        close();
        disconnectDatabase();
        throw;
    }
    setState(State::Browsing);
    moveTo(m_ids.isEmpty() ? -1 : 0);
    if (m_fetch)
        m_fetchTimer.start();
}

void WordStore::close() {
    m_fetchTimer.stop();
    stopFetch();
    beginResetModel();
    m_columns.clear();
    m_ids.clear();
    m_rows.clear();
    endResetModel();
    setState(State::Closed);
    moveTo(-1);
}

void WordStore::fetchSlice(qint64 budgetMs) {
    if (!m_fetch)
        return;
    QVector<qint64> more;
    QElapsedTimer clock;
    clock.start();
    bool done = false;
    while (!done) {
        for (int i = 0; i < 256; ++i) {
            if (!m_fetch->next()) {
                done = true;
                break;
            }
            more.append(m_fetch->value(0).toLongLong());
        }
        if (budgetMs >= 0 && clock.elapsed() >= budgetMs)
            break;
    }
    const QSqlError error = done ? m_fetch->lastError() : QSqlError();
    if (done)
        stopFetch();
    if (!more.isEmpty()) {
        const int first = static_cast<int>(m_ids.size());
        beginInsertRows({}, first, first + static_cast<int>(more.size()) - 1);
        m_ids.append(more);
        endInsertRows();
        if (m_current < 0)
            moveTo(0);
    }
    emit stateChanged(); // the navigator's "last" depends on whether rows are still coming
    if (error.isValid())
        emit fetchFailed(DatabaseError::fromSql(error).text());
    else if (m_fetch)
        m_fetchTimer.start();
}

void WordStore::finishFetch() {
    m_fetchTimer.stop();
    fetchSlice(-1);
}

void WordStore::fetchAll() {
    finishFetch();
}

void WordStore::requireCurrent() const {
    if (m_state == State::Closed)
        throw DatabaseError(QStringLiteral("无法在已关闭的数据集上执行此操作。"));
    if (m_current < 0)
        throw DatabaseError(QStringLiteral("数据集为空，没有当前记录。"));
}

bool WordStore::addWord(const QString& word, const QString& phonetic, const QString& explanation) {
    if (m_state == State::Closed)
        return false;
    try {
        if (m_state == State::Editing)
            postPending();
        finishFetch();
        QSqlQuery& insert =
            prepare(QStringLiteral("INSERT INTO 英语单词 (单词, 音标, 解释) VALUES (?, ?, ?)"),
                    {text(word), text(phonetic), text(explanation)});
        if (!insert.exec())
            return false; // nothing was appended: the refused entry is dropped at once
        const qint64 id = insert.lastInsertId().toLongLong();
        const int row = static_cast<int>(m_ids.size());
        beginInsertRows({}, row, row);
        m_ids.append(id);
        endInsertRows();
        moveTo(row);
        return true;
    } catch (const DatabaseError&) {
        return false;
    }
}

void WordStore::updateCurrentWord(const QString& word, const QString& phonetic, const QString& explanation) {
    requireCurrent();
    finishFetch();
    const qint64 id = m_ids.at(m_current);
    QSqlQuery& update =
        prepare(QStringLiteral("UPDATE 英语单词 SET 单词 = ?, 音标 = ?, 解释 = ? WHERE rowid = ?"),
                {text(word), text(phonetic), text(explanation), id});
    if (!update.exec())
        throw DatabaseError::fromSql(update.lastError());
    if (update.numRowsAffected() == 0)
        throw DatabaseError(QStringLiteral("找不到要更新的记录，它可能已被删除。"));
    m_pending.clear();
    m_rows.remove(id);
    setState(State::Browsing);
    emit dataChanged(index(m_current, 0), index(m_current, columnCount() - 1));
}

void WordStore::deleteCurrentWord() {
    requireCurrent();
    finishFetch();
    const int row = m_current;
    const qint64 id = m_ids.at(row);
    QSqlQuery& remove = prepare(QStringLiteral("DELETE FROM 英语单词 WHERE rowid = ?"), {id});
    if (!remove.exec())
        throw DatabaseError::fromSql(remove.lastError());
    if (remove.numRowsAffected() == 0)
        throw DatabaseError(QStringLiteral("找不到要删除的记录，它可能已被删除。"));
    m_pending.clear();
    setState(State::Browsing);
    beginRemoveRows({}, row, row);
    m_ids.removeAt(row);
    m_rows.remove(id);
    endRemoveRows();
    // The following row takes the deleted one's place; at the end the preceding one becomes current.
    m_current = -1;
    moveTo(row < m_ids.size() ? row : static_cast<int>(m_ids.size()) - 1);
}

void WordStore::setCurrentRow(int row) {
    if (m_state == State::Closed || m_ids.isEmpty())
        return;
    row = std::clamp(row, 0, static_cast<int>(m_ids.size()) - 1);
    if (row == m_current)
        return;
    if (m_state == State::Editing)
        postPending();
    moveTo(row);
}

void WordStore::first() {
    setCurrentRow(0);
}
void WordStore::prior() {
    setCurrentRow(m_current - 1);
}
void WordStore::next() {
    setCurrentRow(m_current + 1);
}

void WordStore::last() {
    finishFetch();
    setCurrentRow(static_cast<int>(m_ids.size()) - 1);
}

void WordStore::moveTo(int row) {
    if (row == m_current)
        return;
    m_current = row;
    emit currentRowChanged(row);
}

void WordStore::setState(State state) {
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

QString WordStore::currentValue(const QString& column) const {
    const int col = columnIndex(column);
    if (m_current < 0 || col < 0)
        return {};
    return data(index(m_current, col), Qt::EditRole).toString();
}

void WordStore::setPendingValue(const QString& column, const QString& value) {
    const int col = columnIndex(column);
    if (m_current < 0 || col < 0)
        return;
    m_pending.insert(col, value);
    setState(State::Editing);
    emit dataChanged(index(m_current, col), index(m_current, col));
}

void WordStore::postPending() {
    QString assignments;
    QVariantList values;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        if (!assignments.isEmpty())
            assignments += QStringLiteral(", ");
        // Column names come from the table itself, never from the user; quoted as identifiers.
        QString name = m_columns.at(it.key());
        name.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        assignments += QStringLiteral("\"") + name + QStringLiteral("\" = ?");
        values.append(text(it.value()));
    }
    const qint64 id = m_ids.at(m_current);
    values.append(id);
    finishFetch();
    QSqlQuery& update = prepare(
        QStringLiteral("UPDATE 英语单词 SET ") + assignments + QStringLiteral(" WHERE rowid = ?"), values);
    if (!update.exec())
        throw DatabaseError::fromSql(update.lastError());
    m_pending.clear();
    m_rows.remove(id);
    setState(State::Browsing);
    emit dataChanged(index(m_current, 0), index(m_current, columnCount() - 1));
}

void WordStore::dropPending() {
    if (m_state != State::Editing)
        return;
    m_pending.clear();
    setState(State::Browsing);
    if (m_current >= 0)
        emit dataChanged(index(m_current, 0), index(m_current, columnCount() - 1));
}

int WordStore::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_ids.size());
}

int WordStore::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

void WordStore::loadAround(int row) const {
    if (m_rows.size() > kMaxCachedRows)
        m_rows.clear();
    const int from = std::max(0, row - kRowsBefore);
    const int to = std::min(static_cast<int>(m_ids.size()), row + kRowsAfter);
    QVariantList wanted;
    QString marks;
    for (int i = from; i < to; ++i) {
        if (m_rows.contains(m_ids.at(i)))
            continue;
        wanted.append(m_ids.at(i));
        marks += marks.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
    }
    if (wanted.isEmpty())
        return;
    try {
        QSqlQuery& rows = prepare(QStringLiteral("SELECT rowid, * FROM 英语单词 WHERE rowid IN (") + marks +
                                      QStringLiteral(")"),
                                  wanted);
        if (!rows.exec())
            return;
        const int columns = static_cast<int>(m_columns.size());
        while (rows.next()) {
            QVector<QVariant> values(columns);
            for (int c = 0; c < columns; ++c)
                values[c] = rows.value(c + 1);
            m_rows.insert(rows.value(0).toLongLong(), values);
        }
        rows.finish();
    } catch (const DatabaseError&) {
        // A row that cannot be read shows empty; the next action reports the engine's error.
    }
}

QVariant WordStore::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_ids.size() || index.column() >= m_columns.size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    QString value;
    if (index.row() == m_current && m_pending.contains(index.column())) {
        value = m_pending.value(index.column());
    } else {
        const qint64 id = m_ids.at(index.row());
        if (!m_rows.contains(id))
            loadAround(index.row());
        const auto it = m_rows.constFind(id);
        if (it == m_rows.cend())
            return role == Qt::EditRole ? QVariant(QString()) : QVariant();
        value = it->at(index.column()).toString();
    }
    if (role == Qt::DisplayRole) // one line per grid cell
        value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

QVariant WordStore::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < m_columns.size())
        return m_columns.at(section);
    if (orientation == Qt::Vertical)
        return section + 1;
    return {};
}

} // namespace glossa
