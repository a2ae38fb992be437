#include "store/PoliciesTable.h"

#include "store/Connection.h"
#include "store/PoliciesColumns.h"
#include "store/RowStatement.h"
#include "store/StoreError.h"
#include "store/WriteToken.h"

#include <QSqlRecord>

namespace store {

namespace {

const QString kTable = QStringLiteral("Policies");
const QString kKey = QStringLiteral("ID");
const QString kDbaIndex = QStringLiteral("CREATE INDEX PoliciesByDBA ON Policies (DBA)");
const QString kReadSql = QStringLiteral("SELECT * FROM Policies WHERE ID = ?");
const QString kDeleteSql = QStringLiteral("DELETE FROM Policies WHERE ID = ?");

const QString& copySql()
{
    // One statement copies the row inside the store: the new row gets the next
    // ID, Run is replaced by the bound time, every other column is taken as is.
    static const QString sql = [] {
        const QStringList& columns = policiesColumns();
        QStringList sources;
        for (const QString& column : columns)
            sources << (column == QStringLiteral("Run") ? QStringLiteral("?") : column);
        return QStringLiteral("INSERT INTO Policies (%1) SELECT %2 FROM Policies WHERE ID = ?")
            .arg(columns.join(QStringLiteral(", ")), sources.join(QStringLiteral(", ")));
    }();
    return sql;
}

} // namespace

QString programColumnName(const QString& reported)
{
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> byFolded{{kKey.toLower(), kKey}};
        for (const QString& column : policiesColumns())
            byFolded.insert(column.toLower(), column);
        return byFolded;
    }();
    return names.value(reported.toLower(), reported);
}

QStringList policiesCreateStatements(Backend backend)
{
    // The index on DBA serves both a customer's filter and the ID order (an
    // index entry ends with the row's key), so a customer's list costs the
    // same with a million stored contracts as with a hundred.
    return {createTableStatement(backend, kTable, kKey, policiesColumns()), kDbaIndex};
}

const QString& policiesDbaIndexIfMissing()
{
    static const QString sql = QStringLiteral("CREATE INDEX IF NOT EXISTS PoliciesByDBA ON Policies (DBA)");
    return sql;
}

qint64 appendPolicy(const Place& place, const QStringList& columns, const QStringList& texts, const QString& token)
{
    for (qsizetype i = 0; i < columns.size() && i < texts.size(); ++i) {
        if (!texts[i].isEmpty() && !policiesColumns().contains(columns[i]))
            throw StoreError(-1, QStringLiteral("Unknown column '%1'.").arg(columns[i]));
    }
    const BoundStatement insert = insertStatement(kTable, columns, texts);
    qint64 id = 0;
    const bool fresh = writeOnce(place, token, [&](Connection& connection) {
        id = insertRow(connection, insert, kKey);
        recordRowKey(connection, token, id);
    });
    // Stored by an earlier try whose reply was lost: its key was kept with the token.
    return fresh ? id : rowKeyStoredWith(place, token);
}

QString policiesByDbaSql(const QStringList& columns)
{
    // The default comparison makes letter case count.
    return QStringLiteral("SELECT %1 FROM Policies WHERE DBA = ? ORDER BY ID").arg(columns.join(QStringLiteral(", ")));
}

QList<QVariantList> policiesByDba(const Place& place, const QStringList& columns, const QString& dba)
{
    Connection connection(place);
    QSqlQuery query = connection.run(policiesByDbaSql(columns), {dba});
    QList<QVariantList> rows;
    while (query.next()) {
        QVariantList values;
        values.reserve(columns.size());
        for (int column = 0; column < columns.size(); ++column)
            values << query.value(column);
        rows << values;
    }
    return rows;
}

QHash<QString, QVariant> policyRow(const Place& place, qint64 id)
{
    Connection connection(place);
    QSqlQuery query = connection.run(kReadSql, {id});
    QHash<QString, QVariant> row;
    if (!query.next())
        return row;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        row.insert(programColumnName(record.fieldName(i)), query.value(i));
    return row;
}

qint64 copyPolicy(const Place& place, qint64 id, const QDateTime& run, const QString& token)
{
    qint64 copyId = 0;
    writeOnce(place, token, [&](Connection& connection) {
        copyId = insertRow(connection, {copySql(), {storedRun(run), id}}, kKey);
    });
    return copyId;
}

void deletePolicy(const Place& place, qint64 id)
{
    Connection connection(place);
    connection.transaction([&] { connection.run(kDeleteSql, {id}); });
}

} // namespace store
