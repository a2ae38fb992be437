#pragma once

#include "store/Connection.h"
#include "store/PoliciesColumns.h"
#include "store/Schema.h"

#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// Columns of one Policies row to store; a column left out stays NULL.
using Columns = QHash<QString, QVariant>;

// Stores one Policies row into the database file at path; returns its ID.
inline qint64 insertContract(const QString& path, const Columns& columns)
{
    store::Connection connection(path);
    QStringList names, marks;
    for (auto it = columns.cbegin(); it != columns.cend(); ++it) {
        names << it.key();
        marks << QStringLiteral("?");
    }
    QSqlQuery query = connection.prepare(
        names.isEmpty() ? QStringLiteral("INSERT INTO Policies DEFAULT VALUES")
                        : QStringLiteral("INSERT INTO Policies (%1) VALUES (%2)")
                              .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    for (int i = 0; i < names.size(); ++i)
        query.bindValue(i, columns.value(names[i]));
    connection.exec(query);
    return query.lastInsertId().toLongLong();
}

// A fresh database file in its own temporary folder.
class TempDatabase {
public:
    TempDatabase() : m_path(m_dir.filePath(QStringLiteral("project.mdb")))
    {
        store::createDatabase(m_path);
    }
    const QString& path() const { return m_path; }
    qint64 insert(const Columns& columns) const { return insertContract(m_path, columns); }

    // Every stored column of one row, NULLs as null values; empty when gone.
    Columns row(qint64 id) const
    {
        store::Connection connection(m_path);
        QSqlQuery query = connection.run(QStringLiteral("SELECT * FROM Policies WHERE ID = ?"), {id});
        Columns columns;
        if (query.next())
            for (const QString& column : store::policiesColumns())
                columns.insert(column, query.value(column));
        return columns;
    }

    QList<qint64> ids() const
    {
        store::Connection connection(m_path);
        QSqlQuery query = connection.run(QStringLiteral("SELECT ID FROM Policies ORDER BY ID"));
        QList<qint64> all;
        while (query.next())
            all << query.value(0).toLongLong();
        return all;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A contract as saving leaves it: schedule, terms and header filled, the rest NULL.
inline Columns savedContract(const QString& dba, int n)
{
    const QString tag = QString::number(n);
    return Columns{
        {"DBA", dba},
        {"Customer", "Customer " + tag},
        {"Agent", "Agent " + tag},
        {"Company", "Company " + tag},
        {"Run", QStringLiteral("2026-12-06T20:53:%1").arg(n % 60, 2, 10, QLatin1Char('0'))},
        {"Financed", QStringLiteral("%1.50").arg(1000 + n)},
        {"FinCharge", "70.00"},
        {"Payments", QStringLiteral("%1.50").arg(1070 + n)},
        {"APR", "10.50"},
        {"InstallmentNum", "8"},
        {"InstallmentAmt", "133.81"},
        {"LoanAuthorization", "LA-" + tag},
        {"Due", "2027-01-15"},
        {"Classification", "Commercial"},
        {"PolicyNo1", "P-" + tag},
        {"Agent1", "Carrier " + tag},
        {"Premium1", "1000"},
        {"Section1", "1000.00"},
        {"Tax", "12.5"},
        {"Description", "Filing fee"},
    };
}
