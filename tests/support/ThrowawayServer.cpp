#include "support/ThrowawayServer.h"

#include <QDir>
#include <QFile>
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
    m_started = run({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"), data, QStringLiteral("-w"),
                     QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log")), QStringLiteral("-o"),
                     QStringLiteral("-k %1 -c listen_addresses=").arg(m_dir.path()), QStringLiteral("start")});
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
                            QStringLiteral("-U"), user(), dbname}))
        return {};
    return address(dbname);
}

bool ThrowawayServer::restart()
{
    return m_started
        && run({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
                QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-l"),
                m_dir.filePath(QStringLiteral("log")), QStringLiteral("-o"),
                QStringLiteral("-k %1 -c listen_addresses=").arg(m_dir.path()), QStringLiteral("restart")});
}

qint64 ThrowawayServer::postmasterPid() const
{
    QFile file(m_dir.filePath(QStringLiteral("data/postmaster.pid")));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readLine().trimmed().toLongLong();
}

bool ThrowawayServer::run(const QStringList& command)
{
    QStringList full = command;
    if (asRoot() && command.first() != QStringLiteral("chown"))
        full = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + command;
    const QString program = full.size() > command.size() ? QStringLiteral("runuser") : full.takeFirst();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, full);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}
