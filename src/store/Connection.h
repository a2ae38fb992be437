#pragma once

#include "store/Place.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <utility>

class QSqlError;

namespace store {

class StoreError;

// One short-lived connection to the database. Every operation opens its own
// on the file, works and lets it go, so nothing keeps the file open or locked
// between user actions. On the office server, where opening costs a login, a
// thread keeps its open session for the next operation and drops it after any
// failure, so a lost connection is one failed operation and the next one
// logs in again. Every failure throws StoreError.
class Connection {
public:
    // Opens the existing file (a missing file is an error rather than silently
    // becoming a new empty database) or the server.
    explicit Connection(const Place& place);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Prepares a statement; values are always bound, never pasted into the text.
    QSqlQuery prepare(const QString& sql);
    // Prepares, binds the values in order to the positional placeholders and runs.
    QSqlQuery run(const QString& sql, std::initializer_list<QVariant> values = {});
    // Runs a statement without values that cannot be prepared on every
    // backend (CREATE, SET): the server prepares only queries and writes.
    void execute(const QString& sql);
    // Runs an already prepared query.
    void exec(QSqlQuery& query);

    // Runs work inside one transaction: either all of it is stored or none.
    // On the file it holds the write lock from its start, so two programs
    // writing at once queue at the door instead of one of them finding the
    // other half way and giving up.
    template <typename Work>
    void transaction(Work&& work)
    {
        within(Access::Write, std::forward<Work>(work));
    }

    // Runs work on one consistent view of the database, so that what it reads
    // in several statements belongs together even while others write.
    template <typename Work>
    void snapshot(Work&& work)
    {
        within(Access::Read, [&] {
            if (m_backend == Backend::Server)
                execute(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"));
            std::forward<Work>(work)();
        });
    }

    Backend backend() const { return m_backend; }
    QSqlDatabase& database() { return m_db; }

private:
    enum class Access { Read, Write };
    template <typename Work>
    void within(Access access, Work&& work)
    {
        begin(access);
        try {
            std::forward<Work>(work)();
        } catch (...) {
            rollback();
            throw;
        }
        commit();
    }
    void begin(Access access);
    void commit();
    void rollback() noexcept;
    // The failure as the store itself reports it: SQLite's extended code and
    // text where the connection is SQLite's, the driver's report otherwise.
    StoreError failure(const QSqlError& error);

    void openFile(const QString& path);
    void openServer(const ServerAddress& server);

    Backend m_backend = Backend::File;
    QString m_name;
    QSqlDatabase m_db;
    // Set after a failure on the server: the session is closed rather than kept.
    bool m_drop = false;
    bool m_inTransaction = false;
};

// Closes the server sessions the calling thread keeps; a thread that used the
// server calls it before it ends.
void closeThreadConnections();

// Reads a column value as the program sees it: a NULL column is an empty text.
QString textOf(const QVariant& value);

// The value to write for a text: an empty text is not written, it stays NULL.
QVariant nullIfEmpty(const QString& text);

} // namespace store
