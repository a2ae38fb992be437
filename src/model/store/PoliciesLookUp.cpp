#include "model/store/PoliciesLookUp.h"

#include "model/store/Connection.h"

#include <QSqlQuery>

#include <algorithm>
#include <limits>

namespace store {

namespace {

// Rows read per statement while walking the table: the first statement reads
// few, so a walk that finds what it wants at once (a common start of a name)
// reads no more; each next one four times as many, up to a size at which the
// statements cost little beside the reading.
constexpr int kFirstWalkBatch = 250;
constexpr int kWalkBatch = 4000;

const QString kPositionSql = QStringLiteral("SELECT count(*) FROM Policies WHERE DBA = ? AND ID <= ?");

QVariantList rowValues(const QSqlQuery& query, int count)
{
    QVariantList values;
    values.reserve(count);
    for (int i = 0; i < count; ++i)
        values << query.value(i);
    return values;
}

} // namespace

RunBounds runBounds(const QDate& from, const QDate& to)
{
    const QString format = QStringLiteral("yyyy-MM-dd");
    return {from.toString(format), to.addDays(1).toString(format)};
}

QList<QVariantList> policiesPrintedWithin(const Place& place, const QStringList& columns, const QDate& from,
                                          const QDate& to, int limit)
{
    const QString sql = QStringLiteral("SELECT %1 FROM Policies WHERE Run >= ? AND Run < ? ORDER BY Run DESC, ID DESC "
                                       "LIMIT ?")
                            .arg(columns.join(QStringLiteral(", ")));
    const RunBounds bounds = runBounds(from, to);
    Connection connection(place);
    QSqlQuery query = connection.run(sql, {bounds.first, bounds.last, limit});
    QList<QVariantList> rows;
    while (query.next())
        rows << rowValues(query, int(columns.size()));
    return rows;
}

void walkPoliciesNewestFirst(const Place& place, const QStringList& columns,
                             const std::function<bool(const QVariantList&)>& take)
{
    const QString sql = QStringLiteral("SELECT %1, ID FROM Policies WHERE ID < ? ORDER BY ID DESC LIMIT ?")
                            .arg(columns.join(QStringLiteral(", ")));
    const int count = int(columns.size()) + 1;
    Connection connection(place);
    qint64 below = std::numeric_limits<qint64>::max();
    for (int batch = kFirstWalkBatch;; batch = std::min(batch * 4, kWalkBatch)) {
        QSqlQuery query = connection.run(sql, {below, batch});
        int read = 0;
        while (query.next()) {
            ++read;
            const QVariantList values = rowValues(query, count);
            below = values.last().toLongLong();
            if (take(values))
                return;
        }
        if (read < batch)
            return;
    }
}

QList<QVariantList> policiesWithIds(const Place& place, const QStringList& columns, const QList<qint64>& ids)
{
    if (ids.isEmpty())
        return {};
    Connection connection(place);
    QSqlQuery query = connection.prepare(QStringLiteral("SELECT %1, ID FROM Policies WHERE ID IN (%2)")
                                             .arg(columns.join(QStringLiteral(", ")),
                                                  QStringList(ids.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
    for (int i = 0; i < ids.size(); ++i)
        query.bindValue(i, ids[i]);
    connection.run(query);
    QHash<qint64, QVariantList> byId;
    const int count = int(columns.size()) + 1;
    while (query.next()) {
        QVariantList values = rowValues(query, count);
        byId.insert(values.last().toLongLong(), values);
    }
    QList<QVariantList> rows;
    for (const qint64 id : ids)
        if (byId.contains(id))
            rows << byId.value(id);
    return rows;
}

int policyPositionForDba(const Place& place, const QString& dba, qint64 id)
{
    Connection connection(place);
    QSqlQuery query = connection.run(kPositionSql, {dba, id});
    return query.next() ? query.value(0).toInt() : 0;
}

} // namespace store
