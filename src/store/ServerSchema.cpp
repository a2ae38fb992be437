#include "store/ServerSchema.h"

#include "store/AgentTable.h"
#include "store/Connection.h"
#include "store/CustomerTable.h"
#include "store/ListChanges.h"
#include "store/PoliciesColumns.h"
#include "store/PoliciesTable.h"
#include "store/Schema.h"

#include <QSqlRecord>
#include <QStringList>

namespace store {

namespace {

QStringList schemaStatements()
{
    return agentCreateStatements(Backend::Server) + customerCreateStatements(Backend::Server)
        + policiesCreateStatements(Backend::Server) + serverListChangesStatements()
        + QStringList{QStringLiteral("CREATE TABLE SchemaVersion (Version INTEGER NOT NULL)")};
}

// Any number of the program's own, held only while the schema is made.
constexpr qint64 kSchemaLock = 0x5175696c6c6f6e; // "Quillon"

struct TableColumns {
    const char* table;
    const QStringList& columns;
};

// The ALTERs that give an office database made by an older program the
// columns this one uses: NULL in every row, no value changed.
QStringList missingColumnStatements(Connection& connection)
{
    const TableColumns tables[] = {
        {"Agent", agentColumns()}, {"Customer", customerColumns()}, {"Policies", policiesColumns()}};
    QStringList statements;
    for (const TableColumns& table : tables) {
        const QSqlRecord record = connection.database().record(QString::fromLatin1(table.table).toLower());
        for (const QString& column : table.columns)
            if (record.indexOf(column) < 0)
                statements << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT").arg(QLatin1String(table.table), column);
    }
    return statements;
}

} // namespace

bool serverHasSchema(Connection& connection)
{
    const QStringList tables = connection.database().tables();
    for (const char* name : {"agent", "customer", "policies"}) {
        if (!tables.contains(QString::fromLatin1(name), Qt::CaseInsensitive))
            return false;
    }
    return true;
}

void completeServerSchema(Connection& connection)
{
    if (serverHasSchema(connection) && missingColumnStatements(connection).isEmpty())
        return;
    connection.transaction([&] {
        // Two agents starting on the new database at once: the second waits
        // here and then finds the tables the first made.
        connection.run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kSchemaLock});
        if (serverHasSchema(connection)) {
            for (const QString& statement : missingColumnStatements(connection))
                connection.execute(statement);
            return;
        }
        for (const QString& statement : schemaStatements())
            connection.execute(statement);
        connection.run(QStringLiteral("INSERT INTO SchemaVersion (Version) VALUES (?)"), {kSchemaVersion});
    });
}

} // namespace store
