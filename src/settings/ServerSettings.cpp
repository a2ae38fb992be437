#include "settings/ServerSettings.h"

#include "settings/ProfileFile.h"

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
    return settings;
}
