#include "model/store/PoliciesTable.h"

#include "model/store/Connection.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/RowStatement.h"
#include "model/store/StoreError.h"
#include "model/store/WriteToken.h"

#include <QSqlRecord>

#include <algorithm>

namespace store {

namespace {

const QString kTable = QStringLiteral("Policies");
const QString kKey = QStringLiteral("ID");
const QString kDbaIndex = QStringLiteral("CREATE INDEX PoliciesByDBA ON Policies (DBA)");
const QString kReadSql = QStringLiteral("SELECT * FROM Policies WHERE ID = ?");
const QString kDeleteSql = QStringLiteral("DELETE FROM Policies WHERE ID = ?");

const QString kIdTakenSql = QStringLiteral("SELECT ID FROM Policies WHERE ID = ?");
// What the line shows, asked of the row in the same statement that acts on it.
const QString kShowsLine = QStringLiteral(" AND DBA = ? AND COALESCE(Run, '') = ?");

// The file's numbering: AUTOINCREMENT hands out one more than the table's entry here.
const QString kHasSequenceSql =
    QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'sqlite_sequence'");
const QString kRaiseSequenceSql = QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = 'Policies' AND seq < ?");
const QString kStartSequenceSql = QStringLiteral(
    "INSERT INTO sqlite_sequence (name, seq) SELECT 'Policies', ? "
    "WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = 'Policies')");
// The server's numbering: the identity's sequence, raised only under a lock
// that holds back every other desk's insert, so it never moves backwards.
const QString kServerLastKeySql = QStringLiteral(
    "SELECT COALESCE(pg_sequence_last_value(pg_get_serial_sequence('policies', 'id')::regclass), 0)");
const QString kServerLockSql = QStringLiteral("LOCK TABLE Policies IN SHARE ROW EXCLUSIVE MODE");
const QString kServerRaiseSql = QStringLiteral("SELECT setval(pg_get_serial_sequence('policies', 'id'), ?)");
const QString kServerNextKey = QStringLiteral("nextval(pg_get_serial_sequence('policies', 'id'))");
const QString kServerKeysAbove =
    QStringLiteral("COALESCE(pg_sequence_last_value(pg_get_serial_sequence('policies', 'id')::regclass), 0) >= ?");

const QString& copySql(bool shownLine)
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
    static const QString shown = sql + kShowsLine;
    return shownLine ? shown : sql;
}

// Makes the next ID handed out greater than keysAbove. After a restore the
// table's numbering starts again from the restored copy, while notes kept
// outside the database still name the IDs handed out since.
void raiseKeysAbove(Connection& connection, qint64 keysAbove)
{
    if (keysAbove <= 0)
        return;
    if (connection.backend() == Backend::File) {
        // A table made without AUTOINCREMENT has no entry to raise.
        if (!connection.run(kHasSequenceSql).next())
            return;
        connection.run(kRaiseSequenceSql, {keysAbove, keysAbove});
        connection.run(kStartSequenceSql, {keysAbove});
        return;
    }
    const auto lastKey = [&] {
        QSqlQuery query = connection.run(kServerLastKeySql);
        return query.next() ? query.value(0).toLongLong() : 0;
    };
    if (lastKey() >= keysAbove)
        return;
    connection.runUnprepared(kServerLockSql);
    if (lastKey() < keysAbove)
        connection.run(kServerRaiseSql, {keysAbove}).next();
}

PolicyRow readRow(Connection& connection, qint64 id)
{
    QSqlQuery query = connection.run(kReadSql, {id});
    PolicyRow row;
    if (!query.next())
        return row;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        row.insert(programColumnName(record.fieldName(i)), query.value(i));
    return row;
}

// A new contract on the office server in one statement, sent with its
// transaction's BEGIN: the token is claimed together with the ID the
// identity's sequence hands out, and the row is stored under that ID only
// when the claim went in. The new ID, or 0 when nothing was stored: a token
// stored before (by an earlier try, or another desk meanwhile) or a sequence
// still to be raised above keysAbove; the caller then goes the long way in
// the same transaction, where the claim tells a write done before.
qint64 appendInOneStatement(Connection& connection, const QStringList& columns, const QStringList& texts,
                            const QString& token, qint64 keysAbove)
{
    QStringList written{kKey}, sources{QStringLiteral("RowKey")};
    QList<QVariant> values{token, std::max<qint64>(keysAbove, 0)};
    for (qsizetype i = 0; i < columns.size() && i < texts.size(); ++i) {
        if (texts[i].isEmpty())
            continue;
        written << columns[i];
        sources << QStringLiteral("CAST(? AS TEXT)");
        values << texts[i];
    }
    const QString sql = QStringLiteral("WITH %1 INSERT INTO Policies (%2) SELECT %3 FROM Claimed RETURNING ID")
                            .arg(serverClaimWithKey(kServerNextKey, kServerKeysAbove),
                                 written.join(QStringLiteral(", ")), sources.join(QStringLiteral(", ")));
    QSqlQuery stored = runStatement(connection, {sql, values});
    return stored.next() ? stored.value(0).toLongLong() : 0;
}

} // namespace

void raiseContractIdsAbove(const Place& place, qint64 keysAbove)
{
    Connection connection(place);
    connection.transaction([&] { raiseKeysAbove(connection, keysAbove); });
}

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

qint64 appendPolicy(const Place& place, const QStringList& columns, const QStringList& texts, const QString& token,
                    qint64 keysAbove)
{
    for (qsizetype i = 0; i < columns.size() && i < texts.size(); ++i) {
        if (!texts[i].isEmpty() && !policiesColumns().contains(columns[i]))
            throw StoreError(-1, QStringLiteral("Unknown column '%1'.").arg(columns[i]));
    }
    const BoundStatement insert = insertStatement(kTable, columns, texts);
    qint64 id = 0;
    const bool fresh = writeOnceClaiming(place, token, [&](Connection& connection) {
        if (connection.backend() == Backend::Server && !token.isEmpty()) {
            id = appendInOneStatement(connection, columns, texts, token, keysAbove);
            if (id > 0)
                return true;
        }
        if (!token.isEmpty() && !claimToken(connection, token))
            return false;
        raiseKeysAbove(connection, keysAbove);
        id = insertRow(connection, insert, kKey);
        recordRowKey(connection, token, id);
        return true;
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

PolicyRow policyRow(const Place& place, qint64 id)
{
    Connection connection(place);
    return readRow(connection, id);
}

bool showsLine(const PolicyRow& row, const PolicyLine& line)
{
    return !row.isEmpty() && textOf(row.value(QStringLiteral("DBA"))) == line.dba &&
           textOf(row.value(QStringLiteral("Run"))) == line.run;
}

std::optional<qint64> copyPolicy(const Place& place, qint64 id, const QDateTime& run, const QString& token,
                                 const std::optional<PolicyLine>& line, qint64 keysAbove)
{
    BoundStatement copy{copySql(line.has_value()), {storedRun(run), id}};
    // An empty Run is bound as an empty text: a null one would bind NULL, which equals nothing.
    if (line)
        copy.values << line->dba << (line->run.isEmpty() ? QStringLiteral("") : line->run);
    std::optional<qint64> copyId = 0;
    writeOnce(place, token, [&](Connection& connection) {
        raiseKeysAbove(connection, keysAbove);
        const qint64 key = insertRow(connection, copy, kKey);
        copyId = key ? std::optional(key) : std::nullopt;
    });
    return copyId;
}

std::optional<PolicyRow> deletePolicy(const Place& place, qint64 id, const std::optional<PolicyLine>& line)
{
    Connection connection(place);
    std::optional<PolicyRow> removed;
    connection.transaction([&] {
        const PolicyRow row = readRow(connection, id);
        if (row.isEmpty() || (line && !showsLine(row, *line)))
            return;
        // Contracts are never changed in place, so the row read is the row removed.
        if (connection.run(kDeleteSql, {id}).numRowsAffected() == 1)
            removed = row;
    });
    return removed;
}

bool restorePolicy(const Place& place, const PolicyRow& row)
{
    const qint64 id = row.value(kKey).toLongLong();
    QStringList columns{kKey};
    QStringList marks{QStringLiteral("?")};
    BoundStatement insert{{}, {id}};
    for (const QString& column : policiesColumns()) {
        const QVariant value = row.value(column);
        columns << column;
        marks << QStringLiteral("?");
        insert.values << (value.isNull() ? nullIfEmpty(QString()) : value);
    }
    insert.sql = QStringLiteral("INSERT INTO Policies (%1) VALUES (%2)")
                     .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));

    Connection connection(place);
    bool restored = false;
    connection.transaction([&] {
        if (connection.run(kIdTakenSql, {id}).next())
            return;
        runStatement(connection, insert);
        restored = true;
    });
    return restored;
}

} // namespace store
