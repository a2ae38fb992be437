#include "model/store/CustomerTable.h"

#include "model/store/Connection.h"
#include "model/store/ListChanges.h"
#include "model/store/ListRows.h"
#include "model/store/PoliciesColumns.h"

namespace store {

namespace {
// Both statements are served by the index of rows without a DBA, so an
// ordinary fill reads a few index pages and never writes to the file.
const QString kAnyMissingDba = QStringLiteral(
    "SELECT RowKey FROM Customer WHERE (DBA IS NULL OR DBA = '') AND Name <> '' LIMIT 1");
const QString kRepairDba = QStringLiteral(
    "UPDATE Customer SET DBA = Name WHERE (DBA IS NULL OR DBA = '') AND Name <> ''");
} // namespace

PeopleTable customerTable(const Place& place)
{
    return PeopleTable(place, QStringLiteral("Customer"), customerColumns(), QStringLiteral("coalesce(DBA, '')"),
                       QStringLiteral("DBA"));
}

QStringList customerCreateStatements(Backend backend)
{
    return {createPeopleTable(backend, QStringLiteral("Customer"), customerColumns())};
}

bool giveMissingDbaTheName(const Place& place)
{
    Connection connection(place);
    if (!connection.run(kAnyMissingDba).next())
        return false;
    connection.transaction([&] {
        const QSqlQuery repaired = connection.run(kRepairDba);
        followRowCount(connection, QStringLiteral("Customer"), 0, repaired.numRowsAffected(),
                       changeCount(connection, QStringLiteral("Customer")));
    });
    return true;
}

} // namespace store
