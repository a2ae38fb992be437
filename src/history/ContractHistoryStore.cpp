#include "history/ContractHistoryStore.h"

#include "history/RunText.h"
#include "store/Connection.h"
#include "store/PoliciesTable.h"

namespace history {

const QString& listContractsSql()
{
    static const QString sql = store::policiesByDbaSql(gridColumns());
    return sql;
}

const QStringList& gridColumns()
{
    static const QStringList columns{
        QStringLiteral("Company"),        QStringLiteral("Agent"),
        QStringLiteral("Run"),            QStringLiteral("Financed"),
        QStringLiteral("FinCharge"),      QStringLiteral("Payments"),
        QStringLiteral("APR"),            QStringLiteral("InstallmentNum"),
        QStringLiteral("InstallmentAmt"), QStringLiteral("LoanAuthorization"),
        QStringLiteral("ID")};
    return columns;
}

QList<ListedContract> listContracts(const store::Place& place, const QString& dba)
{
    static const int runColumn = gridColumns().indexOf(QStringLiteral("Run"));
    QList<ListedContract> contracts;
    for (const QVariantList& values : store::policiesByDba(place, gridColumns(), dba)) {
        ListedContract contract;
        contract.cells.reserve(kGridColumns);
        for (int column = 0; column < kGridColumns; ++column) {
            const QString text = store::textOf(values.value(column));
            contract.cells << (column == runColumn ? runShownText(text) : text);
        }
        contract.id = values.value(kIdColumn).toLongLong();
        contracts << contract;
    }
    return contracts;
}

StoredContract readContract(const store::Place& place, qint64 id)
{
    return store::policyRow(place, id);
}

qint64 copyContract(const store::Place& place, qint64 id, const QDateTime& now, const QString& token)
{
    return store::copyPolicy(place, id, now, token);
}

void deleteContract(const store::Place& place, qint64 id)
{
    store::deletePolicy(place, id);
}

} // namespace history
