#include "model/store/RowStatement.h"

#include "model/store/Connection.h"

namespace store {

BoundStatement insertStatement(const QString& table, const QStringList& columns, const QStringList& texts)
{
    QStringList written, marks;
    BoundStatement statement;
    for (qsizetype i = 0; i < columns.size() && i < texts.size(); ++i) {
        if (texts[i].isEmpty())
            continue;
        written << columns[i];
        marks << QStringLiteral("?");
        statement.values << texts[i];
    }
    statement.sql = written.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(table, written.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    return statement;
}

BoundStatement updateStatement(const QString& table, const QStringList& columns, const QStringList& texts,
                               const QString& keyColumn, qint64 key)
{
    QStringList assignments;
    BoundStatement statement;
    for (qsizetype i = 0; i < columns.size() && i < texts.size(); ++i) {
        if (texts[i].isEmpty())
            continue;
        assignments << columns[i] + QStringLiteral(" = ?");
        statement.values << texts[i];
    }
    if (assignments.isEmpty())
        return {};
    statement.values << key;
    statement.sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                        .arg(table, assignments.join(QStringLiteral(", ")), keyColumn);
    return statement;
}

QSqlQuery runStatement(Connection& connection, const BoundStatement& statement)
{
    QSqlQuery query = connection.prepare(statement.sql);
    for (qsizetype i = 0; i < statement.values.size(); ++i)
        query.bindValue(int(i), statement.values[i]);
    connection.run(query);
    return query;
}

qint64 insertRow(Connection& connection, const BoundStatement& statement, const QString& keyColumn)
{
    // The server's driver knows no last insert id; there the statement hands the key back.
    const bool server = connection.backend() == Backend::Server;
    BoundStatement insert = statement;
    if (server)
        insert.sql += QStringLiteral(" RETURNING ") + keyColumn;
    QSqlQuery query = runStatement(connection, insert);
    // A forward-only query on the server counts no rows until it is read.
    if (server)
        return query.next() ? query.value(0).toLongLong() : 0;
    return query.numRowsAffected() == 1 ? query.lastInsertId().toLongLong() : 0;
}

QString likeLiteral(QString text)
{
    for (const QChar special : {QLatin1Char('\\'), QLatin1Char('%'), QLatin1Char('_')})
        text.replace(special, QStringLiteral("\\") + special);
    return text;
}

} // namespace store
