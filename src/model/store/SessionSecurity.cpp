#include "model/store/SessionSecurity.h"

#include "model/store/Connection.h"

namespace store {

namespace {
const QString kOwnSessionTls =
    QStringLiteral("SELECT version FROM pg_stat_ssl WHERE pid = pg_backend_pid() AND ssl");
} // namespace

QString tlsProtocol(Connection& connection)
{
    QSqlQuery query = connection.run(kOwnSessionTls);
    return query.next() ? textOf(query.value(0)) : QString();
}

} // namespace store
