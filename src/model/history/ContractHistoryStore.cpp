#include "model/history/ContractHistoryStore.h"

#include "model/history/RunText.h"
#include "model/store/Connection.h"
#include "model/store/PoliciesTable.h"

namespace history {

namespace {

// The grid's columns as listed, then the ID that names each line.
const QStringList& queriedColumns()
{
    static const QStringList columns = [] {
        QStringList names;
        for (const ListedColumn& column : kListedColumns)
            names << QString::fromLatin1(column.stored.data(), qsizetype(column.stored.size()));
        return names << QStringLiteral("ID");
    }();
    return columns;
}

constexpr int kShownColumns = int(kListedColumns.size());

} // namespace

const QString& listContractsSql()
{
    static const QString sql = store::policiesByDbaSql(queriedColumns());
    return sql;
}

QList<ListedContract> listContracts(const store::Place& place, const QString& dba)
{
    QList<ListedContract> contracts;
    for (const QVariantList& values : store::policiesByDba(place, queriedColumns(), dba)) {
        ListedContract contract;
        contract.cells.reserve(kShownColumns);
        for (int column = 0; column < kShownColumns; ++column) {
            const QString text = store::textOf(values.value(column));
            contract.cells << (column == kRunColumn ? runShownText(text) : text);
        }
        contract.run = store::textOf(values.value(kRunColumn));
        contract.id = values.value(kShownColumns).toLongLong();
        contracts << contract;
    }
    return contracts;
}

StoredContract readContract(const store::Place& place, const ChosenContract& chosen)
{
    StoredContract row = store::policyRow(place, chosen.id);
    return store::showsLine(row, chosen.line) ? row : StoredContract{};
}

std::optional<qint64> copyContract(const store::Place& place, const ChosenContract& chosen, const QDateTime& now,
                                   const QString& token, qint64 keysAbove)
{
    return store::copyPolicy(place, chosen.id, now, token, chosen.line, keysAbove);
}

std::optional<StoredContract> deleteContract(const store::Place& place, const ChosenContract& chosen)
{
    return store::deletePolicy(place, chosen.id, chosen.line);
}

bool putBackContract(const store::Place& place, const StoredContract& removed)
{
    return store::restorePolicy(place, removed);
}

} // namespace history
