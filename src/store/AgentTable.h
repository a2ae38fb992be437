#pragma once

#include "store/PeopleTable.h"

namespace store {

// One line per Agent row, in key order: Company, " - ", Name.
QList<ListLine> agentLines(const QString& dbPath);

PeopleTable agentTable(const QString& dbPath);

} // namespace store
