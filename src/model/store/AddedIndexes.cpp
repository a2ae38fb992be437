#include "model/store/AddedIndexes.h"

#include "model/store/AgentTable.h"
#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"

namespace store {

namespace {

struct AddedIndex {
    QString name;
    QString statement;
};

AddedIndex initialIndex(const PeopleTable& table)
{
    const QString name = table.table() + QStringLiteral("ByInitial");
    return {name, QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3, RowKey)")
                      .arg(name, table.table(), table.initialExpression())};
}

QList<AddedIndex> addedIndexes()
{
    return {{QStringLiteral("PoliciesByRun"), QStringLiteral("CREATE INDEX IF NOT EXISTS PoliciesByRun ON Policies (Run)")},
            initialIndex(agentTable(Place())), initialIndex(customerTable(Place()))};
}

} // namespace

QStringList addedIndexStatements()
{
    QStringList statements;
    for (const AddedIndex& index : addedIndexes())
        statements << index.statement;
    return statements;
}

void ensureAddedIndexes(Connection& connection)
{
    const QList<AddedIndex> indexes = addedIndexes();
    if (connection.backend() == Backend::Server) {
        QStringList names;
        for (const AddedIndex& index : indexes)
            names << index.name.toLower();
        QSqlQuery kept = connection.run(
            QStringLiteral("SELECT count(*) FROM pg_indexes WHERE schemaname = current_schema() "
                           "AND indexname = ANY (string_to_array(?, ','))"),
            {names.join(QLatin1Char(','))});
        if (kept.next() && kept.value(0).toInt() == indexes.size())
            return;
    }
    for (const AddedIndex& index : indexes)
        connection.runUnprepared(index.statement);
}

} // namespace store
