#pragma once

#include "model/store/Backend.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace store {

class Connection;

// The schema version kept in PRAGMA user_version.
constexpr int kSchemaVersion = 1;

// Creates an empty database file at path with the Agent, Customer and Policies
// tables. The file must not exist yet. Throws StoreError.
void createDatabase(const QString& path);

// What a file's tables are to the program.
enum class SchemaState {
    NoTables,       // an empty database (a 0-byte file, say): it can get the whole schema
    Complete,       // the three tables with every column the program uses
    MissingColumns, // the three tables, some columns missing (an older file)
    Foreign,        // another program's database: a table or its key is missing,
                    // or something in it would change what the program stores
};

struct SchemaInspection {
    SchemaState state = SchemaState::Complete;
    // "Policies.PolicyNo1", for each column the program uses and the file lacks.
    QStringList missingColumns;
    // What makes the tables another program's, in plain sentences, when known.
    QStringList foreignParts;
};

// Every CREATE the program runs to make its whole schema, in order.
QStringList schemaStatements(Backend backend);

// What a new file is given, as a short digest: a file vouched for by a program
// that gave it anything else is not taken as ready by this one.
const QByteArray& fileSchemaDigest();

// The program's three tables: name, hidden key and columns, in the order
// they are created.
struct TableDesign {
    QString name;
    QString key;
    const QStringList& columns;
};
const QList<TableDesign>& tableDesigns();

// Reads the tables and columns of an open database; writes nothing.
SchemaInspection inspectSchema(Connection& connection);

// Adds each missing column ("Policies.Tax") as text, NULL in every row;
// runs inside the caller's transaction.
void addMissingColumns(Connection& connection, const QStringList& missingColumns);

// Gives a file without tables the whole schema, and a file of the program's that
// lacks columns those columns (NULL in every row, no value changed) with the
// schema version raised, each in one transaction. A complete or foreign file is
// left as it is. Returns what the file was before.
SchemaState completeSchema(const QString& path);

} // namespace store
