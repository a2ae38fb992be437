#pragma once

#include "app/DatabaseCheck.h"
#include "model/store/Place.h"

#include <QByteArray>
#include <QString>

namespace store {
class Connection;
}

// The office database's whole schema check (it makes what is missing, and
// refuses another program's parts), then word of the catalog kept on this
// desk and on the server, when the check left it as it found it (digestBefore).
void checkServerSchema(store::Connection& connection, const QString& folder, const store::ServerAddress& server,
                       const QByteArray& digestBefore);

// What the check of an office database that holds every table of the
// program's is asked to do once the first window shows.
struct ServerCheckRequest {
    store::Place place;
    QString folder;
    QByteArray catalogDigest;
};

// The same check on a thread no window sees, on a session of its own that
// ends with it. A database the check refuses, or a server that fails it, is
// said as the start would have said it.
LaterCheck checkServerLater(const ServerCheckRequest& request);
