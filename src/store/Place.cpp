#include "store/Place.h"

#include "store/ServerLink.h"

#include <QSqlDatabase>

namespace store {

QString ServerAddress::displayName() const
{
    if (host.isEmpty())
        return QStringLiteral("service %1").arg(service);
    return QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(dbname);
}

void applyServerAddress(const ServerAddress& address, QSqlDatabase& db)
{
    // Keys left empty are left to libpq, so a service entry or the PG*
    // environment can fill them.
    if (!address.host.isEmpty()) {
        db.setHostName(address.host);
        db.setPort(address.port);
    }
    if (!address.dbname.isEmpty())
        db.setDatabaseName(address.dbname);
    if (!address.user.isEmpty())
        db.setUserName(address.user);
    QString options;
    if (!address.service.isEmpty())
        options = QStringLiteral("service=%1;").arg(address.service);
    // Every session carries the program's bounds on waiting (store/ServerLink.h).
    db.setConnectOptions(options + serverWaitOptions());
}

} // namespace store
