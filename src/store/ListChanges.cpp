#include "store/ListChanges.h"

#include "store/Connection.h"
#include "store/SqliteHandle.h"

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

// The server's triggers call one function that is told which table's count to raise.
const QString kServerCountFunction = QStringLiteral(
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
    QStringList statements{kCreateChanges, kServerCountFunction};
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

std::optional<qint64> changeCount(Connection& connection, const QString& table)
{
    if (!hasChangesTable(connection))
        return std::nullopt;
    QSqlQuery query = connection.run(selectCount(table), {table});
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

} // namespace store
