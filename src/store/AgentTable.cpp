#include "store/AgentTable.h"

#include "store/Connection.h"
#include "store/PoliciesColumns.h"

namespace store {

namespace {
const QString kSelectLines = QStringLiteral("SELECT RowKey, Company, Name FROM Agent ORDER BY RowKey");
}

QString agentLine(const QString& company, const QString& name)
{
    return company + QStringLiteral(" - ") + name;
}

QList<ListLine> agentLines(const QString& dbPath)
{
    Connection connection(dbPath);
    QSqlQuery query = connection.run(kSelectLines);
    QList<ListLine> lines;
    while (query.next())
        lines.append({query.value(0).toLongLong(),
                      agentLine(textOf(query.value(1)), textOf(query.value(2)))});
    return lines;
}

PeopleTable agentTable(const QString& dbPath)
{
    return PeopleTable(dbPath, QStringLiteral("Agent"), agentColumns());
}

AgentRecord agentRecord(const QStringList& values)
{
    AgentRecord r;
    QString* fields[] = {&r.Name, &r.Company, &r.Address1, &r.Address2, &r.City,
                         &r.State, &r.Zip, &r.Phone, &r.Fax};
    for (int i = 0; i < values.size() && i < 9; ++i)
        *fields[i] = values[i];
    return r;
}

QStringList agentValues(const AgentRecord& r)
{
    return {r.Name, r.Company, r.Address1, r.Address2, r.City, r.State, r.Zip, r.Phone, r.Fax};
}

} // namespace store
