#include "model/store/ListChanges.h"

#include "model/store/Connection.h"
#include "model/store/SqliteHandle.h"

#include <QSqlDriver>
#include <QStringList>

namespace store {

namespace {

const QString kChangesTable = QStringLiteral("ListChanges");
const QString kCreateChanges = QStringLiteral(
    "CREATE TABLE ListChanges (TableName TEXT PRIMARY KEY, Changes INTEGER NOT NULL)");
const QString kStartCount = QStringLiteral("INSERT INTO ListChanges (TableName, Changes) VALUES (?, 0)");
// Naming the table itself makes a table that is gone (renamed, say, by another
// program) a failure, as a whole read would be, and costs nothing.
QString selectCount(const QString& table)
{
    return QStringLiteral("SELECT Changes FROM ListChanges WHERE TableName = ? "
                          "AND NOT EXISTS (SELECT 1 FROM %1 WHERE 0 = 1)").arg(table);
}
// The server's count adds the table's rows in the log (the name is bound twice).
QString selectServerCount(const QString& table)
{
    return QStringLiteral("SELECT Changes + (SELECT count(*) FROM ListChangeLog WHERE TableName = ?) FROM ListChanges "
                          "WHERE TableName = ? AND NOT EXISTS (SELECT 1 FROM %1 WHERE 0 = 1)").arg(table);
}
// The fill gives these rows their Name as DBA; the index finds them without
// reading the whole table, and holds nothing once they are repaired.
const QString kMissingDbaIndex = QStringLiteral(
    "CREATE INDEX CustomerWithoutDba ON Customer (RowKey) WHERE DBA IS NULL OR DBA = ''");

// Table names come from the program's own list, never from the user.
QString countTrigger(const QString& table, const QString& event)
{
    return QStringLiteral("CREATE TRIGGER %1%2Counted AFTER %3 ON %1 BEGIN "
                          "UPDATE ListChanges SET Changes = Changes + 1 WHERE TableName = '%1'; END")
        .arg(table, event.at(0) + event.mid(1).toLower(), event);
}

// On the office server no desk's write may wait for another's: one row of
// counts that every write updates would hold every desk up behind one whose
// session hangs in its transaction. So each change adds a row of its own to
// ListChangeLog, which never waits, and a table's count is its ListChanges
// row plus its rows in the log, alike in any snapshot. Once per transaction,
// the write that gets the fold's lock at once (it never waits for it) moves
// the log's committed rows into the counts, so the log stays a few rows long.
// A sequence would never wait either, but a reader would see a number taken
// by a change not yet committed, and take its list for current while the
// change is still missing from it.
constexpr qint64 kFoldLock = 0x4c6973744c6f67; // "ListLog", any number of the program's own
const QString kCreateLog = QStringLiteral("CREATE TABLE ListChangeLog (TableName TEXT NOT NULL)");
const QString kFold = QStringLiteral(
    "WITH Gone AS (DELETE FROM ListChangeLog RETURNING TableName) "
    "UPDATE ListChanges SET Changes = Changes + Folded.Added FROM "
    "(SELECT TableName AS Counted, count(*) AS Added FROM Gone GROUP BY TableName) AS Folded "
    "WHERE TableName = Folded.Counted");
QString countFunctionBody()
{
    return QStringLiteral(
               " BEGIN INSERT INTO ListChangeLog (TableName) VALUES (TG_ARGV[0]); "
               "IF current_setting('quillon.folded', true) IS DISTINCT FROM 'yes' AND pg_try_advisory_xact_lock(%1) "
               "THEN PERFORM set_config('quillon.folded', 'yes', true); %2; END IF; RETURN NULL; END ")
        .arg(kFoldLock)
        .arg(kFold);
}
const QString kCountFunctionHead = QStringLiteral("FUNCTION CountListChange() RETURNS trigger LANGUAGE plpgsql AS $$");
const QString kServerCountFunction = QStringLiteral("CREATE ") + kCountFunctionHead + countFunctionBody() + "$$";
// What releases before the log made, still the program's own until the upgrade replaces it.
const QString kEarlierCountFunction = QStringLiteral(
    "CREATE FUNCTION CountListChange() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
    "UPDATE ListChanges SET Changes = Changes + 1 WHERE TableName = TG_ARGV[0]; RETURN NULL; END $$");

QString serverCountTrigger(const QString& table)
{
    return QStringLiteral("CREATE TRIGGER %1Counted AFTER INSERT OR UPDATE OR DELETE ON %1 "
                          "FOR EACH ROW EXECUTE FUNCTION CountListChange('%1')").arg(table);
}

const QStringList kCountedTables{QStringLiteral("Agent"), QStringLiteral("Customer")};

bool hasChangesTable(Connection& connection)
{
    // The server's schema always has the counts.
    return sqliteHasTable(connection.database(), kChangesTable).value_or(true);
}

bool isSqlite(Connection& connection)
{
    return connection.backend() == Backend::File;
}

} // namespace

QStringList fileListChangesStatements()
{
    QStringList statements{kCreateChanges};
    for (const QString& table : kCountedTables)
        for (const QString& event : {QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE")})
            statements << countTrigger(table, event);
    statements << kMissingDbaIndex;
    return statements;
}

void addListChanges(Connection& connection)
{
    // The office server keeps its counts with its own kind of trigger, set up with its schema.
    if (!isSqlite(connection))
        return;
    for (const QString& statement : fileListChangesStatements())
        connection.run(statement);
    for (const QString& table : kCountedTables)
        connection.run(kStartCount, {table});
}

QStringList serverListChangesStatements()
{
    QStringList statements{kCreateChanges, kCreateLog, kServerCountFunction};
    for (const QString& table : kCountedTables) {
        // The names are the program's own; a literal keeps the list free of bound values.
        statements << QStringLiteral("INSERT INTO ListChanges (TableName, Changes) VALUES ('%1', 0)").arg(table)
                   << serverCountTrigger(table);
    }
    statements << kMissingDbaIndex;
    return statements;
}

void ensureListChanges(Connection& connection)
{
    if (!isSqlite(connection) || hasChangesTable(connection))
        return;
    connection.transaction([&] { addListChanges(connection); });
}

QStringList earlierServerCountFunctions()
{
    return {kEarlierCountFunction};
}

bool serverListChangesCurrent(Connection& connection)
{
    QSqlQuery function = connection.run(QStringLiteral(
        "SELECT prosrc FROM pg_proc WHERE proname = 'countlistchange' AND pronamespace = current_schema()::regnamespace "
        "AND to_regclass('ListChangeLog') IS NOT NULL"));
    return function.next() && function.value(0).toString() == countFunctionBody();
}

void upgradeServerListChanges(Connection& connection)
{
    connection.runUnprepared(QString(kCreateLog).replace(QStringLiteral("TABLE"), QStringLiteral("TABLE IF NOT EXISTS")));
    connection.runUnprepared(QStringLiteral("CREATE OR REPLACE ") + kCountFunctionHead + countFunctionBody() + "$$");
}

void foldListChanges(Connection& connection)
{
    connection.run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kFoldLock});
    connection.runUnprepared(kFold);
}

std::optional<QString> changeCountExpression(Connection& connection, const QString& table)
{
    if (!hasChangesTable(connection))
        return std::nullopt;
    if (isSqlite(connection))
        return QStringLiteral("(SELECT Changes FROM ListChanges WHERE TableName = '%1')").arg(table);
    return QStringLiteral("(SELECT Changes + (SELECT count(*) FROM ListChangeLog WHERE TableName = '%1') FROM ListChanges "
                          "WHERE TableName = '%1')").arg(table);
}

std::optional<qint64> changeCount(Connection& connection, const QString& table)
{
    if (!hasChangesTable(connection))
        return std::nullopt;
    QSqlQuery query = isSqlite(connection) ? connection.run(selectCount(table), {table})
                                           : connection.run(selectServerCount(table), {table, table});
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

} // namespace store
