#include "model/store/Place.h"

#include "model/store/ServerLink.h"

#include <QSqlDatabase>
#include <QStringList>

#include <utility>

namespace store {

QString ServerAddress::displayName() const
{
    if (host.isEmpty())
        return QStringLiteral("service %1").arg(service);
    const QStringList hosts = host.split(QLatin1Char(','));
    const QStringList ports = port.split(QLatin1Char(','));
    if (ports.size() != 1 && ports.size() != hosts.size())
        return QStringLiteral("%1:%2/%3").arg(host, port, dbname);
    QStringList named;
    for (qsizetype at = 0; at < hosts.size(); ++at)
        named << hosts[at] + QLatin1Char(':') + ports.value(at, ports.first());
    return named.join(QLatin1Char(',')) + QLatin1Char('/') + dbname;
}

void applyServerAddress(const ServerAddress& address, QSqlDatabase& db, bool anyHost)
{
    // Keys left empty are left to libpq, so a service entry or the PG*
    // environment can fill them.
    // A list of ports travels in the options (connectionOptions).
    bool onePort = false;
    const int port = address.port.toInt(&onePort);
    if (!address.host.isEmpty()) {
        db.setHostName(address.host);
        if (onePort)
            db.setPort(port);
    }
    if (!address.dbname.isEmpty())
        db.setDatabaseName(address.dbname);
    if (!address.user.isEmpty())
        db.setUserName(address.user);
    // Every session carries the program's bounds on waiting (store/ServerLink.h).
    db.setConnectOptions(connectionOptions(address, anyHost) + QLatin1Char(' ') + serverWaitOptions());
}

QString connectionStringValue(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString connectionOptions(const ServerAddress& address, bool anyHost)
{
    bool onePort = false;
    address.port.toInt(&onePort);
    const QString ports = address.host.isEmpty() || onePort ? QString() : address.port;
    const QString target = anyHost                    ? QStringLiteral("any")
                           : address.prefersPrimary() ? QStringLiteral("read-write")
                                                      : address.targetSessionAttrs;
    const std::pair<const char*, const QString*> keywords[] = {
        {"service", &address.service}, {"sslmode", &address.sslmode}, {"sslrootcert", &address.sslrootcert},
        {"port", &ports},              {"target_session_attrs", &target}};
    QStringList options;
    for (const auto& [keyword, value] : keywords)
        if (!value->isEmpty())
            options << QString::fromLatin1(keyword) + QLatin1Char('=') + connectionStringValue(*value);
    return options.join(QLatin1Char(' '));
}

} // namespace store
