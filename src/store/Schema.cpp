#include "store/Schema.h"

#include "store/Connection.h"
#include "store/ListChanges.h"
#include "store/PoliciesColumns.h"
#include "store/StoreError.h"

#include <QFile>
#include <QStringList>

namespace store {

namespace {

// Agent and Customer carry a hidden key that the program never shows; their
// natural order is key order, so a new row comes last and a deleted one leaves
// no gap. AUTOINCREMENT keeps a key from ever being handed out twice.
QString peopleTable(const QString& table, const QStringList& columns)
{
    QStringList defs{QStringLiteral("RowKey INTEGER PRIMARY KEY AUTOINCREMENT")};
    for (const QString& column : columns)
        defs << column + QStringLiteral(" TEXT");
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table, defs.join(QStringLiteral(", ")));
}

QString policiesTable()
{
    QStringList defs{QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT")};
    for (const QString& column : policiesColumns())
        defs << column + QStringLiteral(" TEXT");
    return QStringLiteral("CREATE TABLE Policies (%1)").arg(defs.join(QStringLiteral(", ")));
}

const QString kCountTables = QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'");
const QString kPoliciesDbaIndex = QStringLiteral("CREATE INDEX PoliciesByDBA ON Policies (DBA)");

void writeSchema(Connection& connection)
{
    connection.transaction([&] {
        connection.run(peopleTable(QStringLiteral("Agent"), agentColumns()));
        connection.run(peopleTable(QStringLiteral("Customer"), customerColumns()));
        connection.run(policiesTable());
        connection.run(kPoliciesDbaIndex);
        addListChanges(connection);
        connection.run(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    });
}

} // namespace

void createDatabase(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::NewOnly | QIODevice::WriteOnly))
        throw StoreError(-1, QStringLiteral("Could not create the database file '%1': %2")
                                 .arg(path, file.errorString()));
    file.close();
    try {
        Connection connection(path);
        writeSchema(connection);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

void ensureSchema(const QString& path)
{
    Connection connection(path);
    QSqlQuery count = connection.run(kCountTables);
    if (count.next() && count.value(0).toInt() == 0) {
        count = QSqlQuery();
        writeSchema(connection);
        return;
    }
    count = QSqlQuery();
    // Files made before the lists kept change counts get them now.
    ensureListChanges(connection);
}

} // namespace store
