#include "support/ThrowawayServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <unistd.h>

namespace {

QString binary(const QString& name)
{
    const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return versions.isEmpty() ? name
                              : QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(versions.last(), name);
}

bool asRoot() { return geteuid() == 0; }

// initdb refuses root: as root every command but chown runs as the postgres user.
QStringList asServerUser(const QStringList& command)
{
    if (!asRoot() || command.first() == QStringLiteral("chown"))
        return command;
    return QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"),
                       QStringLiteral("--")} + command;
}

} // namespace

ThrowawayServer::ThrowawayServer()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    if (asRoot() && !run({QStringLiteral("chown"), QStringLiteral("postgres"), m_dir.path()}))
        return;
    const QString data = m_dir.filePath(QStringLiteral("data"));
    if (!run({binary(QStringLiteral("initdb")), QStringLiteral("-D"), data, QStringLiteral("-U"), user(),
              QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"), QStringLiteral("UTF8")}))
        return;
    // As README asks of the office server: errors are logged without the
    // DETAIL lines in which the server repeats a refused row's values.
    const QStringList serverOptions{QStringLiteral("-k"), m_dir.path(), QStringLiteral("-p"), QString::number(m_port),
                                    QStringLiteral("-c"), QStringLiteral("listen_addresses="), QStringLiteral("-c"),
                                    QStringLiteral("log_error_verbosity=terse")};
    m_started = run({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"), data, QStringLiteral("-w"),
                     QStringLiteral("-l"), logFile(), QStringLiteral("-o"), serverOptions.join(QLatin1Char(' ')),
                     QStringLiteral("start")});
    if (m_started)
        stopWhenTheProgramIsGone();
}

// A test program that aborts (a crash, a fatal message, the runner's timeout) runs no destructor: a
// watcher of its own stops the server and removes its folder once the program is gone.
void ThrowawayServer::stopWhenTheProgramIsGone()
{
    QProcess watcher;
    watcher.setProgram(QStringLiteral("sh"));
    watcher.setArguments(QStringList{QStringLiteral("-c"),
                                     QStringLiteral("pid=$1 dir=$2; shift 2; while kill -0 $pid 2>/dev/null; "
                                                    "do sleep 1; done; \"$@\"; rm -rf \"$dir\""),
                                     QStringLiteral("watcher"), QString::number(QCoreApplication::applicationPid()),
                                     m_dir.path()}
                         + asServerUser({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"),
                                         m_dir.filePath(QStringLiteral("data")), QStringLiteral("-m"),
                                         QStringLiteral("immediate"), QStringLiteral("stop")}));
    // Its output goes nowhere, so that the test runner does not wait for it.
    watcher.setStandardInputFile(QProcess::nullDevice());
    watcher.setStandardOutputFile(QProcess::nullDevice());
    watcher.setStandardErrorFile(QProcess::nullDevice());
    watcher.startDetached();
}

ThrowawayServer::~ThrowawayServer()
{
    if (m_started)
        run({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
             QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")});
}

QString ThrowawayServer::user() const { return QStringLiteral("quillon"); }

store::ServerAddress ThrowawayServer::address(const QString& dbname) const
{
    store::ServerAddress address;
    address.host = socketFolder();
    address.port = port();
    address.user = user();
    address.dbname = dbname;
    return address;
}

store::ServerAddress ThrowawayServer::createDatabase(const QString& dbname)
{
    if (!m_started || !run({binary(QStringLiteral("createdb")), QStringLiteral("-h"), socketFolder(),
                            QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-U"), user(), dbname}))
        return {};
    return address(dbname);
}

// pg_ctl starts the server again with the options it was started with.
bool ThrowawayServer::restart()
{
    return m_started
        && run({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
                QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-l"),
                logFile(), QStringLiteral("restart")});
}

bool ThrowawayServer::run(const QStringList& command)
{
    QStringList full = asServerUser(command);
    const QString program = full.takeFirst();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, full);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}
