#include "model/store/ServerSchema.h"

#include "model/store/AddedIndexes.h"
#include "model/store/Connection.h"
#include "model/store/FoldedLines.h"
#include "model/store/ListChanges.h"
#include "model/store/ListRows.h"
#include "model/store/Schema.h"
#include "model/store/StoreError.h"
#include "model/store/WriteToken.h"

#include <QStringList>

namespace store {

namespace {

// Any number of the program's own, held only while the schema is made.
constexpr qint64 kSchemaLock = 0x5175696c6c6f6e; // "Quillon"

} // namespace

bool serverHasSchema(Connection& connection)
{
    const SchemaState state = inspectSchema(connection).state;
    return state == SchemaState::Complete || state == SchemaState::MissingColumns;
}

void completeServerSchema(Connection& connection)
{
    if (inspectSchema(connection).state == SchemaState::Complete && writeTokensCurrent(connection) &&
        serverListChangesCurrent(connection)) {
        pruneWriteTokens(connection);
        ensureListRows(connection);
        ensureAddedIndexes(connection);
        ensureFoldedLines(connection);
        return;
    }
    bool created = false;
    connection.transaction([&] {
        // Two agents starting on the new database at once: the second waits
        // here and then finds the tables the first made.
        connection.run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kSchemaLock});
        const SchemaInspection inspection = inspectSchema(connection);
        if (inspection.state == SchemaState::MissingColumns) {
            addMissingColumns(connection, inspection.missingColumns);
        } else if (inspection.state == SchemaState::NoTables) {
            for (const QString& statement : schemaStatements(Backend::Server))
                connection.runUnprepared(statement);
            connection.run(QStringLiteral("INSERT INTO SchemaVersion (Version) VALUES (?)"), {kSchemaVersion});
            created = true;
        } else if (inspection.state == SchemaState::Foreign) {
            if (!inspection.foreignParts.isEmpty())
                throw StoreError(-1, QStringLiteral("The database is not a QUILLON database.\n") +
                                         inspection.foreignParts.join(QLatin1Char('\n')));
            throw StoreError(-1, QStringLiteral("The database holds tables of another program."));
        }
        // A database an older program made gets the table of write tokens and
        // this release's change counts now.
        if (!writeTokensCurrent(connection))
            completeWriteTokens(connection);
        if (!serverListChangesCurrent(connection))
            upgradeServerListChanges(connection);
    });
    pruneWriteTokens(connection);
    ensureListRows(connection);
    ensureAddedIndexes(connection);
    if (created)
        addServerTrigramIndexes(connection);
    ensureFoldedLines(connection);
}

void serverUpkeep(Connection& connection)
{
    pruneWriteTokens(connection);
    foldPlainPendingLines(connection);
}

} // namespace store
