#pragma once

#include "model/store/Place.h"

#include "model/store/Backend.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace store {

// The Policies table: one row per saved contract, keyed by ID in the order
// contracts were saved. Every call opens its own connection; failures throw
// StoreError.

// The table and its index on DBA, as the backend creates them.
QStringList policiesCreateStatements(Backend backend);
// The index on DBA for an older file that lacks it.
const QString& policiesDbaIndexIfMissing();

// The program's own spelling of a Policies column the database reports: the
// server folds unquoted names to lower case, the file keeps them as created.
QString programColumnName(const QString& reported);

// A stored Policies row: column name -> value (NULL stays a null QVariant), ID included.
using PolicyRow = QHash<QString, QVariant>;

// What a listed line shows of its contract besides the ID. A write meant for
// that line is done only while the stored row still shows the same: a file
// copied over the database may hold another customer's contract under the ID.
struct PolicyLine {
    QString dba;
    // As stored; an empty text stands for NULL too, as both show alike.
    QString run;
};

// Appends a row in one transaction; columns with empty text stay NULL. A
// column the table does not have is refused before anything is written.
// The new ID is above keysAbove (the IDs known outside the database, such as
// those of kept notes), whatever the table's own numbering had come to.
// Returns the new row's ID, or 0 when the write token (store/WriteToken.h)
// shows the row was stored by an earlier try.
qint64 appendPolicy(const Place& place, const QStringList& columns, const QStringList& texts,
                    const QString& token = {}, qint64 keysAbove = 0);

// Makes the next ID the file or server hands out greater than keysAbove, in
// one transaction of its own.
void raiseContractIdsAbove(const Place& place, qint64 keysAbove);

// The statement that reads these columns of the rows whose DBA is exactly
// the bound value (letter case counts, NULL never matches), in ID order.
QString policiesByDbaSql(const QStringList& columns);
// Runs that statement; each row's values in the columns' order.
QList<QVariantList> policiesByDba(const Place& place, const QStringList& columns, const QString& dba);

// The row with this ID; empty when there is none.
PolicyRow policyRow(const Place& place, qint64 id);
// Whether a row read back still shows what the line shows.
bool showsLine(const PolicyRow& row, const PolicyLine& line);

// Adds a duplicate of the row with this ID (and, given a line, only while it
// shows that line), its Run replaced by run; every other column copied
// unchanged; its ID above keysAbove as in appendPolicy. Nothing when the row
// is gone or no longer shows the line, nothing being stored; otherwise the
// copy's ID, 0 when an earlier try with the same token stored the copy.
std::optional<qint64> copyPolicy(const Place& place, qint64 id, const QDateTime& run, const QString& token = {},
                                 const std::optional<PolicyLine>& line = std::nullopt, qint64 keysAbove = 0);

// Removes the row with this ID (and, given a line, only while it shows that
// line) and hands back the row as it was; nothing when no row was removed.
std::optional<PolicyRow> deletePolicy(const Place& place, qint64 id,
                                      const std::optional<PolicyLine>& line = std::nullopt);

// Puts a removed row back under its own ID with every column as it was, in one
// transaction. False, with nothing written, when a row has that ID now.
bool restorePolicy(const Place& place, const PolicyRow& row);

} // namespace store
