#pragma once

#include "store/Place.h"

#include <QString>
#include <QTemporaryDir>

// A PostgreSQL server of the test's own: a fresh cluster in a temporary
// folder, listening only on a Unix socket inside it, stopped and removed when
// the object goes, also when a test fails. initdb refuses root, so as root the
// cluster is made and run by the postgres user.
class ThrowawayServer {
public:
    // How a server that also listens on the network of this machine
    // (127.0.0.1, a free port) speaks TLS: with this certificate and key (PEM
    // files, copied into the server's folder), or not at all when they are empty.
    struct Tcp {
        QString certificate;
        QString key;
    };

    ThrowawayServer();
    explicit ThrowawayServer(const Tcp& tcp);
    ~ThrowawayServer();
    ThrowawayServer(const ThrowawayServer&) = delete;
    ThrowawayServer& operator=(const ThrowawayServer&) = delete;

    bool started() const { return m_started; }
    // Why it did not start.
    QString error() const { return m_error; }
    // The socket folder, given as host to libpq.
    QString socketFolder() const { return m_dir.path(); }
    int port() const { return m_port; }
    QString user() const;
    // How the program reaches the named database on this server.
    store::ServerAddress address(const QString& dbname) const;
    // A new empty database on this server; its address, or an empty address on failure.
    store::ServerAddress createDatabase(const QString& dbname);
    // Stops the server as an administrator's restart does (every session is
    // told and closed) and starts it again.
    bool restart();
    // The server's main process, which answers every new connection.
    qint64 postmasterPid() const;

    // The server's log file, with what it says about failed statements.
    QString logFile() const { return m_dir.filePath(QStringLiteral("log")); }

private:
    void start(const QStringList& options);
    bool run(const QStringList& command);
    bool installForServer(const QString& from, const QString& name);

    QTemporaryDir m_dir;
    bool m_started = false;
    int m_port = 5432;
    QString m_error;
};
