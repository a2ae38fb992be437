#include "support/ThrowawayServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QThread>

#include <unistd.h>

namespace {

QString binary(const QString& name)
{
    const QStringList versions = QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return versions.isEmpty() ? name : QString("/usr/lib/postgresql/%1/bin/%2").arg(versions.last(), name);
}

bool asRoot() { return geteuid() == 0; }

// initdb refuses root: as root every command but chown runs as the postgres user.
QStringList asServerUser(const QStringList& command)
{
    if (!asRoot() || command.first() == "chown")
        return command;
    return QStringList{"runuser", "-u", "postgres", "--"} + command;
}

} // namespace

QStringList ThrowawayServer::pgCtl(const QStringList& arguments) const
{
    // A busy machine may take long to start or promote a server: wait generously.
    return QStringList{binary("pg_ctl"), "-t", "300", "-D", m_dir.filePath("data")} + arguments;
}

bool ThrowawayServer::makeFolder()
{
    if (!m_dir.isValid()) {
        m_error = "no temporary folder";
        return false;
    }
    return !asRoot() || run({"chown", "postgres", m_dir.path()});
}

bool ThrowawayServer::start()
{
    // As README asks of the office server: errors are logged without the
    // DETAIL lines in which the server repeats a refused row's values.
    const QString options = QString("-k %1 -p %2 -c listen_addresses= -c log_error_verbosity=terse").arg(m_dir.path()).arg(m_port);
    m_started = run(pgCtl({"-w", "-l", logFile(), "-o", options, "start"}));
    return m_started;
}

ThrowawayServer::ThrowawayServer()
{
    if (makeFolder() && run({binary("initdb"), "-D", m_dir.filePath("data"), "-U", user(), "-A", "trust", "-E", "UTF8"})
        && start())
        stopWhenTheProgramIsGone();
}

ThrowawayServer::ThrowawayServer(ThrowawayServer& primary)
{
    if (makeFolder() && copyFrom(primary))
        stopWhenTheProgramIsGone();
}

// The copy names its primary (-R); the primary then waits at each commit until
// the copy has applied it, so a desk on the copy reads what was just stored
// however busy the machine.
bool ThrowawayServer::copyFrom(ThrowawayServer& primary)
{
    return run({binary("pg_basebackup"), "-h", primary.socketFolder(), "-p", QString::number(primary.m_port), "-U",
                user(), "-D", m_dir.filePath("data"), "-R", "-c", "fast"})
           && start() && primary.sql("ALTER SYSTEM SET synchronous_standby_names = '*'")
           && primary.sql("ALTER SYSTEM SET synchronous_commit = 'remote_apply'")
           && primary.sql("SELECT pg_reload_conf()") && primary.waitForSynchronousStandby();
}

// The reload takes effect a moment later; until the standby is counted as
// synchronous, a commit does not wait for it.
bool ThrowawayServer::waitForSynchronousStandby()
{
    for (int look = 0; look < 1200; ++look) {
        if (sql("DO $$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_stat_replication WHERE sync_state = 'sync') "
                "THEN RAISE EXCEPTION 'not yet'; END IF; END $$"))
            return true;
        QThread::msleep(250);
    }
    return false;
}

bool ThrowawayServer::stopHard()
{
    const bool stopped = m_started && run(pgCtl({"-m", "immediate", "stop"}));
    m_started = m_started && !stopped;
    return stopped;
}

bool ThrowawayServer::promote() { return m_started && run(pgCtl({"-w", "promote"})); }

bool ThrowawayServer::rebuildAsStandbyOf(ThrowawayServer& primary)
{
    return !m_started && run({"rm", "-rf", m_dir.filePath("data")}) && copyFrom(primary);
}

bool ThrowawayServer::sql(const QString& statement)
{
    return run({binary("psql"), "-h", socketFolder(), "-p", QString::number(m_port), "-U", user(), "-d", "postgres",
                "-v", "ON_ERROR_STOP=1", "-c", statement});
}

// A test program that aborts (a crash, a fatal message, the runner's timeout) runs no destructor: a
// watcher of its own stops the server and removes its folder once the program is gone.
void ThrowawayServer::stopWhenTheProgramIsGone()
{
    QProcess watcher;
    watcher.setProgram("sh");
    watcher.setArguments(QStringList{"-c", "pid=$1 dir=$2; shift 2; while kill -0 $pid 2>/dev/null; do sleep 1; done; "
                                           "\"$@\"; rm -rf \"$dir\"",
                                     "watcher", QString::number(QCoreApplication::applicationPid()), m_dir.path()}
                         + asServerUser(pgCtl({"-m", "immediate", "stop"})));
    // Its output goes nowhere, so that the test runner does not wait for it.
    watcher.setStandardInputFile(QProcess::nullDevice());
    watcher.setStandardOutputFile(QProcess::nullDevice());
    watcher.setStandardErrorFile(QProcess::nullDevice());
    watcher.startDetached();
}

ThrowawayServer::~ThrowawayServer()
{
    if (m_started)
        run(pgCtl({"-m", "immediate", "stop"}));
}

store::ServerAddress ThrowawayServer::address(const QString& dbname) const
{
    store::ServerAddress address;
    address.host = socketFolder();
    address.port = QString::number(m_port);
    address.user = user();
    address.dbname = dbname;
    return address;
}

store::ServerAddress ThrowawayServer::createDatabase(const QString& dbname)
{
    if (!m_started || !run({binary("createdb"), "-h", socketFolder(), "-p", QString::number(m_port), "-U", user(), dbname}))
        return {};
    return address(dbname);
}

// pg_ctl starts the server again with the options it was started with.
bool ThrowawayServer::restart() { return m_started && run(pgCtl({"-w", "-m", "fast", "-l", logFile(), "restart"})); }

bool ThrowawayServer::run(const QStringList& command)
{
    QStringList full = asServerUser(command);
    const QString program = full.takeFirst();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, full);
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}
