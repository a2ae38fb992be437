#include "store/Place.h"

#include "store/ServerLink.h"

#include <QSqlDatabase>
#include <QStringList>

#include <utility>

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
    // Every session carries the program's bounds on waiting (store/ServerLink.h).
    db.setConnectOptions(connectionOptions(address) + QLatin1Char(' ') + serverWaitOptions());
}

QString connectionStringValue(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString connectionOptions(const ServerAddress& address)
{
    const std::pair<const char*, const QString*> keywords[] = {
        {"service", &address.service}, {"sslmode", &address.sslmode}, {"sslrootcert", &address.sslrootcert}};
    QStringList options;
    for (const auto& [keyword, value] : keywords)
        if (!value->isEmpty())
            options << QString::fromLatin1(keyword) + QLatin1Char('=') + connectionStringValue(*value);
    return options.join(QLatin1Char(' '));
}

} // namespace store
