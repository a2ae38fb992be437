#pragma once

#include "store/Backend.h"

#include <QString>

#include <utility>

class QSqlDatabase;

namespace store {

// Which PostgreSQL server holds the office database. The password never lives
// here; libpq's password file or a service entry supplies it, as for every
// PostgreSQL client.
struct ServerAddress {
    QString host;
    QString service;
    int port = 5432;
    QString dbname;
    QString user;
    // libpq's TLS demand (disable ... verify-full) and the certificate
    // authority that vouches for the server; empty leaves libpq's default.
    QString sslmode;
    QString sslrootcert;

    // A host or a service means the server is used instead of the database file.
    bool namesServer() const { return !host.isEmpty() || !service.isEmpty(); }

    // How the server is named in messages: the service, or host:port/dbname.
    QString displayName() const;

    bool operator==(const ServerAddress&) const = default;
};

// Puts the address onto a server connection that has not been opened yet.
void applyServerAddress(const ServerAddress& address, QSqlDatabase& db);

// A value as libpq's connection string takes it: in single quotes, with
// backslash and quote escaped, so that whatever it holds stays one keyword's
// value and never becomes further keywords.
QString connectionStringValue(const QString& value);

// The keywords of the address that have no field of their own in
// QSqlDatabase (service, TLS), as a libpq connection string.
QString connectionOptions(const ServerAddress& address);

// Where the program's database lives: the agent's own file or the office server.
// Most of the program and its tests work with a file, hence the implicit
// conversion from a path.
struct Place {
    Place() = default;
    Place(QString path) : filePath(std::move(path)) {}
    explicit Place(ServerAddress address) : backend(Backend::Server), server(std::move(address)) {}

    Backend backend = Backend::File;
    QString filePath;
    ServerAddress server;

    bool isServer() const { return backend == Backend::Server; }
    bool operator==(const Place&) const = default;
};

} // namespace store
