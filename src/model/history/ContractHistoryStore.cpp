#include "model/history/ContractHistoryStore.h"

#include "model/history/RunText.h"
#include "model/store/Connection.h"
#include "model/store/PoliciesTable.h"

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
    QList<ListedContract> contracts;
    for (const QVariantList& values : store::policiesByDba(place, gridColumns(), dba)) {
        ListedContract contract;
        contract.cells.reserve(kGridColumns);
        for (int column = 0; column < kGridColumns; ++column) {
            const QString text = store::textOf(values.value(column));
            contract.cells << (column == kRunColumn ? runShownText(text) : text);
        }
        contract.run = store::textOf(values.value(kRunColumn));
        contract.id = values.value(kIdColumn).toLongLong();
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
