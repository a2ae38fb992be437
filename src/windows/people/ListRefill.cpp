#include "windows/people/ListRefill.h"

#include "windows/people/KeyedList.h"

namespace people {

void refill(KeyedList& list, const store::PeopleTable& table, const store::RowChange* ownWrite)
{
    if (ownWrite && list.follow(*ownWrite))
        return;
    if (const auto shown = list.changes(); shown && table.changeCount() == shown) {
        list.selectLast();
        return;
    }
    list.fill(table);
}

} // namespace people
