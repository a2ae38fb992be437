#include "model/store/AgentTable.h"

#include "model/store/PoliciesColumns.h"

namespace store {

PeopleTable agentTable(const Place& place)
{
    // A missing Company leaves the line starting with the blank, a missing Name ends it after the dash.
    return PeopleTable(place, QStringLiteral("Agent"), agentColumns(),
                       QStringLiteral("coalesce(Company, '') || ' - ' || coalesce(Name, '')"), QStringLiteral("Name"));
}

QStringList agentCreateStatements(Backend backend)
{
    return {createPeopleTable(backend, QStringLiteral("Agent"), agentColumns())};
}

} // namespace store
