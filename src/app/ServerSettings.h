#pragma once

#include <QString>

class QSqlDatabase;

// The [server] section of tly2.ini: which PostgreSQL server holds the office
// database. The password never lives here; libpq's password file or a service
// entry supplies it, as for every PostgreSQL client.
struct ServerSettings {
    QString host;
    QString service;
    int port = 5432;
    QString dbname;
    QString user;

    // A host or a service means the server is used instead of the database file.
    bool namesServer() const { return !host.isEmpty() || !service.isEmpty(); }

    // How the server is named in messages: the service, or host:port/dbname.
    QString displayName() const;

    bool operator==(const ServerSettings&) const = default;
};

// Reads [server] from the settings file at iniPath; missing keys take their
// defaults, and a port that is not a number from 1 to 65535 reads as 5432.
ServerSettings readServerSettings(const QString& iniPath);

// Puts the settings onto a QPSQL connection that has not been opened yet.
void applyServerSettings(const ServerSettings& settings, QSqlDatabase& db);
