#pragma once

#include <QString>
#include <QStringList>

namespace store {

// Which kind of database a table's statements are written for: the agent's
// own file or the office's PostgreSQL server.
enum class Backend { File, Server };

// A table's CREATE: its hidden key column, then every column as text. On the
// file AUTOINCREMENT keeps a key from ever being handed out twice; on the
// server the key is an identity so that several agents saving at once never
// get the same number, and BY DEFAULT lets a copied file keep its keys.
QString createTableStatement(Backend backend, const QString& table, const QString& key, const QStringList& columns);

} // namespace store
