#include "app/ServerSettings.h"

#include "settings/ProfileFile.h"

#include <QSqlDatabase>

namespace {

const QString kSection = QStringLiteral("server");
constexpr int kDefaultPort = 5432;

QString readKey(const QString& iniPath, const char* key)
{
    return profile::readString(iniPath, kSection, QString::fromLatin1(key), QString()).trimmed();
}

int readPort(const QString& iniPath)
{
    bool ok = false;
    const int port = readKey(iniPath, "port").toInt(&ok);
    return ok && port >= 1 && port <= 65535 ? port : kDefaultPort;
}

} // namespace

QString ServerSettings::displayName() const
{
    if (host.isEmpty())
        return QStringLiteral("service %1").arg(service);
    return QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(dbname);
}

ServerSettings readServerSettings(const QString& iniPath)
{
    ServerSettings settings;
    settings.host = readKey(iniPath, "host");
    settings.service = readKey(iniPath, "service");
    settings.port = readPort(iniPath);
    settings.dbname = readKey(iniPath, "dbname");
    settings.user = readKey(iniPath, "user");
    return settings;
}

void applyServerSettings(const ServerSettings& settings, QSqlDatabase& db)
{
    // Keys the file leaves empty are left to libpq, so a service entry or the
    // PG* environment can fill them.
    if (!settings.host.isEmpty()) {
        db.setHostName(settings.host);
        db.setPort(settings.port);
    }
    if (!settings.dbname.isEmpty())
        db.setDatabaseName(settings.dbname);
    if (!settings.user.isEmpty())
        db.setUserName(settings.user);
    if (!settings.service.isEmpty())
        db.setConnectOptions(QStringLiteral("service=%1").arg(settings.service));
}
