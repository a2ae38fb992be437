#pragma once

#include "store/Place.h"

#include "store/Backend.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

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

// Appends a row in one transaction; columns with empty text stay NULL. A
// column the table does not have is refused before anything is written.
// Returns the new row's ID, or 0 when the write token (store/WriteToken.h)
// shows the row was stored by an earlier try.
qint64 appendPolicy(const Place& place, const QStringList& columns, const QStringList& texts,
                    const QString& token = {});

// The statement that reads these columns of the rows whose DBA is exactly
// the bound value (letter case counts, NULL never matches), in ID order.
QString policiesByDbaSql(const QStringList& columns);
// Runs that statement; each row's values in the columns' order.
QList<QVariantList> policiesByDba(const Place& place, const QStringList& columns, const QString& dba);

// The row with this ID, column name -> value (NULL stays a null QVariant);
// empty when there is none.
QHash<QString, QVariant> policyRow(const Place& place, qint64 id);

// Adds a duplicate of the row with this ID, its Run replaced by run; every
// other column copied unchanged. Returns the copy's ID, 0 when the row is
// gone or an earlier try with the same token stored the copy.
qint64 copyPolicy(const Place& place, qint64 id, const QDateTime& run, const QString& token = {});

// Removes the row with this ID; a missing row is not an error.
void deletePolicy(const Place& place, qint64 id);

} // namespace store
