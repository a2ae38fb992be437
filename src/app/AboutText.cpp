#include "app/AboutText.h"

#include "model/session/Session.h"
#include "model/store/Connection.h"
#include "model/store/ServerRole.h"
#include "model/store/SessionSecurity.h"
#include "model/store/StoreError.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Whether what travels between this desk and the office server can be read on
// the way, and which of the named servers the desk is on and whether it takes
// changes: asked of the server each time, as the session may have been made
// again, with another server after a failover.
QString connectionLine(const Session& session)
{
    try {
        store::Connection connection(session.database());
        const QString protocol = store::tlsProtocol(connection);
        const QString role = store::serverIsStandby(connection)
                                 ? QStringLiteral("a standby, accepts no changes at the moment")
                                 : QStringLiteral("the primary");
        return (protocol.isEmpty() ? QStringLiteral("\nConnection: not encrypted")
                                   : QStringLiteral("\nConnection: encrypted (%1)").arg(protocol)) +
               QStringLiteral("\nServer: %1 (%2)").arg(store::serverInUse(connection), role);
    } catch (const store::StoreError& error) {
        return QStringLiteral("\nConnection: not known (%1)").arg(error.message());
    }
}

} // namespace

QString aboutText(const Session& session)
{
    // Shown in the desktop's own form, so the user can find the files.
    const QString settings = QFileInfo::exists(session.IniPath)
                                 ? QDir::toNativeSeparators(session.IniPath)
                                 : QDir::toNativeSeparators(session.IniPath) +
                                       QStringLiteral(" (not there; defaults in use)");
    const QString database = session.Server.namesServer() ? session.Server.displayName()
                                                          : QDir::toNativeSeparators(session.DBPath);
    const QString connection = session.Server.namesServer() ? connectionLine(session) : QString();
    return QStringLiteral("QUILLON\nVersion %1\n\nDatabase: %2%3\nSettings file: %4")
        .arg(session.Version, database, connection, settings);
}
