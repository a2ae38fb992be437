#pragma once

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace store {

class Connection;

// A statement's text and the values bound to its placeholders, in order.
struct BoundStatement {
    QString sql;
    QList<QVariant> values;
};

// The INSERT of one row: only the columns with a text are named, the rest stay
// NULL; a row without any text is still inserted. Names come from the
// program's own column lists, never from typed text; values are always bound.
BoundStatement insertStatement(const QString& table, const QStringList& columns, const QStringList& texts);

// The UPDATE of the row whose keyColumn is key: only the columns with a text
// are written, an empty text keeps what is stored. Empty sql when nothing is
// to be written.
BoundStatement updateStatement(const QString& table, const QStringList& columns, const QStringList& texts,
                               const QString& keyColumn, qint64 key);

// The text as it stands inside a LIKE pattern with ESCAPE '\': its
// backslashes, percent signs and underscores match only themselves.
QString likeLiteral(QString text);

// Prepares the statement on the connection, binds its values and runs it.
QSqlQuery runStatement(Connection& connection, const BoundStatement& statement);

// Runs an INSERT (or INSERT ... SELECT) of at most one row and gives the key
// the database assigned the new row, 0 when no row was inserted.
qint64 insertRow(Connection& connection, const BoundStatement& statement, const QString& keyColumn);

} // namespace store
