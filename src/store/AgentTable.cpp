#include "store/AgentTable.h"

#include "store/PoliciesColumns.h"

namespace store {

QString agentLine(const QString& company, const QString& name)
{
    return company + QStringLiteral(" - ") + name;
}

QList<ListLine> agentLines(const QString& dbPath)
{
    return agentTable(dbPath).lines({QStringLiteral("Company"), QStringLiteral("Name")},
                                    [](const QStringList& values) { return agentLine(values[0], values[1]); });
}

PeopleTable agentTable(const QString& dbPath)
{
    return PeopleTable(dbPath, QStringLiteral("Agent"), agentColumns());
}

} // namespace store
