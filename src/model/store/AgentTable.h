#pragma once

#include "model/store/Place.h"

#include "model/store/PeopleTable.h"

namespace store {

// The Agent table; its list shows Company, " - ", Name per row, in key order.
PeopleTable agentTable(const Place& place);

// The table as the backend creates it.
QStringList agentCreateStatements(Backend backend);

} // namespace store
