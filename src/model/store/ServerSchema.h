#pragma once

namespace store {

class Connection;

// The office database on a PostgreSQL server holds the same tables and
// columns as the file; the server hands out the keys, and the schema version
// lives in a one-row table since the server has no user_version.
//
// Gives an open server database without the program's tables the whole
// schema, and one made by an older program the columns it lacks, each in one
// transaction; a complete database is left alone, and one holding another
// program's tables is refused. Throws StoreError with the server's own text.
void completeServerSchema(Connection& connection);

// What a start owes a database whose schema it found whole without the
// check above (store/ServerCatalog.h), once its window shows: write tokens
// past their age are dropped and plain pending lines folded.
void serverUpkeep(Connection& connection);

// True when the open server database has the Agent, Customer and Policies tables.
bool serverHasSchema(Connection& connection);

} // namespace store
