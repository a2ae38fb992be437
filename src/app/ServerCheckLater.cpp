#include "app/ServerCheckLater.h"

#include "model/store/Connection.h"
#include "model/store/ServerCatalog.h"
#include "model/store/ServerSchema.h"

void checkServerSchema(store::Connection& connection, const QString& folder, const store::ServerAddress& server,
                       const QByteArray& digestBefore)
{
    store::completeServerSchema(connection);
    // Vouched for only when nothing changed it while it was checked, the
    // check's own additions included: the next start checks those.
    const store::ServerStanding after = store::readServerStanding(connection);
    if (after.catalogDigest != digestBefore)
        return;
    store::vouchCatalog(folder, server, digestBefore);
    store::vouchCatalogOnServer(connection, after);
}

LaterCheck checkServerLater(const ServerCheckRequest& request)
{
    LaterCheck result;
    try {
        store::Connection connection(request.place);
        checkServerSchema(connection, request.folder, request.place.server, request.catalogDigest);
    } catch (const store::StoreError& error) {
        result.verdict = {DatabaseVerdict::Kind::Unusable, serverUnreachableMessage(request.place.server, error)};
    }
    store::closeThreadConnections();
    return result;
}
