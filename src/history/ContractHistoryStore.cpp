#include "history/ContractHistoryStore.h"

#include "history/RunText.h"
#include "store/Connection.h"
#include "store/PoliciesColumns.h"

#include <QSqlRecord>

namespace history {

const QString& listContractsSql()
{
    // The index on DBA serves both the filter and the ID order (an index entry
    // ends with the row's ID), so a customer's list costs the same with a
    // million stored contracts as with a hundred. The default BINARY comparison
    // makes letter case count.
    static const QString sql = QStringLiteral("SELECT %1 FROM Policies WHERE DBA = ? ORDER BY ID")
                                   .arg(gridColumns().join(QStringLiteral(", ")));
    return sql;
}

namespace {

const QString kReadSql = QStringLiteral("SELECT * FROM Policies WHERE ID = ?");
const QString kDeleteSql = QStringLiteral("DELETE FROM Policies WHERE ID = ?");

const QString& copySql()
{
    // One statement copies the row inside the store: the new row gets the next
    // ID, Run is replaced by the bound time, every other column is taken as is.
    static const QString sql = [] {
        const QStringList& columns = store::policiesColumns();
        QStringList sources;
        for (const QString& column : columns)
            sources << (column == QStringLiteral("Run") ? QStringLiteral("?") : column);
        return QStringLiteral("INSERT INTO Policies (%1) SELECT %2 FROM Policies WHERE ID = ?")
            .arg(columns.join(QStringLiteral(", ")), sources.join(QStringLiteral(", ")));
    }();
    return sql;
}

} // namespace

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

QList<ListedContract> listContracts(const QString& dbPath, const QString& dba)
{
    static const int runColumn = gridColumns().indexOf(QStringLiteral("Run"));
    store::Connection connection(dbPath);
    QSqlQuery query = connection.run(listContractsSql(), {dba});
    QList<ListedContract> contracts;
    while (query.next()) {
        ListedContract contract;
        contract.cells.reserve(kGridColumns);
        for (int column = 0; column < kGridColumns; ++column) {
            const QString text = store::textOf(query.value(column));
            contract.cells << (column == runColumn ? runShownText(text) : text);
        }
        contract.id = query.value(kIdColumn).toLongLong();
        contracts << contract;
    }
    return contracts;
}

StoredContract readContract(const QString& dbPath, qint64 id)
{
    store::Connection connection(dbPath);
    QSqlQuery query = connection.run(kReadSql, {id});
    StoredContract contract;
    if (!query.next())
        return contract;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        contract.insert(record.fieldName(i), query.value(i));
    return contract;
}

qint64 copyContract(const QString& dbPath, qint64 id, const QDateTime& now)
{
    store::Connection connection(dbPath);
    qint64 copyId = 0;
    connection.transaction([&] {
        QSqlQuery insert = connection.run(copySql(), {store::storedRun(now), id});
        if (insert.numRowsAffected() == 1)
            copyId = insert.lastInsertId().toLongLong();
    });
    return copyId;
}

void deleteContract(const QString& dbPath, qint64 id)
{
    store::Connection connection(dbPath);
    connection.transaction([&] { connection.run(kDeleteSql, {id}); });
}

} // namespace history
