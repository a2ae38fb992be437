#include "store/CustomerTable.h"

#include "store/Connection.h"
#include "store/PoliciesColumns.h"

namespace store {

namespace {
// Rows that the fill gives their Name as DBA. Looking for them first keeps an
// ordinary fill to reads that never write to the file.
const QString kSelectMissingDba = QStringLiteral(
    "SELECT RowKey, Name FROM Customer WHERE (DBA IS NULL OR DBA = '') AND Name <> '' ORDER BY RowKey");
const QString kRepairDba = QStringLiteral("UPDATE Customer SET DBA = ? WHERE RowKey = ?");

void giveMissingDbaTheName(const QString& dbPath)
{
    Connection connection(dbPath);
    QList<ListLine> repairs;
    {
        QSqlQuery missing = connection.run(kSelectMissingDba);
        while (missing.next())
            repairs.append({missing.value(0).toLongLong(), missing.value(1).toString()});
    }
    if (repairs.isEmpty())
        return;
    connection.transaction([&] {
        QSqlQuery update = connection.prepare(kRepairDba);
        for (const ListLine& repair : repairs) {
            update.bindValue(0, repair.text);
            update.bindValue(1, repair.key);
            connection.exec(update);
        }
    });
}
} // namespace

QList<ListLine> customerLines(const QString& dbPath)
{
    giveMissingDbaTheName(dbPath);
    return customerTable(dbPath).lines(QStringLiteral("ifnull(DBA, '')"));
}

PeopleTable customerTable(const QString& dbPath)
{
    return PeopleTable(dbPath, QStringLiteral("Customer"), customerColumns());
}

} // namespace store
