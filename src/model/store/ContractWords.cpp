#include "model/store/ContractWords.h"

#include "model/store/Connection.h"
#include "model/store/FoldedText.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/StoreError.h"

#include <QElapsedTimer>

#include <sqlite3.h>

#include <algorithm>

namespace store {

namespace {

constexpr int kCatchUpBatch = 5000;
// Any number of the program's own, held while a server database's index is made.
constexpr qint64 kWordsLock = 0x576f726473; // "Words"

const QString kFileTables[] = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS ContractWords (Word TEXT NOT NULL, ID INTEGER NOT NULL, "
                   "PRIMARY KEY (Word, ID)) WITHOUT ROWID"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS ContractWordsUpTo (UpTo INTEGER NOT NULL)")};
// Byte order, as on the file, so a prefix is one range of the key.
const QString kServerTables[] = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS ContractWords (Word TEXT COLLATE \"C\" NOT NULL, ID BIGINT NOT NULL, "
                   "PRIMARY KEY (Word, ID))"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS ContractWordsUpTo (UpTo BIGINT NOT NULL)")};

const QStringList& wordColumns()
{
    static const QStringList columns =
        QStringList{QStringLiteral("DBA"), QStringLiteral("Customer")} + slotColumns(QStringLiteral("PolicyNo"));
    return columns;
}

bool hasWordTables(Connection& connection)
{
    return hasTable(connection, QStringLiteral("ContractWordsUpTo"));
}

void makeWordTables(Connection& connection)
{
    if (hasWordTables(connection))
        return;
    connection.transaction([&] {
        const bool server = connection.backend() == Backend::Server;
        // Two programs making it at once: the second waits and finds the tables the first made.
        if (server)
            connection.run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kWordsLock});
        if (hasWordTables(connection))
            return;
        for (const QString& statement : server ? kServerTables : kFileTables)
            connection.runUnprepared(statement);
        connection.run(QStringLiteral("INSERT INTO ContractWordsUpTo (UpTo) VALUES (0)"));
    });
}

void insertWords(Connection& connection, const QList<std::pair<QString, qint64>>& words)
{
    if (words.isEmpty())
        return;
    if (connection.backend() == Backend::Server) {
        // One statement for the whole batch, the words and their IDs bound as two arrays.
        QStringList texts, ids;
        for (const auto& [word, id] : words) {
            texts << QLatin1Char('"') +
                         QString(word).replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\"")) +
                         QLatin1Char('"');
            ids << QString::number(id);
        }
        connection.run(QStringLiteral("INSERT INTO ContractWords (Word, ID) SELECT * FROM unnest(CAST(? AS TEXT[]), "
                                      "CAST(? AS BIGINT[])) ON CONFLICT DO NOTHING"),
                       {QLatin1Char('{') + texts.join(QLatin1Char(',')) + QLatin1Char('}'),
                        QLatin1Char('{') + ids.join(QLatin1Char(',')) + QLatin1Char('}')});
        return;
    }
    QSqlQuery insert =
        connection.prepare(QStringLiteral("INSERT INTO ContractWords (Word, ID) VALUES (?, ?) ON CONFLICT DO NOTHING"));
    for (const auto& [word, id] : words) {
        insert.bindValue(0, word);
        insert.bindValue(1, id);
        connection.run(insert);
    }
}

// One batch; true when no contract was left after it.
bool catchUpBatch(Connection& connection)
{
    bool done = false;
    connection.transaction([&] {
        if (connection.backend() == Backend::Server) {
            // Contracts being stored now commit first, so none is passed over.
            connection.runUnprepared(QStringLiteral("SET LOCAL lock_timeout = '2s'"));
            connection.runUnprepared(QStringLiteral("LOCK TABLE Policies IN SHARE MODE"));
        }
        QSqlQuery upTo = connection.run(QStringLiteral("SELECT UpTo FROM ContractWordsUpTo"));
        const qint64 from = upTo.next() ? upTo.value(0).toLongLong() : 0;
        QSqlQuery rows = connection.run(QStringLiteral("SELECT ID, %1 FROM Policies WHERE ID > ? ORDER BY ID LIMIT ?")
                                            .arg(wordColumns().join(QStringLiteral(", "))),
                                        {from, kCatchUpBatch});
        QList<std::pair<QString, qint64>> words;
        qint64 last = from;
        int read = 0;
        while (rows.next()) {
            ++read;
            last = rows.value(0).toLongLong();
            QStringList texts;
            for (int i = 1; i <= wordColumns().size(); ++i)
                texts << rows.value(i).toString();
            for (const QString& word : contractWords(texts))
                words.append({word, last});
        }
        // In key order the entries go to the end of each page rather than all over the index.
        std::sort(words.begin(), words.end());
        insertWords(connection, words);
        if (last != from)
            connection.run(QStringLiteral("UPDATE ContractWordsUpTo SET UpTo = ?"), {last});
        done = read < kCatchUpBatch;
    });
    return done;
}

// The first text above every text starting with prefix; empty when there is none.
QString pastPrefix(const QString& prefix)
{
    QList<uint> points = prefix.toUcs4();
    while (!points.isEmpty() && points.last() >= 0x10FFFF)
        points.removeLast();
    if (points.isEmpty())
        return {};
    // The next code point, passing over the surrogates, which are no characters.
    points.last() = points.last() == 0xD7FF ? 0xE000 : points.last() + 1;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
}

} // namespace

void forgetContractWords(Connection& connection)
{
    if (!hasWordTables(connection))
        return;
    connection.run(QStringLiteral("DELETE FROM ContractWords"));
    connection.run(QStringLiteral("UPDATE ContractWordsUpTo SET UpTo = 0"));
}

QStringList contractWords(const QStringList& texts)
{
    QStringList words;
    for (const QString& text : texts) {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty())
            continue;
        const QString word = foldForSearch(trimmed);
        if (!word.isEmpty() && !words.contains(word))
            words << word;
    }
    return words;
}

bool catchUpContractWords(const Place& place, int budgetMs)
{
    try {
        Connection connection(place);
        makeWordTables(connection);
        // Nothing stored since the last catching up: neither lock nor write.
        if (!connection.run(QStringLiteral("SELECT UpTo FROM ContractWordsUpTo "
                                           "WHERE UpTo < (SELECT COALESCE(max(ID), 0) FROM Policies)"))
                 .next())
            return true;
        // A whole table taken in touches every page of the index: kept in memory, not spilled to the journal.
        if (connection.backend() == Backend::File)
            connection.run(QStringLiteral("PRAGMA cache_size = -65536"));
        QElapsedTimer spent;
        spent.start();
        for (;;) {
            if (catchUpBatch(connection))
                return true;
            if (budgetMs > 0 && spent.elapsed() >= budgetMs)
                return false;
        }
    } catch (const StoreError& error) {
        const int primary = error.number() & 0xff;
        const bool cannotWriteNow = error.code() == QStringLiteral("25006") || error.code() == QStringLiteral("55P03") ||
                                    (error.number() > 0 && (primary == SQLITE_READONLY || primary == SQLITE_BUSY));
        if (!cannotWriteNow)
            throw;
        return false;
    }
}

std::optional<QList<qint64>> contractsWithWordStarting(const Place& place, const QString& folded, int atMost)
{
    const QString past = pastPrefix(folded);
    if (folded.isEmpty() || past.isEmpty())
        return std::nullopt;
    Connection connection(place);
    // Asked first whether the prefix starts more than atMost entries, so that
    // so many IDs never travel from the server.
    if (connection.run(QStringLiteral("SELECT 1 FROM ContractWords WHERE Word >= ? AND Word < ? LIMIT 1 OFFSET ?"),
                       {folded, past, atMost})
            .next())
        return std::nullopt;
    QSqlQuery query =
        connection.run(QStringLiteral("SELECT ID FROM ContractWords WHERE Word >= ? AND Word < ?"), {folded, past});
    QList<qint64> ids;
    while (query.next())
        ids << query.value(0).toLongLong();
    std::sort(ids.begin(), ids.end(), std::greater<>());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

} // namespace store
