#include "store/CustomerTable.h"

#include "store/Connection.h"
#include "store/PoliciesColumns.h"

namespace store {

namespace {
const QString kSelectLines = QStringLiteral("SELECT RowKey, DBA, Name FROM Customer ORDER BY RowKey");
const QString kRepairDba = QStringLiteral("UPDATE Customer SET DBA = ? WHERE RowKey = ?");
} // namespace

QList<ListLine> customerLines(const QString& dbPath)
{
    Connection connection(dbPath);
    QSqlQuery query = connection.run(kSelectLines);
    QList<ListLine> lines;
    QList<qsizetype> repaired;
    while (query.next()) {
        QString dba = textOf(query.value(1));
        if (dba.isEmpty()) {
            dba = textOf(query.value(2));
            if (!dba.isEmpty())
                repaired.append(lines.size());
        }
        lines.append({query.value(0).toLongLong(), dba});
    }
    query.finish();

    // Reading first and writing only what needs it keeps an ordinary start
    // from writing to the file at all.
    if (!repaired.isEmpty()) {
        connection.transaction([&] {
            QSqlQuery update = connection.prepare(kRepairDba);
            for (const qsizetype index : repaired) {
                update.bindValue(0, lines[index].text);
                update.bindValue(1, lines[index].key);
                connection.exec(update);
            }
        });
    }
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
