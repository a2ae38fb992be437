#pragma once

#include "store/PeopleTable.h"

namespace store {

// One line per Customer row, in key order: its DBA. A row without a DBA first
// gets its Name as DBA, stored at once (all such rows in one transaction).
// A row with neither shows an empty line, so line n still shows row n.
QList<ListLine> customerLines(const QString& dbPath);

PeopleTable customerTable(const QString& dbPath);

} // namespace store
