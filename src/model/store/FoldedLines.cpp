#include "model/store/FoldedLines.h"

#include "model/store/AgentTable.h"
#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"
#include "model/store/FoldedText.h"
#include "model/store/PeopleTable.h"
#include "model/store/RowStatement.h"
#include "model/store/StoreError.h"

#include <QElapsedTimer>
#include <QHash>

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
// Lines read at a time where no index helps: a text of one or two letters, or a file without kept lines.
constexpr int kLinesAtATime = 4096;
// Keys whose plain lines the store folds in one transaction.
constexpr RowKey kPlainSpan = 50000;

const QString kPendingTable = QStringLiteral("FoldPending");

QString keptTable(const PeopleTable& table)
{
    return table.table() + QStringLiteral("Folded");
}

bool onServer(Connection& connection)
{
    return connection.backend() == Backend::Server;
}

// The kept lines' key: the file's FTS table numbers its rows itself.
QString keptKey(Connection& connection)
{
    return onServer(connection) ? QStringLiteral("RowKey") : QStringLiteral("rowid");
}

// Any number of the program's own, held while a server database gets the kept lines.
constexpr qint64 kFoldedLock = 0x466f6c646564; // "Folded"

const QString kServerPendingFunction = QStringLiteral(
    "CREATE FUNCTION NoteFoldPending() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
    "IF TG_OP <> 'INSERT' THEN INSERT INTO FoldPending (TableName, RowKey) VALUES (TG_ARGV[0], OLD.RowKey) "
    "ON CONFLICT DO NOTHING; END IF; "
    "IF TG_OP <> 'DELETE' THEN INSERT INTO FoldPending (TableName, RowKey) VALUES (TG_ARGV[0], NEW.RowKey) "
    "ON CONFLICT DO NOTHING; END IF; RETURN NULL; END $$");

// A row's kept name is found again by its key when the row changes.
const QString kFoldedNamesByRow = QStringLiteral("CREATE INDEX FoldedNamesByRow ON FoldedNames (TableName, RowKey)");

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

// The file's index query for lines holding every three letters in a row of
// the folded text, each as a string of its own.
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
    // The server's trigram index serves LIKE; the file's serves MATCH.
    const QString pieces =
        onServer(s.connection) ? QLatin1Char('%') + likeLiteral(s.needle) + QLatin1Char('%') : pieceQuery(s.needle);
    const QString match = pieces.isEmpty()          ? QString()
                          : onServer(s.connection) ? QStringLiteral("Line LIKE ? ESCAPE '\\' AND ")
                                                   : QStringLiteral("%1 MATCH ? AND ").arg(keptTable(s.table));
    const QString key = keptKey(s.connection);
    const QString sql =
        QStringLiteral("SELECT %4, Line FROM %1 WHERE %2%4 >= ? AND %4 < ? AND %4 NOT IN "
                       "(SELECT RowKey FROM FoldPending WHERE TableName = ?) ORDER BY %4 LIMIT %3")
            .arg(keptTable(s.table), match)
            .arg(pieces.isEmpty() ? kLinesAtATime : kCandidates)
            .arg(key);
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
        const ListLines lines = table.readLinesBetween(next, before - 1, kLinesAtATime);
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (foldForSearch(lines.text(i)).contains(needle))
                return lines.key(i);
        if (lines.size() < kLinesAtATime)
            break;
        next = lines.key(lines.size() - 1) + 1;
    }
    return std::nullopt;
}

} // namespace

QStringList foldedLinesStatements(Backend backend)
{
    QStringList statements;
    if (backend == Backend::Server) {
        for (const QString& table : peopleTables())
            statements << QStringLiteral("CREATE TABLE %1Folded (RowKey BIGINT PRIMARY KEY, Line TEXT NOT NULL)").arg(table);
        statements << QStringLiteral("CREATE TABLE FoldPending (TableName TEXT NOT NULL, RowKey BIGINT NOT NULL, "
                                     "PRIMARY KEY (TableName, RowKey))")
                   << QStringLiteral("CREATE TABLE FoldedNames (TableName TEXT NOT NULL, NameKey TEXT NOT NULL, "
                                     "RowKey BIGINT NOT NULL, PRIMARY KEY (TableName, NameKey, RowKey))")
                   << kFoldedNamesByRow << kServerPendingFunction;
        for (const QString& table : peopleTables())
            statements << QStringLiteral("CREATE TRIGGER %1FoldPending AFTER INSERT OR UPDATE OR DELETE ON %1 "
                                         "FOR EACH ROW EXECUTE FUNCTION NoteFoldPending('%1')")
                              .arg(table);
        return statements;
    }
    for (const QString& table : peopleTables())
        statements << QStringLiteral("CREATE VIRTUAL TABLE %1Folded USING fts5(Line, tokenize = 'trigram', "
                                     "detail = 'none')")
                          .arg(table);
    statements << QStringLiteral("CREATE TABLE FoldPending (TableName TEXT NOT NULL, RowKey INTEGER NOT NULL, "
                                 "PRIMARY KEY (TableName, RowKey)) WITHOUT ROWID")
               << QStringLiteral("CREATE TABLE FoldedNames (TableName TEXT NOT NULL, NameKey TEXT NOT NULL, "
                                 "RowKey INTEGER NOT NULL, PRIMARY KEY (TableName, NameKey, RowKey)) WITHOUT ROWID")
               << kFoldedNamesByRow;
    for (const QString& table : peopleTables())
        statements << pendingTriggers(table);
    return statements;
}

bool keepsFoldedLines(Connection& connection)
{
    return hasTable(connection, kPendingTable);
}

void addServerTrigramIndexes(Connection& connection)
{
    try {
        connection.runUnprepared(QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm"));
    } catch (const StoreError&) {
        return;
    }
    for (const QString& table : peopleTables())
        connection.runUnprepared(QStringLiteral("CREATE INDEX IF NOT EXISTS %1FoldedTrigrams ON %1Folded "
                                          "USING gin (Line gin_trgm_ops)")
                               .arg(table));
}

void ensureFoldedLines(Connection& connection)
{
    if (!keepsFoldedLines(connection)) {
        connection.transaction([&] {
            if (onServer(connection)) {
                // Two desks adding them at once: the second waits and finds what the first made.
                connection.run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kFoldedLock});
                if (keepsFoldedLines(connection))
                    return;
            }
            for (const QString& statement : foldedLinesStatements(connection.backend()))
                connection.runUnprepared(statement);
            for (const QString& table : peopleTables())
                connection.runUnprepared(
                    QStringLiteral("INSERT INTO FoldPending (TableName, RowKey) SELECT '%1', RowKey FROM %1").arg(table));
        });
        if (onServer(connection))
            addServerTrigramIndexes(connection);
    }
    foldPlainPendingLines(connection);
}

void foldPlainPendingLines(Connection& connection)
{
    // Plain printable ASCII folds as SQLite's lower() does, so such pending
    // lines are folded here by the store itself, a span of keys per
    // transaction so that no write waits long; the others wait for a search.
    // Both tables' spans in one statement: a start on the office server asks once.
    QHash<QString, std::pair<RowKey, RowKey>> spans;
    QSqlQuery span = connection.run(
        QStringLiteral("SELECT TableName, min(RowKey), max(RowKey) FROM FoldPending GROUP BY TableName"));
    while (span.next())
        spans.insert(span.value(0).toString(), {span.value(1).toLongLong(), span.value(2).toLongLong()});
    for (const PeopleTable& table : {agentTable(Place()), customerTable(Place())}) {
        if (!spans.contains(table.table()))
            continue;
        const auto [lowest, highest] = spans.value(table.table());
        const QString plain = onServer(connection) ? QStringLiteral("%1 !~ '[^ -~]'").arg(table.lineExpression())
                                                   : QStringLiteral("%1 NOT GLOB '*[^ -~]*'").arg(table.lineExpression());
        const QString pending = QStringLiteral("SELECT RowKey FROM FoldPending WHERE TableName = '%1' AND RowKey >= ? "
                                               "AND RowKey < ?").arg(table.table());
        for (RowKey from = lowest; from <= highest; from += kPlainSpan) {
            connection.transaction([&] {
                // Desks starting at once fold one after the other.
                if (onServer(connection))
                    connection.run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kFoldedLock});
                const QVariant to = from + kPlainSpan;
                connection.run(QStringLiteral("DELETE FROM %1 WHERE %3 IN (%2)").arg(keptTable(table), pending, keptKey(connection)),
                               {from, to});
                connection.run(QStringLiteral("DELETE FROM FoldedNames WHERE TableName = '%1' AND RowKey IN (%2)")
                                   .arg(table.table(), pending),
                               {from, to});
                // A plain name's key: lower case, its blanks (the only ones plain text has) dropped.
                connection.run(QStringLiteral("INSERT INTO FoldedNames (TableName, NameKey, RowKey) SELECT '%1', "
                                              "lower(replace(%2, ' ', '')), RowKey FROM %1 WHERE RowKey IN (%3) AND %4 "
                                              "AND replace(%2, ' ', '') <> ''")
                                   .arg(table.table(), table.nameColumn(), pending, plain),
                               {from, to});
                connection.run(QStringLiteral("INSERT INTO %1 (%6, Line) SELECT RowKey, lower(%2) FROM %3 "
                                              "WHERE RowKey IN (%4) AND %5")
                                   .arg(keptTable(table), table.lineExpression(), table.table(), pending, plain,
                                        keptKey(connection)),
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
            QStringLiteral("SELECT p.RowKey, t.RowKey IS NOT NULL, %1, t.%3 FROM FoldPending p LEFT JOIN %2 t "
                           "ON t.RowKey = p.RowKey WHERE p.TableName = ? ORDER BY p.RowKey LIMIT ?")
                .arg(table.lineExpression(), table.table(), table.nameColumn()),
            {table.table(), limit});
        QSqlQuery forgetName =
            connection.prepare(QStringLiteral("DELETE FROM FoldedNames WHERE TableName = ? AND RowKey = ?"));
        QSqlQuery keepName =
            connection.prepare(QStringLiteral("INSERT INTO FoldedNames (TableName, NameKey, RowKey) VALUES (?, ?, ?)%1")
                                   .arg(onServer(connection) ? QStringLiteral(" ON CONFLICT DO NOTHING") : QString()));
        QSqlQuery forget = connection.prepare(
            QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(keptTable(table), keptKey(connection)));
        QSqlQuery keep = connection.prepare(
            QStringLiteral("INSERT INTO %1 (%2, Line) VALUES (?, ?)%3")
                .arg(keptTable(table), keptKey(connection),
                     // Another desk may have folded the same row a moment before.
                     onServer(connection) ? QStringLiteral(" ON CONFLICT (RowKey) DO UPDATE SET Line = EXCLUDED.Line")
                                          : QString()));
        QSqlQuery done = connection.prepare(QStringLiteral("DELETE FROM FoldPending WHERE TableName = ? AND RowKey = ?"));
        while (rows.next()) {
            const RowKey key = rows.value(0).toLongLong();
            forget.bindValue(0, key);
            connection.run(forget);
            forgetName.bindValue(0, table.table());
            forgetName.bindValue(1, key);
            connection.run(forgetName);
            if (rows.value(1).toBool()) {
                keep.bindValue(0, key);
                keep.bindValue(1, foldForSearch(rows.value(2).toString()));
                connection.run(keep);
                if (const QString name = nameKey(rows.value(3).toString()); !name.isEmpty()) {
                    keepName.bindValue(0, table.table());
                    keepName.bindValue(1, name);
                    keepName.bindValue(2, key);
                    connection.run(keepName);
                }
            }
            done.bindValue(0, table.table());
            done.bindValue(1, key);
            connection.run(done);
            ++folded;
        }
    });
    return folded < limit;
}

namespace {

// Folding is only a head start: rows it leaves are searched as they stand.
// Nothing pending, nothing is written: a search takes no write lock then.
void foldWithinBudget(Connection& connection, const PeopleTable& table)
{
    if (!connection.run(QStringLiteral("SELECT 1 FROM FoldPending WHERE TableName = ? LIMIT 1"), {table.table()}).next())
        return;
    QElapsedTimer spent;
    spent.start();
    try {
        while (!foldPendingLines(connection, table, kFoldBatch) && spent.elapsed() < kFoldBudgetMs) {
        }
    } catch (const StoreError&) {
    }
}

} // namespace

std::optional<RowKey> firstRowNamed(const PeopleTable& table, const QString& key, std::optional<RowKey> except)
{
    Connection connection(table.place());
    const RowKey skipped = except.value_or(std::numeric_limits<RowKey>::min());
    std::optional<RowKey> found;
    const auto earlier = [&](RowKey candidate) {
        if (candidate != skipped && (!found || candidate < *found))
            found = candidate;
    };
    const QString pendingRows = QStringLiteral("SELECT p.RowKey, t.%1 FROM FoldPending p JOIN %2 t ON t.RowKey = p.RowKey "
                                               "WHERE p.TableName = ? ORDER BY p.RowKey")
                                    .arg(table.nameColumn(), table.table());
    if (!keepsFoldedLines(connection)) {
        QSqlQuery rows = connection.run(QStringLiteral("SELECT RowKey, %1 FROM %2 WHERE %1 IS NOT NULL ORDER BY RowKey")
                                            .arg(table.nameColumn(), table.table()));
        while (!found && rows.next())
            if (nameKey(rows.value(1).toString()) == key)
                earlier(rows.value(0).toLongLong());
        return found;
    }
    QSqlQuery kept = connection.run(
        QStringLiteral("SELECT RowKey FROM FoldedNames WHERE TableName = ? AND NameKey = ? AND RowKey <> ? AND RowKey NOT IN "
                       "(SELECT RowKey FROM FoldPending WHERE TableName = ?) ORDER BY RowKey LIMIT 1"),
        {table.table(), key, skipped, table.table()});
    if (kept.next())
        earlier(kept.value(0).toLongLong());
    QSqlQuery pending = connection.run(pendingRows, {table.table()});
    while (pending.next())
        if (nameKey(pending.value(1).toString()) == key)
            earlier(pending.value(0).toLongLong());
    return found;
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
    if (writes)
        foldWithinBudget(connection, table);
    const Searched searched{table, connection, needle};
    std::optional<RowKey> found = firstBetween(searched, from, last);
    return found || !after ? found : firstBetween(searched, first, from);
}

} // namespace store
