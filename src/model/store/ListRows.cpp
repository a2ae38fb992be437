#include "model/store/ListRows.h"

#include "model/store/Connection.h"
#include "model/store/SqliteHandle.h"
#include "model/store/StoreError.h"

#include <QHash>
#include <QSqlQuery>

#include <mutex>

#include <sqlite3.h>

namespace store {

namespace {

const QString kRowsTable = QStringLiteral("ListRows");
const QString kCreateRows = QStringLiteral(
    "CREATE TABLE ListRows (TableName TEXT PRIMARY KEY, Lines INTEGER NOT NULL, AtChanges INTEGER NOT NULL)");
// Any number of the program's own, held only while the table is added.
constexpr qint64 kRowsLock = 0x4c697374526f7773; // "ListRows"
const QStringList kCountedTables{QStringLiteral("Agent"), QStringLiteral("Customer")};
// A count taken afresh never replaces one kept at a later change count.
const QString kKeepCount = QStringLiteral(
    "INSERT INTO ListRows (TableName, Lines, AtChanges) VALUES (?, ?, ?) ON CONFLICT (TableName) "
    "DO UPDATE SET Lines = excluded.Lines, AtChanges = excluded.AtChanges WHERE ListRows.AtChanges < excluded.AtChanges");
const QString kFollowCount = QStringLiteral(
    "UPDATE ListRows SET Lines = Lines + ?, AtChanges = ? WHERE TableName = ? AND AtChanges = ?");
// Inside a write on the server: another desk's write that holds the row (one
// hanging in its transaction, say) is never waited for; the count is then
// left behind and taken afresh at the next read.
const QString kServerFollowCount = QStringLiteral(
    "UPDATE ListRows SET Lines = Lines + ?, AtChanges = ? WHERE TableName = ? AND AtChanges = ? "
    "AND TableName IN (SELECT TableName FROM ListRows WHERE TableName = ? FOR UPDATE SKIP LOCKED)");
const QString kServerKeepCount = QStringLiteral(
    "UPDATE ListRows SET Lines = ?, AtChanges = ? WHERE TableName = ? AND AtChanges < ? "
    "AND TableName IN (SELECT TableName FROM ListRows WHERE TableName = ? FOR UPDATE SKIP LOCKED)");
// The server gives up on a row lock held longer than this (milliseconds).
const QString kServerLockWait = QStringLiteral("50");

// Counts taken afresh and not kept yet, by database and table.
struct Fresh {
    qint64 rows = 0;
    qint64 changes = 0;
};
std::mutex freshLock;
QHash<QString, Fresh>& freshCounts()
{
    static QHash<QString, Fresh> counts;
    return counts;
}

QString databaseOf(Connection& connection)
{
    const QSqlDatabase& db = connection.database();
    return db.hostName() + QLatin1Char('\n') + QString::number(db.port()) + QLatin1Char('\n') + db.databaseName() +
           QLatin1Char('\n');
}

bool hasRowsTable(Connection& connection)
{
    return hasTable(connection, kRowsTable);
}

} // namespace

QStringList listRowsStatements()
{
    QStringList statements{kCreateRows};
    // A new database's tables are empty at its first change count.
    for (const QString& table : kCountedTables)
        statements << QStringLiteral("INSERT INTO ListRows (TableName, Lines, AtChanges) VALUES ('%1', 0, 0)").arg(table);
    return statements;
}

void ensureListRows(Connection& connection)
{
    if (hasRowsTable(connection))
        return;
    connection.transaction([&] {
        // Two programs starting at once: the second waits and finds the table the first made.
        if (connection.backend() == Backend::Server)
            connection.run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kRowsLock});
        if (!hasRowsTable(connection))
            connection.runUnprepared(kCreateRows);
    });
}

qint64 rowCount(Connection& connection, const QString& table, std::optional<qint64> changes)
{
    // The server's table is added before any list is read.
    if (changes && (connection.backend() == Backend::Server || hasRowsTable(connection))) {
        QSqlQuery kept = connection.run(QStringLiteral("SELECT Lines FROM ListRows WHERE TableName = ? AND AtChanges = ?"),
                                        {table, *changes});
        if (kept.next()) {
            const qint64 rows = kept.value(0).toLongLong();
            noteRowCount(connection, table, rows, changes, RowCountSource::Kept);
            return rows;
        }
    }
    // The name is the program's own.
    QSqlQuery count = connection.run(QStringLiteral("SELECT count(*) FROM %1").arg(table));
    const qint64 counted = count.next() ? count.value(0).toLongLong() : 0;
    noteRowCount(connection, table, counted, changes, RowCountSource::Counted);
    return counted;
}

void noteRowCount(Connection& connection, const QString& table, qint64 rows, std::optional<qint64> changes,
                  RowCountSource source)
{
    if (!changes)
        return;
    const std::lock_guard hold(freshLock);
    // A count taken earlier, of this file or of one it replaced, is no longer wanted once one is kept.
    if (source == RowCountSource::Kept)
        freshCounts().remove(databaseOf(connection) + table);
    else
        freshCounts().insert(databaseOf(connection) + table, {rows, *changes});
}

void keepRowCounts(const Place& place)
{
    {
        const std::lock_guard hold(freshLock);
        if (freshCounts().isEmpty())
            return;
    }
    try {
        Connection connection(place);
        if (sqlite3* handle = sqliteHandle(connection.database()))
            sqlite3_busy_handler(handle, nullptr, nullptr);
        const QString database = databaseOf(connection);
        QHash<QString, Fresh> kept;
        {
            const std::lock_guard hold(freshLock);
            for (auto it = freshCounts().begin(); it != freshCounts().end();)
                if (it.key().startsWith(database))
                    kept.insert(it.key().mid(database.size()), *it), it = freshCounts().erase(it);
                else
                    ++it;
        }
        if (kept.isEmpty())
            return;
        connection.transaction([&] {
            if (connection.backend() == Backend::Server)
                connection.run(QStringLiteral("SELECT set_config('lock_timeout', ?, true)"), {kServerLockWait});
            for (auto it = kept.cbegin(); it != kept.cend(); ++it)
                connection.run(kKeepCount, {it.key(), it->rows, it->changes});
        });
    } catch (const StoreError&) {
        // Busy, read-only or without the table: the next read counts again.
    }
}

void followRowCount(Connection& connection, const QString& table, qint64 added, qint64 ownChanges,
                    std::optional<qint64> changesAfter)
{
    if (ownChanges <= 0 || !changesAfter)
        return;
    const qint64 before = *changesAfter - ownChanges;
    std::optional<Fresh> fresh;
    {
        const std::lock_guard hold(freshLock);
        if (const auto found = freshCounts().find(databaseOf(connection) + table); found != freshCounts().end())
            fresh = *found, freshCounts().erase(found);
    }
    const bool server = connection.backend() == Backend::Server;
    if (fresh && fresh->changes == before && server)
        connection.run(kServerKeepCount, {fresh->rows + added, *changesAfter, table, *changesAfter, table});
    else if (fresh && fresh->changes == before)
        connection.run(kKeepCount, {table, fresh->rows + added, *changesAfter});
    else if (server)
        connection.run(kServerFollowCount, {added, *changesAfter, table, before, table});
    else
        connection.run(kFollowCount, {added, *changesAfter, table, before});
}

} // namespace store
