#pragma once

#include "model/store/PeopleTable.h"

namespace people {

class KeyedList;

// Brings a list up to date with its table, the way each fill must leave it:
// every row's line in key order, the last one selected and in view. After the
// program's own write, when nothing else touched the table since the last fill,
// only that line changes; when nothing at all changed, the lines stay; anything
// else, including changes by other programs, reads the list again.
// Store failures throw StoreError.
void refill(KeyedList& list, const store::PeopleTable& table, const store::RowChange* ownWrite = nullptr);

} // namespace people
