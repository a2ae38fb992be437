#include "support/ThrowawayServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString binary(const QString& name)
{
    const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return versions.isEmpty() ? name
                              : QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(versions.last(), name);
}

bool asRoot() { return geteuid() == 0; }

// A port of 127.0.0.1 nothing listens on: the system hands one out.
int freeTcpPort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (probe >= 0 && ::bind(probe, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (probe >= 0)
        ::close(probe);
    return port;
}

} // namespace

ThrowawayServer::ThrowawayServer()
{
    start({QStringLiteral("-c"), QStringLiteral("listen_addresses=")});
}

ThrowawayServer::ThrowawayServer(const Tcp& tcp)
{
    m_port = freeTcpPort();
    QStringList options{QStringLiteral("-c"), QStringLiteral("listen_addresses=127.0.0.1")};
    if (!tcp.certificate.isEmpty()) {
        if (!installForServer(tcp.certificate, QStringLiteral("server.crt")) ||
            !installForServer(tcp.key, QStringLiteral("server.key")))
            return;
        options << QStringLiteral("-c") << QStringLiteral("ssl=on") << QStringLiteral("-c")
                << QStringLiteral("ssl_cert_file=%1").arg(m_dir.filePath(QStringLiteral("server.crt")))
                << QStringLiteral("-c")
                << QStringLiteral("ssl_key_file=%1").arg(m_dir.filePath(QStringLiteral("server.key")));
    }
    start(options);
}

// The key must belong to the server's user and be closed to everyone else.
bool ThrowawayServer::installForServer(const QString& from, const QString& name)
{
    const QString to = m_dir.filePath(name);
    if (!QFile::copy(from, to) || !QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner)) {
        m_error = QStringLiteral("cannot copy %1").arg(from);
        return false;
    }
    return !asRoot() || run({QStringLiteral("chown"), QStringLiteral("postgres"), to});
}

void ThrowawayServer::start(const QStringList& options)
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
    QStringList serverOptions{QStringLiteral("-k"), m_dir.path(), QStringLiteral("-p"), QString::number(m_port),
                              QStringLiteral("-c"), QStringLiteral("log_error_verbosity=terse")};
    serverOptions << options;
    m_started = run({binary(QStringLiteral("pg_ctl")), QStringLiteral("-D"), data, QStringLiteral("-w"),
                     QStringLiteral("-l"), logFile(), QStringLiteral("-o"), serverOptions.join(QLatin1Char(' ')),
                     QStringLiteral("start")});
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
