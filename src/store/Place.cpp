#include "store/Place.h"

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
    if (!address.service.isEmpty())
        db.setConnectOptions(QStringLiteral("service=%1").arg(address.service));
}

} // namespace store
