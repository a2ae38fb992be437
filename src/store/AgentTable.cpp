#include "store/AgentTable.h"

#include "store/PoliciesColumns.h"

namespace store {

QList<ListLine> agentLines(const QString& dbPath)
{
    // Company, " - ", Name: a missing Company leaves the line starting with the blank,
    // a missing Name ends it after the dash.
    return agentTable(dbPath).lines(
        QStringLiteral("ifnull(Company, '') || ' - ' || ifnull(Name, '')"));
}

PeopleTable agentTable(const QString& dbPath)
{
    return PeopleTable(dbPath, QStringLiteral("Agent"), agentColumns());
}

} // namespace store
