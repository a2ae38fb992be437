#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <utility>

class QSqlError;

namespace store {

class StoreError;

// One short-lived connection to the database file. Every operation opens its
// own, works and lets it go, so nothing keeps the file open or locked between
// user actions. Every failure throws StoreError.
class Connection {
public:
    // Opens the existing file at dbPath; a missing file is an error rather than
    // silently becoming a new empty database.
    explicit Connection(const QString& dbPath);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Prepares a statement; values are always bound, never pasted into the text.
    QSqlQuery prepare(const QString& sql);
    // Prepares, binds the values in order to the positional placeholders and runs.
    QSqlQuery run(const QString& sql, std::initializer_list<QVariant> values = {});
    // Runs an already prepared query.
    void exec(QSqlQuery& query);

    // Runs work inside one transaction: either all of it is stored or none.
    template <typename Work>
    void transaction(Work&& work)
    {
        begin();
        try {
            std::forward<Work>(work)();
        } catch (...) {
            rollback();
            throw;
        }
        commit();
    }

    QSqlDatabase& database() { return m_db; }

private:
    void begin();
    void commit();
    void rollback() noexcept;
    // The failure as the store itself reports it: SQLite's extended code and
    // text where the connection is SQLite's, the driver's report otherwise.
    StoreError failure(const QSqlError& error) const;

    QString m_name;
    QSqlDatabase m_db;
};

// Reads a column value as the program sees it: a NULL column is an empty text.
QString textOf(const QVariant& value);

// The value to write for a text: an empty text is not written, it stays NULL.
QVariant nullIfEmpty(const QString& text);

} // namespace store
