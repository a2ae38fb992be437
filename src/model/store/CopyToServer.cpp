#include "model/store/CopyToServer.h"

#include "model/store/Connection.h"
#include "model/store/ContractWords.h"
#include "model/store/ListChanges.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/Schema.h"
#include "model/store/ServerCopy.h"
#include "model/store/ServerSchema.h"
#include "model/store/StoreError.h"

#include <QSqlRecord>

namespace store {

namespace {

// The columns of the table that the file has: an older file may lack some,
// which then stay NULL on the server.
QStringList columnsInFile(Connection& file, const TableDesign& table)
{
    const QSqlRecord record = file.database().record(table.name);
    QStringList present{table.key};
    for (const QString& column : table.columns)
        if (record.indexOf(column) >= 0)
            present << column;
    return present;
}

bool holdsRows(Connection& server, const TableDesign& table)
{
    return server.run(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(table.name)).next();
}

qint64 copyTable(Connection& file, Connection& server, const TableDesign& table)
{
    const QStringList columns = columnsInFile(file, table);
    const QString list = columns.join(QStringLiteral(", "));
    QSqlQuery rows = file.run(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(list, table.name, table.key));
    ServerCopyIn copy(server, table.name, columns);
    QVariantList values(columns.size());
    qint64 copied = 0;
    while (rows.next()) {
        // The file stores text; a value it holds as a number is copied as its text.
        for (int column = 0; column < columns.size(); ++column)
            values[column] = rows.value(column);
        copy.add(values);
        ++copied;
    }
    copy.finish();
    // The server's own numbering goes on after the copied keys.
    server.run(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                              "coalesce((SELECT max(%2) FROM %1), 0) + 1, false)")
                   .arg(table.name.toLower(), table.key.toLower()));
    return copied;
}

} // namespace

CopiedRows copyToServer(const QString& filePath, const ServerAddress& serverAddress)
{
    Connection file{Place(filePath)};
    const SchemaState state = inspectSchema(file).state;
    if (state == SchemaState::NoTables || state == SchemaState::Foreign)
        throw StoreError(-1, QStringLiteral("'%1' is not a database of the program's.").arg(filePath));
    Connection server{Place(serverAddress)};
    completeServerSchema(server);
    CopiedRows copied;
    server.transaction([&] {
        for (const TableDesign& table : tableDesigns())
            if (holdsRows(server, table))
                throw StoreError(-1, QStringLiteral("The server database already holds %1 rows; nothing was copied.")
                                         .arg(table.name));
        // The rows are read from one view of the file, even while an agent works in it.
        file.transaction([&] {
            const QList<TableDesign>& tables = tableDesigns();
            copied.agents = copyTable(file, server, tables[0]);
            copied.customers = copyTable(file, server, tables[1]);
            copied.contracts = copyTable(file, server, tables[2]);
        });
        forgetContractWords(server);
        // The rows' changes went into the log one by one; the counts take them all at once.
        foldListChanges(server);
    });
    return copied;
}

} // namespace store
