#include "store/FoldedLines.h"

#include "store/AgentTable.h"
#include "store/Connection.h"
#include "store/CustomerTable.h"
#include "store/FoldedText.h"
#include "store/PeopleTable.h"
#include "store/StoreError.h"

#include <QElapsedTimer>

#include <limits>

namespace store {

namespace {

// Pending rows folded in one transaction, and how long a search spends
// folding before it searches the rest as they stand.
constexpr qsizetype kFoldBatch = 2000;
constexpr qint64 kFoldBudgetMs = 100;
// Kept lines asked for at a time: the index may offer a line that holds the
// three-letter pieces but not the text itself, so each is compared.
constexpr int kCandidates = 64;
// Keys whose plain lines the store folds in one transaction.
constexpr RowKey kPlainSpan = 50000;

const QString kPendingTable = QStringLiteral("FoldPending");

QString keptTable(const PeopleTable& table)
{
    return table.table() + QStringLiteral("Folded");
}

QStringList peopleTables()
{
    return {QStringLiteral("Agent"), QStringLiteral("Customer")};
}

QString pendingTrigger(const QString& table, const QString& event, const QStringList& rows)
{
    QString body;
    for (const QString& row : rows)
        body += QStringLiteral("INSERT OR IGNORE INTO FoldPending (TableName, RowKey) VALUES ('%1', %2.RowKey); ")
                    .arg(table, row);
    return QStringLiteral("CREATE TRIGGER %1%2Folded AFTER %3 ON %1 BEGIN %4END")
        .arg(table, event.at(0) + event.mid(1).toLower(), event, body);
}

QStringList pendingTriggers(const QString& table)
{
    return {pendingTrigger(table, QStringLiteral("INSERT"), {QStringLiteral("NEW")}),
            pendingTrigger(table, QStringLiteral("UPDATE"), {QStringLiteral("OLD"), QStringLiteral("NEW")}),
            pendingTrigger(table, QStringLiteral("DELETE"), {QStringLiteral("OLD")})};
}

// The index's query for lines holding every three letters in a row of the
// folded text, each as a string of its own.
QString pieceQuery(const QString& needle)
{
    const QList<uint> points = needle.toUcs4();
    QStringList pieces;
    for (qsizetype i = 0; i + 3 <= points.size(); ++i) {
        const QString piece = QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData() + i), 3);
        const QString quoted = QLatin1Char('"') + QString(piece).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                               QLatin1Char('"');
        if (!pieces.contains(quoted))
            pieces << quoted;
    }
    return pieces.join(QStringLiteral(" AND "));
}

struct Searched {
    const PeopleTable& table;
    Connection& connection;
    QString needle;
};

// The first row from `from` up to `before` still pending, whose line as it
// stands now holds the needle.
std::optional<RowKey> firstPending(const Searched& s, RowKey from, RowKey before)
{
    QSqlQuery rows = s.connection.run(
        QStringLiteral("SELECT p.RowKey, %1 FROM FoldPending p JOIN %2 t ON t.RowKey = p.RowKey "
                       "WHERE p.TableName = ? AND p.RowKey >= ? AND p.RowKey < ? ORDER BY p.RowKey")
            .arg(s.table.lineExpression(), s.table.table()),
        {s.table.table(), from, before});
    while (rows.next())
        if (foldForSearch(rows.value(1).toString()).contains(s.needle))
            return rows.value(0).toLongLong();
    return std::nullopt;
}

// The first kept line from `from` up to `before` that holds the needle and
// belongs to no pending row; through the index for three letters or more,
// line by line in key order for fewer.
std::optional<RowKey> firstKept(const Searched& s, RowKey from, RowKey before)
{
    const QString pieces = pieceQuery(s.needle);
    const QString match = pieces.isEmpty() ? QString() : QStringLiteral("%1 MATCH ? AND ").arg(keptTable(s.table));
    const QString sql =
        QStringLiteral("SELECT rowid, Line FROM %1 WHERE %2rowid >= ? AND rowid < ? AND rowid NOT IN "
                       "(SELECT RowKey FROM FoldPending WHERE TableName = ?) ORDER BY rowid LIMIT %3")
            .arg(keptTable(s.table), match)
            .arg(pieces.isEmpty() ? 4096 : kCandidates);
    for (RowKey next = from; next < before;) {
        QSqlQuery rows = pieces.isEmpty() ? s.connection.run(sql, {next, before, s.table.table()})
                                          : s.connection.run(sql, {pieces, next, before, s.table.table()});
        bool any = false;
        while (rows.next()) {
            any = true;
            next = rows.value(0).toLongLong() + 1;
            if (rows.value(1).toString().contains(s.needle))
                return rows.value(0).toLongLong();
        }
        if (!any)
            break;
    }
    return std::nullopt;
}

std::optional<RowKey> firstBetween(const Searched& s, RowKey from, RowKey before)
{
    const std::optional<RowKey> pending = firstPending(s, from, before);
    // A kept line before the first pending one that matches is the first of all.
    const std::optional<RowKey> kept = firstKept(s, from, pending ? *pending : before);
    return kept ? kept : pending;
}

// Every row of the table, searched as it stands: for a file without kept lines.
std::optional<RowKey> firstReadBetween(const PeopleTable& table, const QString& needle, RowKey from, RowKey before)
{
    for (RowKey next = from; next < before;) {
        const ListLines lines = table.readLinesBetween(next, before - 1, 4096);
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (foldForSearch(lines.text(i)).contains(needle))
                return lines.key(i);
        if (lines.size() < 4096)
            break;
        next = lines.key(lines.size() - 1) + 1;
    }
    return std::nullopt;
}

} // namespace

QStringList foldedLinesStatements()
{
    QStringList statements;
    for (const QString& table : peopleTables())
        statements << QStringLiteral("CREATE VIRTUAL TABLE %1Folded USING fts5(Line, tokenize = 'trigram', "
                                     "detail = 'none')")
                          .arg(table);
    statements << QStringLiteral("CREATE TABLE FoldPending (TableName TEXT NOT NULL, RowKey INTEGER NOT NULL, "
                                 "PRIMARY KEY (TableName, RowKey)) WITHOUT ROWID");
    for (const QString& table : peopleTables())
        statements << pendingTriggers(table);
    return statements;
}

bool keepsFoldedLines(Connection& connection)
{
    return connection.backend() == Backend::File && hasTable(connection, kPendingTable);
}

void ensureFoldedLines(Connection& connection)
{
    if (connection.backend() != Backend::File)
        return;
    if (!keepsFoldedLines(connection)) {
        connection.transaction([&] {
            for (const QString& statement : foldedLinesStatements())
                connection.execute(statement);
            for (const QString& table : peopleTables())
                connection.execute(
                    QStringLiteral("INSERT INTO FoldPending (TableName, RowKey) SELECT '%1', RowKey FROM %1").arg(table));
        });
    }
    // Plain printable ASCII folds as SQLite's lower() does, so such pending
    // lines are folded here by the store itself, a span of keys per
    // transaction so that no write waits long; the others wait for a search.
    for (const PeopleTable& table : {agentTable(Place()), customerTable(Place())}) {
        QSqlQuery span = connection.run(QStringLiteral("SELECT min(RowKey), max(RowKey) FROM FoldPending WHERE TableName = ?"),
                                        {table.table()});
        if (!span.next() || span.value(0).isNull())
            continue;
        const RowKey lowest = span.value(0).toLongLong(), highest = span.value(1).toLongLong();
        const QString plain = QStringLiteral("%1 NOT GLOB '*[^ -~]*'").arg(table.lineExpression());
        const QString pending = QStringLiteral("SELECT RowKey FROM FoldPending WHERE TableName = '%1' AND RowKey >= ? "
                                               "AND RowKey < ?").arg(table.table());
        for (RowKey from = lowest; from <= highest; from += kPlainSpan) {
            connection.transaction([&] {
                const QVariant to = from + kPlainSpan;
                connection.run(QStringLiteral("DELETE FROM %1 WHERE rowid IN (%2)").arg(keptTable(table), pending), {from, to});
                connection.run(QStringLiteral("INSERT INTO %1 (rowid, Line) SELECT RowKey, lower(%2) FROM %3 "
                                              "WHERE RowKey IN (%4) AND %5")
                                   .arg(keptTable(table), table.lineExpression(), table.table(), pending, plain),
                               {from, to});
                connection.run(QStringLiteral("DELETE FROM FoldPending WHERE TableName = '%1' AND RowKey >= ? AND RowKey < ? "
                                              "AND RowKey NOT IN (SELECT RowKey FROM %1 WHERE RowKey >= ? AND RowKey < ? "
                                              "AND NOT (%2))").arg(table.table(), plain),
                               {from, to, from, to});
            });
        }
    }
}

bool foldPendingLines(Connection& connection, const PeopleTable& table, qsizetype limit)
{
    qsizetype folded = 0;
    connection.transaction([&] {
        QSqlQuery rows = connection.run(
            QStringLiteral("SELECT p.RowKey, t.RowKey IS NOT NULL, %1 FROM FoldPending p LEFT JOIN %2 t "
                           "ON t.RowKey = p.RowKey WHERE p.TableName = ? ORDER BY p.RowKey LIMIT ?")
                .arg(table.lineExpression(), table.table()),
            {table.table(), limit});
        QSqlQuery forget = connection.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(keptTable(table)));
        QSqlQuery keep = connection.prepare(QStringLiteral("INSERT INTO %1 (rowid, Line) VALUES (?, ?)").arg(keptTable(table)));
        QSqlQuery done = connection.prepare(QStringLiteral("DELETE FROM FoldPending WHERE TableName = ? AND RowKey = ?"));
        while (rows.next()) {
            const RowKey key = rows.value(0).toLongLong();
            forget.bindValue(0, key);
            connection.exec(forget);
            if (rows.value(1).toBool()) {
                keep.bindValue(0, key);
                keep.bindValue(1, foldForSearch(rows.value(2).toString()));
                connection.exec(keep);
            }
            done.bindValue(0, table.table());
            done.bindValue(1, key);
            connection.exec(done);
            ++folded;
        }
    });
    return folded < limit;
}

std::optional<RowKey> nextLineContaining(const PeopleTable& table, const QString& text, std::optional<RowKey> after,
                                         bool writes)
{
    const QString needle = foldForSearch(text);
    if (needle.isEmpty())
        return std::nullopt;
    constexpr RowKey first = std::numeric_limits<RowKey>::min(), last = std::numeric_limits<RowKey>::max();
    const RowKey from = after ? *after + 1 : first;
    Connection connection(table.place());
    if (!keepsFoldedLines(connection)) {
        std::optional<RowKey> found = firstReadBetween(table, needle, from, last);
        return found || !after ? found : firstReadBetween(table, needle, first, from);
    }
    if (writes) {
        // Folding is only a head start: rows it leaves are searched as they stand.
        QElapsedTimer spent;
        spent.start();
        try {
            while (!foldPendingLines(connection, table, kFoldBatch) && spent.elapsed() < kFoldBudgetMs) {
            }
        } catch (const StoreError&) {
        }
    }
    const Searched searched{table, connection, needle};
    std::optional<RowKey> found = firstBetween(searched, from, last);
    return found || !after ? found : firstBetween(searched, first, from);
}

} // namespace store
