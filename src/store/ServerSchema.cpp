#include "store/ServerSchema.h"

#include "store/AgentTable.h"
#include "store/CustomerTable.h"
#include "store/ListChanges.h"
#include "store/PoliciesTable.h"
#include "store/Schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace store {

namespace {

QStringList schemaStatements()
{
    return agentCreateStatements(Backend::Server) + customerCreateStatements(Backend::Server)
        + policiesCreateStatements(Backend::Server) + serverListChangesStatements()
        + QStringList{QStringLiteral("CREATE TABLE SchemaVersion (Version INTEGER NOT NULL)")};
}

} // namespace

bool serverHasSchema(QSqlDatabase& db)
{
    const QStringList tables = db.tables();
    for (const char* name : {"agent", "customer", "policies"}) {
        if (!tables.contains(QString::fromLatin1(name), Qt::CaseInsensitive))
            return false;
    }
    return true;
}

QString completeServerSchema(QSqlDatabase& db)
{
    if (serverHasSchema(db))
        return {};
    if (!db.transaction())
        return db.lastError().text();
    QSqlQuery query(db);
    for (const QString& statement : schemaStatements()) {
        if (!query.exec(statement)) {
            const QString error = query.lastError().text();
            db.rollback();
            return error;
        }
    }
    query.prepare(QStringLiteral("INSERT INTO SchemaVersion (Version) VALUES (?)"));
    query.addBindValue(kSchemaVersion);
    if (!query.exec() || !db.commit()) {
        const QString error = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
        db.rollback();
        return error;
    }
    return {};
}

} // namespace store
