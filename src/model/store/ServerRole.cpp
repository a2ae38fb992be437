#include "model/store/ServerRole.h"

#include "model/store/Connection.h"
#include "model/store/Schema.h"
#include "model/store/ServerDriver.h"
#include "model/store/StoreError.h"

namespace store {

bool serverIsStandby(Connection& connection)
{
    QSqlQuery query = connection.run(QStringLiteral("SELECT pg_is_in_recovery()"));
    return query.next() && query.value(0).toBool();
}

QString serverInUse(Connection& connection)
{
    const auto* driver = dynamic_cast<const ServerDriver*>(connection.database().driver());
    PGconn* session = driver ? driver->connection() : nullptr;
    if (!session)
        return QString();
    return QString::fromUtf8(PQhost(session)) + QLatin1Char(':') + QString::fromUtf8(PQport(session));
}

StoreError standbyRefusal()
{
    return StoreError(QStringLiteral("25006"),
                      QStringLiteral("The office server accepts no changes at the moment (it is a standby). "
                                     "Try again shortly or ask whoever looks after the office server."));
}

void checkStandbySchema(Connection& connection)
{
    if (inspectSchema(connection).state != SchemaState::Complete)
        throw standbyRefusal();
}

} // namespace store
