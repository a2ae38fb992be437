#include "model/settings/ServerSettings.h"

#include "model/settings/ProfileFile.h"

#include <QStringList>

namespace {

const QString kSection = QStringLiteral("server");
const QString kDefaultPort = QStringLiteral("5432");

QString readKey(const QString& iniPath, const char* key)
{
    return profile::readString(iniPath, kSection, QString::fromLatin1(key), QString()).trimmed();
}

// One port, or one for each host between commas.
QString readPort(const QString& iniPath)
{
    QStringList ports;
    for (const QString& each : readKey(iniPath, "port").split(QLatin1Char(','))) {
        bool ok = false;
        const int port = each.trimmed().toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return kDefaultPort;
        ports << QString::number(port);
    }
    return ports.join(QLatin1Char(','));
}

} // namespace

ServerSettings readServerSettings(const QString& iniPath)
{
    ServerSettings settings;
    settings.host = readKey(iniPath, "host");
    settings.service = readKey(iniPath, "service");
    settings.port = readPort(iniPath);
    settings.dbname = readKey(iniPath, "dbname");
    settings.user = readKey(iniPath, "user");
    settings.sslmode = readKey(iniPath, "sslmode");
    settings.sslrootcert = readKey(iniPath, "sslrootcert");
    settings.targetSessionAttrs = readKey(iniPath, "target_session_attrs");
    return settings;
}
