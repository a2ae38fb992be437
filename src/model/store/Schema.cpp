#include "model/store/Schema.h"

#include "model/store/AddedIndexes.h"
#include "model/store/FoldedLines.h"

#include "model/store/AgentTable.h"
#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"
#include "model/store/ForeignParts.h"
#include "model/store/ListChanges.h"
#include "model/store/ListRows.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/PoliciesTable.h"
#include "model/store/PrivateFiles.h"
#include "model/store/StoreError.h"
#include "model/store/WriteToken.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>
#include <QStringList>

namespace store {

namespace {

// Every table's statements, in the order they are created.
QStringList tableStatements(Backend backend)
{
    return agentCreateStatements(backend) + customerCreateStatements(backend) + policiesCreateStatements(backend) +
           addedIndexStatements();
}

// The table's name as the database lists it, matched without regard to case
// (the server folds names to lower case); empty when it has no such table.
QString listedName(const QStringList& tables, const QString& name)
{
    for (const QString& table : tables)
        if (table.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    return {};
}

void writeSchema(Connection& connection)
{
    connection.transaction([&] {
        for (const QString& statement : tableStatements(Backend::File))
            connection.run(statement);
        addListChanges(connection);
        for (const QString& statement : listRowsStatements())
            connection.run(statement);
        for (const QString& statement : writeTokensCreateStatements())
            connection.run(statement);
        for (const QString& statement : foldedLinesStatements(Backend::File))
            connection.runUnprepared(statement);
        connection.run(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    });
}

} // namespace

QStringList schemaStatements(Backend backend)
{
    if (backend == Backend::File)
        return tableStatements(backend) + fileListChangesStatements() + listRowsStatements() +
               foldedLinesStatements(backend);
    // The server has no user_version; a one-row table keeps the schema version.
    return tableStatements(backend) + serverListChangesStatements() + listRowsStatements() +
           foldedLinesStatements(backend) +
           QStringList{QStringLiteral("CREATE TABLE SchemaVersion (Version INTEGER NOT NULL)")};
}

const QByteArray& fileSchemaDigest()
{
    static const QByteArray digest = [] {
        const QStringList statements = schemaStatements(Backend::File) + writeTokensCreateStatements() +
                                       QStringList{QString::number(kSchemaVersion)};
        return QCryptographicHash::hash(statements.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    }();
    return digest;
}

const QList<TableDesign>& tableDesigns()
{
    static const QList<TableDesign> designs{{QStringLiteral("Agent"), QStringLiteral("RowKey"), agentColumns()},
                                            {QStringLiteral("Customer"), QStringLiteral("RowKey"), customerColumns()},
                                            {QStringLiteral("Policies"), QStringLiteral("ID"), policiesColumns()}};
    return designs;
}

void addMissingColumns(Connection& connection, const QStringList& missingColumns)
{
    for (const QString& missing : missingColumns) {
        const QStringList parts = missing.split(QLatin1Char('.'));
        connection.runUnprepared(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT").arg(parts[0], parts[1]));
    }
}

void createDatabase(const QString& path)
{
    makePrivateFolder(QFileInfo(path).absolutePath());
    // SQLite would make the file readable by everyone the umask lets in; an
    // empty file made here first is taken as a new database and keeps its mode.
    QString why;
    if (!createPrivateFile(path, &why))
        throw StoreError(-1, QStringLiteral("Could not create the database file '%1': %2").arg(path, why));
    try {
        Connection connection(path);
        writeSchema(connection);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

SchemaInspection inspectSchema(Connection& connection)
{
    const QStringList tables = connection.database().tables();
    if (tables.isEmpty())
        return {SchemaState::NoTables, {}, {}};
    SchemaInspection inspection;
    for (const TableDesign& design : tableDesigns()) {
        const QString listed = listedName(tables, design.name);
        if (listed.isEmpty())
            return {SchemaState::Foreign, {}, {}};
        // Columns, too, are matched without regard to case.
        const QSqlRecord record = connection.database().record(listed);
        if (record.indexOf(design.key) < 0)
            return {SchemaState::Foreign, {}, {}};
        for (const QString& column : design.columns)
            if (record.indexOf(column) < 0)
                inspection.missingColumns << design.name + QLatin1Char('.') + column;
    }
    inspection.foreignParts = foreignParts(connection);
    if (!inspection.foreignParts.isEmpty())
        return {SchemaState::Foreign, {}, inspection.foreignParts};
    if (!inspection.missingColumns.isEmpty())
        inspection.state = SchemaState::MissingColumns;
    return inspection;
}

SchemaState completeSchema(const QString& path)
{
    Connection connection(path);
    const SchemaInspection inspection = inspectSchema(connection);
    if (inspection.state == SchemaState::NoTables) {
        writeSchema(connection);
    } else if (inspection.state == SchemaState::MissingColumns) {
        connection.transaction([&] {
            addMissingColumns(connection, inspection.missingColumns);
            connection.run(policiesDbaIndexIfMissing());
            // A file that some later version already marked keeps its mark.
            QSqlQuery version = connection.run(QStringLiteral("PRAGMA user_version"));
            if (version.next() && version.value(0).toInt() < kSchemaVersion)
                connection.run(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
        });
    }
    // Files made before the lists kept change counts get them now.
    if (inspection.state != SchemaState::NoTables && inspection.state != SchemaState::Foreign) {
        ensureListChanges(connection);
        ensureWriteTokens(connection);
    }
    if (inspection.state != SchemaState::Foreign) {
        ensureListRows(connection);
        // Files made before the indexes the program added later get them now.
        ensureAddedIndexes(connection);
        ensureFoldedLines(connection);
    }
    return inspection.state;
}

} // namespace store
