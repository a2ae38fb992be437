#include "contract/ContractStore.h"

#include "store/Connection.h"
#include "store/PoliciesColumns.h"
#include "store/StoreError.h"

#include <QSqlQuery>
#include <QStringList>

namespace {

const QString kInsert = QStringLiteral("INSERT INTO Policies (%1) VALUES (%2)");
const QString kInsertEmpty = QStringLiteral("INSERT INTO Policies DEFAULT VALUES");

} // namespace

std::int64_t appendContract(const QString& dbPath, const PoliciesRow& row)
{
    // Column names come from the table's own list, never from typed text; the values are bound.
    QStringList names;
    QList<QString> values;
    for (const auto& [column, text] : row.columns()) {
        if (text.isEmpty())
            continue;
        if (!store::policiesColumns().contains(column))
            throw store::StoreError(-1, QStringLiteral("Unknown column '%1'.").arg(column));
        names << column;
        values << text;
    }

    store::Connection connection(dbPath);
    std::int64_t id = 0;
    connection.transaction([&] {
        QSqlQuery insert;
        if (names.isEmpty()) {
            insert = connection.prepare(kInsertEmpty);
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            insert = connection.prepare(
                kInsert.arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
            for (qsizetype i = 0; i < values.size(); ++i)
                insert.bindValue(int(i), values[i]);
        }
        connection.exec(insert);
        id = insert.lastInsertId().toLongLong();
    });
    return id;
}
