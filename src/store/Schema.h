#pragma once

#include <QString>

namespace store {

class Connection;

// The schema version kept in PRAGMA user_version.
constexpr int kSchemaVersion = 1;

// Creates an empty database file at path with the Agent, Customer and Policies
// tables. The file must not exist yet. Throws StoreError.
void createDatabase(const QString& path);

// Gives a file that holds no tables at all (a 0-byte file, say) the whole schema,
// in one transaction. A file that already has tables is left as it is.
void ensureSchema(const QString& path);

} // namespace store
