#include "store/ListRows.h"

#include "store/Connection.h"

#include <QSqlQuery>

namespace store {

namespace {

const QString kRowsTable = QStringLiteral("ListRows");
const QString kCreateRows = QStringLiteral(
    "CREATE TABLE ListRows (TableName TEXT PRIMARY KEY, Lines INTEGER NOT NULL)");
// Any number of the program's own, held only while the counts are added.
constexpr qint64 kRowsLock = 0x4c697374526f7773; // "ListRows"
const QStringList kCountedTables{QStringLiteral("Agent"), QStringLiteral("Customer")};

// Table names come from the program's own list, never from the user.
QString fileRowTrigger(const QString& table, bool insert)
{
    return QStringLiteral("CREATE TRIGGER %1%2Listed AFTER %3 ON %1 BEGIN "
                          "UPDATE ListRows SET Lines = Lines %4 1 WHERE TableName = '%1'; END")
        .arg(table, insert ? QStringLiteral("Insert") : QStringLiteral("Delete"),
             insert ? QStringLiteral("INSERT") : QStringLiteral("DELETE"),
             insert ? QStringLiteral("+") : QStringLiteral("-"));
}

const QString kServerRowFunction = QStringLiteral(
    "CREATE FUNCTION CountListRow() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
    "UPDATE ListRows SET Lines = Lines + CASE WHEN TG_OP = 'INSERT' THEN 1 ELSE -1 END "
    "WHERE TableName = TG_ARGV[0]; RETURN NULL; END $$");

QString serverRowTrigger(const QString& table)
{
    return QStringLiteral("CREATE TRIGGER %1Listed AFTER INSERT OR DELETE ON %1 "
                          "FOR EACH ROW EXECUTE FUNCTION CountListRow('%1')").arg(table);
}

bool hasRowsTable(Connection& connection)
{
    for (const QString& table : connection.database().tables())
        if (table.compare(kRowsTable, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool hasCount(Connection& connection, const QString& table)
{
    return connection.run(QStringLiteral("SELECT 1 FROM ListRows WHERE TableName = ?"), {table}).next();
}

} // namespace

QStringList fileListRowsStatements()
{
    QStringList statements{kCreateRows};
    for (const QString& table : kCountedTables)
        statements << fileRowTrigger(table, true) << fileRowTrigger(table, false);
    return statements;
}

QStringList serverListRowsStatements()
{
    QStringList statements{kCreateRows, kServerRowFunction};
    for (const QString& table : kCountedTables)
        statements << serverRowTrigger(table);
    return statements;
}

void ensureListRows(Connection& connection)
{
    const bool server = connection.backend() == Backend::Server;
    if (!hasRowsTable(connection)) {
        connection.transaction([&] {
            // Two programs starting at once: the second waits and finds the table the first made.
            if (server)
                connection.run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kRowsLock});
            if (hasRowsTable(connection))
                return;
            for (const QString& statement : server ? serverListRowsStatements() : fileListRowsStatements())
                connection.execute(statement);
        });
    }
    for (const QString& table : kCountedTables) {
        if (hasCount(connection, table))
            continue;
        connection.transaction([&] {
            // The file's write transaction already keeps every other writer
            // out; the server's writers wait for this share lock, and their
            // triggers then find the count made here.
            if (server)
                connection.execute(QStringLiteral("LOCK TABLE %1 IN SHARE MODE").arg(table));
            if (hasCount(connection, table))
                return;
            connection.run(QStringLiteral("INSERT INTO ListRows (TableName, Lines) SELECT ?, count(*) FROM %1").arg(table),
                           {table});
        });
    }
}

std::optional<qint64> keptRowCount(Connection& connection, const QString& table)
{
    if (connection.backend() == Backend::File && !hasRowsTable(connection))
        return std::nullopt;
    QSqlQuery query = connection.run(QStringLiteral("SELECT Lines FROM ListRows WHERE TableName = ?"), {table});
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

} // namespace store
