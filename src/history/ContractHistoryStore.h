#pragma once

#include "store/Place.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace history {

// One saved contract as shown in the previous-contracts grid: the texts of the
// eleven cells, left to right, the last one being the contract's ID.
struct ListedContract {
    qint64 id = 0;
    QStringList cells;
};

// One saved contract as read back: column name -> stored value. A NULL column
// stays a null QVariant, so callers can tell "never written" from any text.
using StoredContract = QHash<QString, QVariant>;

// Number of grid columns and the index of the one carrying the ID.
constexpr int kGridColumns = 11;
constexpr int kIdColumn = 10;

// The Policies columns shown in the grid's cells, left to right.
const QStringList& gridColumns();

// The statement that lists a customer's contracts (one bound value, the DBA).
const QString& listContractsSql();

// The contracts whose DBA is exactly dba (letter case counts, NULL never
// matches), in ID order, which is the order they were saved in.
QList<ListedContract> listContracts(const store::Place& place, const QString& dba);

// The row with this ID; empty when there is none.
StoredContract readContract(const store::Place& place, qint64 id);

// Adds a duplicate of the row with this ID, dated now; every other column is
// copied unchanged, NULLs included. Returns the copy's ID, or 0 when the row
// is gone and nothing was added.
qint64 copyContract(const store::Place& place, qint64 id, const QDateTime& now, const QString& token = {});

// Removes the row with this ID; a missing row is not an error.
void deleteContract(const store::Place& place, qint64 id);

} // namespace history
