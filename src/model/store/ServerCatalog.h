#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

namespace store {

class Connection;
struct ServerAddress;

// The whole schema check of the office database asks the server two dozen
// questions, each a round trip, at every start. What a start needs to know
// first comes instead in one: whether the server is a standby, and a digest
// of every part of the catalog that check reads (the tables and their
// columns, types, defaults, keys and indexes; triggers with their functions'
// bodies; views, rules and row-level security; the functions of the schema),
// together with this program's own schema. A desk that found the catalog of
// a digest whole keeps a mark of it; a later start that finds the same digest
// has nothing new to check. Another program's table, trigger or column, a
// changed function, or a program that makes another schema gives another
// digest, and the whole check runs again. The digests desks found whole are
// also kept on the server itself, so that a desk new to the office (or to a
// release) takes the same shortcut as one that checked before.
struct ServerStanding {
    bool standby = false;
    QByteArray catalogDigest;
    // The digests some desk found whole, as the server keeps them.
    QByteArrayList vouchedOnServer;
    bool vouched() const { return vouchedOnServer.contains(catalogDigest); }
    // Every table the program makes is there, with every column of it: the
    // start may read what the window shows before the whole check has run.
    bool holdsMadeTables = false;
};

ServerStanding readServerStanding(Connection& connection);

// The mark of the catalog this desk last found whole on the server of this
// address, kept in the folder given (the user's data folder). A mark that
// cannot be written only costs the next start its shortcut.
bool catalogVouched(const QString& folder, const ServerAddress& address, const QByteArray& digest);
void vouchCatalog(const QString& folder, const ServerAddress& address, const QByteArray& digest);

// Keeps the standing's digest on the server, beside a few earlier ones, for
// every desk. Only a catalog found whole, and unchanged since it was read, is
// vouched for; a login that may not write it leaves it as it was.
void vouchCatalogOnServer(Connection& connection, const ServerStanding& standing);

} // namespace store
