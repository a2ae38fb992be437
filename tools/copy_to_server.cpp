// Copies an existing database file (agents, customers, contracts) into an empty
// database on the office's PostgreSQL server, in one transaction.

#include "model/settings/ServerSettings.h"
#include "model/store/CopyToServer.h"
#include "model/store/StoreError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

// The server comes from the settings file's [server] section, and options
// given on the command line take precedence over it.
store::ServerAddress serverFrom(const QCommandLineParser& parser)
{
    store::ServerAddress server;
    if (parser.isSet(QStringLiteral("settings")))
        server = readServerSettings(parser.value(QStringLiteral("settings")));
    if (parser.isSet(QStringLiteral("host")))
        server.host = parser.value(QStringLiteral("host"));
    if (parser.isSet(QStringLiteral("service")))
        server.service = parser.value(QStringLiteral("service"));
    if (parser.isSet(QStringLiteral("port")))
        server.port = parser.value(QStringLiteral("port"));
    if (parser.isSet(QStringLiteral("dbname")))
        server.dbname = parser.value(QStringLiteral("dbname"));
    if (parser.isSet(QStringLiteral("user")))
        server.user = parser.value(QStringLiteral("user"));
    return server;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillon-copy-to-server"));
    QTextStream out(stdout), err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Copies a QUILLON database file into an empty database on the office's PostgreSQL server.\n"
        "The password comes from ~/.pgpass (or PGPASSFILE) or a service entry, never from the command line."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The database file, e.g. project.mdb."));
    parser.addOptions({
        {QStringLiteral("settings"), QStringLiteral("Take the server from the [server] section of this tly2.ini."),
         QStringLiteral("tly2.ini")},
        {QStringLiteral("host"), QStringLiteral("The server's host name or socket folder; several between commas."), QStringLiteral("host")},
        {QStringLiteral("service"), QStringLiteral("A service name from pg_service.conf."), QStringLiteral("name")},
        {QStringLiteral("port"), QStringLiteral("The server's port (5432), or one for each host."), QStringLiteral("port")},
        {QStringLiteral("dbname"), QStringLiteral("The database on the server."), QStringLiteral("name")},
        {QStringLiteral("user"), QStringLiteral("The login on the server."), QStringLiteral("user")},
    });
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        err << "Give the database file to copy; --help says more.\n";
        return 2;
    }
    const store::ServerAddress server = serverFrom(parser);
    if (!server.namesServer()) {
        err << "Name the server with --host, --service or --settings.\n";
        return 2;
    }

    try {
        const store::CopiedRows copied = store::copyToServer(parser.positionalArguments().first(), server);
        out << "Copied " << copied.agents << " agents, " << copied.customers << " customers and "
            << copied.contracts << " contracts to " << server.displayName() << ".\n";
        return 0;
    } catch (const store::StoreError& error) {
        err << "Nothing was copied to " << server.displayName() << ": " << error.message() << '\n';
        return 1;
    }
}
