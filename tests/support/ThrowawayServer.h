#pragma once

#include "model/store/Place.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A PostgreSQL server of the test's own: a fresh cluster in a temporary
// folder, listening only on a Unix socket inside it, stopped and removed when
// the object goes, also when a test fails, and when the test program aborts.
// initdb refuses root, so as root the cluster is made and run by the postgres user.
class ThrowawayServer {
public:
    ThrowawayServer();
    // A standby of primary, as README has the office make one: a copy taken
    // with pg_basebackup -R that streams from it, synchronous, so every
    // commit on primary waits until the standby holds it.
    explicit ThrowawayServer(ThrowawayServer& primary);
    ~ThrowawayServer();
    ThrowawayServer(const ThrowawayServer&) = delete;
    ThrowawayServer& operator=(const ThrowawayServer&) = delete;

    bool started() const { return m_started; }
    // Why it did not start.
    QString error() const { return m_error; }
    // The socket folder, given as host to libpq.
    QString socketFolder() const { return m_dir.path(); }
    QString user() const { return QStringLiteral("quillon"); }
    // How the program reaches the named database on this server.
    store::ServerAddress address(const QString& dbname) const;
    // A new empty database on this server; its address, or an empty address on failure.
    store::ServerAddress createDatabase(const QString& dbname);
    // Stops the server as an administrator's restart does (every session is
    // told and closed) and starts it again.
    bool restart();
    // Stopped as a lost machine stops: no session is told, nothing is flushed.
    bool stopHard();
    // The standby takes over as primary once it has said so.
    bool promote();
    // After stopHard(): the folder made anew as a synchronous standby of primary.
    bool rebuildAsStandbyOf(ThrowawayServer& primary);

private:
    bool makeFolder();
    bool start();
    bool copyFrom(ThrowawayServer& primary);
    bool sql(const QString& statement);
    bool waitForSynchronousStandby();
    bool run(const QStringList& command);
    QStringList pgCtl(const QStringList& arguments) const;
    void stopWhenTheProgramIsGone();
    QString logFile() const { return m_dir.filePath(QStringLiteral("log")); }

    QTemporaryDir m_dir;
    bool m_started = false;
    int m_port = 5432;
    QString m_error;
};
