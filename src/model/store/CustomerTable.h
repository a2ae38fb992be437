#pragma once

#include "model/store/Place.h"

#include "model/store/PeopleTable.h"

namespace store {

// The Customer table; its list shows each row's DBA, in key order. A row with
// neither DBA nor Name shows an empty line, so line n still shows row n.
PeopleTable customerTable(const Place& place);

// The table as the backend creates it.
QStringList customerCreateStatements(Backend backend);

// Gives every row without a DBA its Name as DBA, stored at once, all in one
// transaction, as the customer list requires before it is filled. True when
// any row was repaired.
bool giveMissingDbaTheName(const Place& place);

} // namespace store
