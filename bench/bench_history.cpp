// Times the previous-contracts window over a large database: a million saved
// contracts of ten thousand customers, a hundred each.
//
//   bench_history [database file]
//
// Without an argument the database is made in a temporary folder and removed
// afterwards; with one, a missing file is made there and kept for later runs.

#include "BenchSupport.h"

#include "model/history/ContractHistoryStore.h"
#include "model/session/Session.h"
#include "model/store/Connection.h"
#include "model/store/Schema.h"
#include "windows/history/PreviousContractsWindow.h"
#include "windows/ui/MessageBoxService.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kContracts = 1'000'000;
constexpr int kCustomers = 10'000;
constexpr int kRounds = 101;

QString customerName(int customer)
{
    return QStringLiteral("Customer %1 Farms").arg(customer, 5, 10, QLatin1Char('0'));
}

// Contracts are saved round-robin over the customers, so one customer's rows
// lie spread over the whole table, as years of use would leave them.
void makeDatabase(const QString& path)
{
    store::createDatabase(path);
    store::Connection connection(path);
    connection.run(QStringLiteral("PRAGMA journal_mode = OFF"));
    connection.run(QStringLiteral("PRAGMA synchronous = OFF"));
    // Building the index once after loading is far quicker than keeping it up row by row.
    connection.run(QStringLiteral("DROP INDEX PoliciesByDBA"));
    connection.transaction([&] {
        QSqlQuery insert = connection.prepare(QStringLiteral(
            "INSERT INTO Policies (DBA, Customer, Agent, Company, Run, PolicyNo1, Agent1, Premium1,"
            " Coverage1, Inception1, Expiration1, Term1, Tax, Financed, FinCharge, Payments, APR,"
            " InstallmentNum, InstallmentAmt, LoanAuthorization, Due, Classification, Section1,"
            " TotalSections, Down) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
            " ?, ?, ?, ?, ?, ?, ?)"));
        const QDateTime start(QDate(2015, 1, 1), QTime(8, 0));
        for (int n = 0; n < kContracts; ++n) {
            const int customer = n % kCustomers;
            const QString premium = QString::number(500 + n % 9500);
            const QVariant values[] = {
                customerName(customer), QStringLiteral("Owner %1").arg(customer),
                QStringLiteral("Agent %1").arg(n % 50), QStringLiteral("Agency %1").arg(n % 50),
                start.addSecs(qint64(n) * 97).toString(Qt::ISODate), QStringLiteral("POL-%1").arg(n),
                QStringLiteral("Carrier Mutual"), premium, QStringLiteral("General Liability"),
                QStringLiteral("01/10/24"), QStringLiteral("01/10/25"), QStringLiteral("12"),
                QStringLiteral("12.50"), QStringLiteral("1234.56"), QStringLiteral("81.72"),
                QStringLiteral("1316.28"), QStringLiteral("10.50"), QStringLiteral("8"),
                QStringLiteral("164.53"), QStringLiteral("LA-%1").arg(n), QStringLiteral("2024-02-10"),
                QStringLiteral("Commercial"), premium + QStringLiteral(".00"),
                premium + QStringLiteral(".00"), QStringLiteral("437.50")};
            for (int i = 0; i < int(std::size(values)); ++i)
                insert.bindValue(i, values[i]);
            connection.run(insert);
        }
    });
    connection.run(QStringLiteral("CREATE INDEX PoliciesByDBA ON Policies (DBA)"));
}

double medianMs(std::vector<double> samples)
{
    // One median for every benchmark: an even count gives the mean of the middle two.
    return bench::median(std::move(samples));
}

// The list's query alone: open, read every listed value, close.
int queryOnly(const QString& dbPath, const QString& dba)
{
    store::Connection connection(dbPath);
    QSqlQuery query = connection.run(history::listContractsSql(), {dba});
    int rows = 0;
    while (query.next()) {
        for (int column = 0; column <= int(history::kListedColumns.size()); ++column)
            query.value(column);
        ++rows;
    }
    return rows;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : dir.filePath(QStringLiteral("project.mdb"));
    if (!QFileInfo::exists(path)) {
        out << "making " << kContracts << " contracts of " << kCustomers << " customers ...\n";
        out.flush();
        QElapsedTimer made;
        made.start();
        makeDatabase(path);
        out << "made in " << made.elapsed() / 1000.0 << " s\n";
    }

    ui::QtMessageBoxService messages;
    Session session;
    session.DBPath = path;
    session.services.messages = &messages;
    PreviousContractsWindow window(session);
    auto customerOf = [](int round) { return customerName((round * 7919) % kCustomers); };

    // Both are timed on the same customers with their pages already read once,
    // so the comparison is of the work, not of the disk.
    for (int round = 0; round < kRounds; ++round)
        queryOnly(path, customerOf(round));
    int listed = 0;
    std::vector<double> fills, queries;
    QElapsedTimer timer;
    for (int round = 0; round < kRounds; ++round) {
        session.SelectedName = customerOf(round);
        timer.start();
        window.FillGrid();
        fills.push_back(double(timer.nsecsElapsed()) / 1e6);
        listed = window.dataRows();
        timer.start();
        queryOnly(path, customerOf(round));
        queries.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const double fill = medianMs(fills);
    const double query = medianMs(queries);

    // Copy adds a row and Delete takes the copy away again, so the table keeps its size.
    std::vector<double> copies, deletes;
    auto* copy = window.findChild<QPushButton*>(QStringLiteral("cmdCopy"));
    auto* remove = window.findChild<QPushButton*>(QStringLiteral("cmdDelete"));
    for (int round = 0; round < kRounds; ++round) {
        session.SelectedName = customerOf(round);
        session.ContractRow = 50;
        window.FillGrid();
        timer.start();
        copy->click();
        copies.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.start();
        remove->click();
        deletes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }

    out << "rows listed per customer:       " << listed << "\n"
        << "FillGrid median:                " << fill << " ms (goal < 20)\n"
        << "query alone median:             " << query << " ms\n"
        << "FillGrid / query alone:         " << fill / query << " (goal < 2)\n"
        << "Copy + refill median:           " << medianMs(copies) << " ms (goal < 30)\n"
        << "Delete + refill median:         " << medianMs(deletes) << " ms (goal < 30)\n";
    return 0;
}
