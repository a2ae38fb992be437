#include "store/AgentTable.h"

#include "store/PoliciesColumns.h"

namespace store {

PeopleTable agentTable(const QString& dbPath)
{
    // A missing Company leaves the line starting with the blank, a missing Name ends it after the dash.
    return PeopleTable(dbPath, QStringLiteral("Agent"), agentColumns(),
                       QStringLiteral("ifnull(Company, '') || ' - ' || ifnull(Name, '')"));
}

QStringList agentCreateStatements(Backend backend)
{
    return {createPeopleTable(backend, QStringLiteral("Agent"), agentColumns())};
}

} // namespace store
