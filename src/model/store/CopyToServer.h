#pragma once

#include "model/store/Place.h"

#include <QString>

namespace store {

// How many rows a copy brought over.
struct CopiedRows {
    qint64 agents = 0;
    qint64 customers = 0;
    qint64 contracts = 0;
};

// Copies the agents, customers and contracts of the database file into the
// office server's database, in their order and with their keys, so that
// contract IDs stay what the agents know them by. The server database must
// hold no rows of the program's yet (an empty database gets the schema);
// everything is copied in one transaction, so a failure leaves the server as
// it was. The file is only read. Throws StoreError.
CopiedRows copyToServer(const QString& filePath, const ServerAddress& server);

} // namespace store
