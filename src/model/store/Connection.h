#pragma once

#include "model/store/Place.h"

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
// failure. A kept session the server closed meanwhile (a restart between two
// actions) is noticed before anything is sent and replaced without a word.
// Every call to the server is bounded in time (store/ServerLink.h). Every
// failure throws StoreError.
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
    void runUnprepared(const QString& sql);
    // Runs an already prepared query.
    void run(QSqlQuery& query);

    // Runs work inside one transaction: either all of it is stored or none.
    // On the file it holds the write lock from its start, so two programs
    // writing at once queue at the door instead of one of them finding the
    // other half way and giving up.
    template <typename Work>
    void transaction(Work&& work)
    {
        within(Access::Write, std::forward<Work>(work));
        commit();
    }

    // Runs work on one consistent view of the database, so that what it reads
    // in several statements belongs together even while others write.
    template <typename Work>
    void snapshot(Work&& work)
    {
        within(Access::Read, std::forward<Work>(work));
        commit();
    }

    // Runs work inside a transaction that is always rolled back: a question
    // asked by trying a write.
    template <typename Work>
    void rolledBack(Work&& work)
    {
        within(Access::Write, std::forward<Work>(work));
        rollback();
    }

    Backend backend() const { return m_backend; }
    QSqlDatabase& database() { return m_db; }

private:
    enum class Access { Read, Write };
    // Begins a transaction and runs work in it; a failure rolls it back.
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
    }
    void begin(Access access);
    void commit();
    void rollback() noexcept;
    void endWriteCount() noexcept;
    // The failure as the store itself reports it: SQLite's extended code and
    // text where the connection is SQLite's, the driver's report otherwise.
    StoreError failure(const QSqlError& error);

    void openFile(const QString& path);
    void openServer(const ServerAddress& server);
    // Runs one call that waits for the store; on the server within the bounds.
    template <typename Call>
    bool answered(Call&& call);

    Backend m_backend = Backend::File;
    QString m_name;
    QSqlDatabase m_db;
    // Set after a failure on the server: the session is closed rather than kept.
    bool m_drop = false;
    bool m_inTransaction = false;
    // This connection's write on the file is counted among the program's writes under way.
    bool m_writeCounted = false;
    // The last call to the server got no answer in time and its connection was closed.
    bool m_answerLate = false;
};

// Whether the database holds the table, letter case aside (the server folds
// names to lower case); the file is asked directly, without listing every table.
bool hasTable(Connection& connection, const QString& name);

// Whether a write of this program is under way on a database file: the day's
// copy, which holds a read lock that would keep such a write from its end,
// lets go of the file between two of its steps until none is.
bool fileWriteUnderway();

// How long a write waits for another program's lock on the file; 0 restores
// the program's own bound. Tests shorten it so as not to wait half a minute.
void setFileLockWait(qint64 milliseconds);

// Closes the server sessions the calling thread keeps; a thread that used the
// server calls it before it ends.
void closeThreadConnections();

// Reads a column value as the program sees it: a NULL column is an empty text.
QString textOf(const QVariant& value);

// The value to write for a text: an empty text is not written, it stays NULL.
QVariant nullIfEmpty(const QString& text);

} // namespace store
