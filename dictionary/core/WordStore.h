#pragma once

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <functional>
#include <map>

namespace glossa {

// The one shared, updatable result set of the dictionary. It holds the row ids that the last look-up
// returned (a snapshot, in the engine's order) and reads the rows themselves only when a view asks for
// them, so a look-up matching hundreds of thousands of rows costs a few megabytes. The ids of a large
// result arrive in short slices from the event loop, so the window stays live while they are read.
//
// Every bound control follows currentRow(). Values typed into a bound field are held as pending values
// of the current record: moving to another record writes them, a look-up drops them.
class WordStore : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class State { Closed, Browsing, Editing };
    using Locator = std::function<QString()>;

    // locate gives the database file for each (re)connection; by default the dictionary file is
    // looked for in the current folder and then beside the program.
    explicit WordStore(Locator locate = {}, QObject* parent = nullptr);
    ~WordStore() override;

    // The whole table. Throws DatabaseError; the store is then closed.
    void openWordStore();
    // Exact (whole word, letter case ignored) or partial (contains; % and _ are wildcards) look-up.
    // Throws DatabaseError; the store is then closed and the next look-up connects again.
    void lookUpWord(const QString& word, bool partial);
    // Appends a new entry to the current rows and makes it current; false when the database refuses it.
    bool addWord(const QString& word, const QString& phonetic, const QString& explanation);
    // Throw DatabaseError, with the current record left as it was.
    void updateCurrentWord(const QString& word, const QString& phonetic, const QString& explanation);
    void deleteCurrentWord();

    State state() const { return m_state; }
    bool isOpen() const { return m_state != State::Closed; }
    // True while ids of the last look-up are still being read.
    bool isFetching() const { return m_fetch != nullptr; }
    // Reads the remaining ids of the last look-up at once.
    void fetchAll();
    QString databasePath() const { return m_path; }

    int currentRow() const { return m_current; }
    // Writes pending values first; throws DatabaseError (and stays) when that fails.
    void setCurrentRow(int row);
    void first();
    void prior();
    void next();
    void last();
    bool atFirst() const { return m_current <= 0; }
    bool atLast() const { return m_current < 0 || (m_current == m_ids.size() - 1 && !isFetching()); }

    int columnIndex(const QString& name) const { return static_cast<int>(m_columns.indexOf(name)); }
    // The current record's value of a column (with a pending value if one was typed), or empty.
    QString currentValue(const QString& column) const;
    void setPendingValue(const QString& column, const QString& value);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void currentRowChanged(int row);
    void stateChanged();
    // Reading the remaining rows of a look-up failed; the rows read so far stay.
    void fetchFailed(const QString& message);

private:
    void open(const QString& statement, const QVariantList& values);
    void close();
    void connectDatabase();
    void disconnectDatabase();
    void fetchSlice(qint64 budgetMs);
    void finishFetch();
    void stopFetch();
    void requireCurrent() const;
    void postPending();
    void dropPending();
    void moveTo(int row);
    void setState(State state);
    void loadAround(int row) const;
    QSqlQuery& prepare(const QString& statement, const QVariantList& values) const;

    Locator m_locate;
    QString m_connectionName;
    QString m_path;
    QSqlDatabase m_db;
    QSqlQuery* m_fetch = nullptr; // one of m_statements while ids are read
    QTimer m_fetchTimer;
    QStringList m_tableColumns; // read once per connection
    QStringList m_columns;      // empty while closed
    QVector<qint64> m_ids;
    int m_current = -1;
    State m_state = State::Closed;
    QHash<int, QString> m_pending; // column index -> typed value
    mutable QHash<qint64, QVector<QVariant>> m_rows;
    // Prepared on this connection; a map, so m_fetch stays valid while statements are added.
    mutable std::map<QString, QSqlQuery> m_statements;
};

} // namespace glossa
