#include "store/CustomerTable.h"

#include "store/Connection.h"
#include "store/PoliciesColumns.h"

namespace store {

namespace {
const QString kSelectLines = QStringLiteral("SELECT RowKey, DBA FROM Customer ORDER BY RowKey");
// Rows that the fill gives their Name as DBA. Looking for them first keeps an
// ordinary fill to a single read that never writes to the file.
const QString kSelectMissingDba = QStringLiteral(
    "SELECT RowKey, Name FROM Customer WHERE (DBA IS NULL OR DBA = '') AND Name <> '' ORDER BY RowKey");
const QString kRepairDba = QStringLiteral("UPDATE Customer SET DBA = ? WHERE RowKey = ?");
} // namespace

QList<ListLine> customerLines(const QString& dbPath)
{
    Connection connection(dbPath);
    QList<ListLine> repairs;
    {
        QSqlQuery missing = connection.run(kSelectMissingDba);
        while (missing.next())
            repairs.append({missing.value(0).toLongLong(), missing.value(1).toString()});
    }
    if (!repairs.isEmpty()) {
        connection.transaction([&] {
            QSqlQuery update = connection.prepare(kRepairDba);
            for (const ListLine& repair : repairs) {
                update.bindValue(0, repair.text);
                update.bindValue(1, repair.key);
                connection.exec(update);
            }
        });
    }

    QSqlQuery query = connection.run(kSelectLines);
    QList<ListLine> lines;
    while (query.next())
        lines.append({query.value(0).toLongLong(), textOf(query.value(1))});
    return lines;
}

PeopleTable customerTable(const QString& dbPath)
{
    return PeopleTable(dbPath, QStringLiteral("Customer"), customerColumns());
}

CustomerRecord customerRecord(const QStringList& values)
{
    CustomerRecord r;
    QString* fields[] = {&r.Name, &r.DBA, &r.Address1, &r.Address2, &r.City,
                         &r.State, &r.Zip, &r.Phone, &r.Fax};
    for (int i = 0; i < values.size() && i < 9; ++i)
        *fields[i] = values[i];
    return r;
}

QStringList customerValues(const CustomerRecord& r)
{
    return {r.Name, r.DBA, r.Address1, r.Address2, r.City, r.State, r.Zip, r.Phone, r.Fax};
}

} // namespace store
