#pragma once

#include "model/store/Backend.h"

#include <QString>

#include <utility>

class QSqlDatabase;

namespace store {

// Which PostgreSQL server holds the office database. The password never lives
// here; libpq's password file or a service entry supplies it, as for every
// PostgreSQL client.
struct ServerAddress {
    // One host, or several between commas (office-pc,office-nas), as libpq
    // takes them; the port likewise, one for all or one for each host.
    QString host;
    QString service;
    QString port = QStringLiteral("5432");
    QString dbname;
    QString user;
    // libpq's TLS demand (disable ... verify-full) and the certificate
    // authority that vouches for the server; empty leaves libpq's default.
    QString sslmode;
    QString sslrootcert;
    // Which of the hosts libpq takes (any, read-write, ...); empty: read-write
    // when several hosts are named, so a desk finds the one that accepts
    // changes, and libpq's own default otherwise.
    QString targetSessionAttrs;

    // A host or a service means the server is used instead of the database file.
    bool namesServer() const { return !host.isEmpty() || !service.isEmpty(); }

    // How the server is named in messages: the service, or host:port/dbname,
    // each host with its port.
    QString displayName() const;

    // True when the program itself asks libpq for the host that accepts
    // changes (several hosts, no target_session_attrs given): when none does,
    // it takes one that only reads rather than none.
    bool prefersPrimary() const { return targetSessionAttrs.isEmpty() && host.contains(QLatin1Char(',')); }

    bool operator==(const ServerAddress&) const = default;
};

// Puts the address onto a server connection that has not been opened yet.
// anyHost: as in connectionOptions.
void applyServerAddress(const ServerAddress& address, QSqlDatabase& db, bool anyHost = false);

// A value as libpq's connection string takes it: in single quotes, with
// backslash and quote escaped, so that whatever it holds stays one keyword's
// value and never becomes further keywords.
QString connectionStringValue(const QString& value);

// The keywords of the address that have no field of their own in
// QSqlDatabase (service, TLS, a list of ports, which host to take), as a
// libpq connection string. anyHost: take any host that answers, whatever
// prefersPrimary() asks.
QString connectionOptions(const ServerAddress& address, bool anyHost = false);

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
