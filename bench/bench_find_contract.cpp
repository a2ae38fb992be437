// Times Find Contract and the report on the database file at 10k, 100k and 1M
// saved contracts spread over three years (fifty agents, ten thousand
// customers), beside the bare statement each one runs.
//
//   bench_find_contract [folder]
//
// Without an argument the databases are made in a temporary folder and
// removed afterwards; with one, missing files are made there and kept.

#include "history/ContractSearch.h"
#include "history/MonthReport.h"
#include "store/Connection.h"
#include "store/PoliciesLookUp.h"
#include "store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 21;
const QDateTime kStart(QDate(2024, 1, 1), QTime(8, 0));
constexpr qint64 kSpanSeconds = qint64(3) * 365 * 24 * 3600;

void makeDatabase(const QString& path, int contracts)
{
    store::createDatabase(path);
    store::Connection connection(path);
    connection.run(QStringLiteral("PRAGMA journal_mode = OFF"));
    connection.run(QStringLiteral("PRAGMA synchronous = OFF"));
    connection.transaction([&] {
        QSqlQuery insert = connection.prepare(QStringLiteral(
            "INSERT INTO Policies (DBA, Customer, Agent, Company, Run, PolicyNo1, PolicyNo5, Financed, FinCharge,"
            " TotalSections) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int n = 0; n < contracts; ++n) {
            const int customer = n % 10'000;
            const QVariant values[] = {
                QStringLiteral("Customer %1 Farms").arg(customer, 5, 10, QLatin1Char('0')),
                QStringLiteral("Owner %1").arg(customer), QStringLiteral("Agent %1").arg(n % 50),
                QStringLiteral("Agency %1").arg(n % 50),
                kStart.addSecs(kSpanSeconds * n / contracts).toString(Qt::ISODate),
                QStringLiteral("POL-%1").arg(n, 7, 10, QLatin1Char('0')),
                QStringLiteral("WC-%1").arg(n, 7, 10, QLatin1Char('0')),
                QStringLiteral("%1.%2").arg(500 + n % 9500).arg(n % 100, 2, 10, QLatin1Char('0')),
                QStringLiteral("81.%1").arg(n % 100, 2, 10, QLatin1Char('0')),
                QStringLiteral("%1.00").arg(600 + n % 9500)};
            for (int i = 0; i < int(std::size(values)); ++i)
                insert.bindValue(i, values[i]);
            connection.exec(insert);
        }
    });
}

double medianMs(const std::function<void()>& run)
{
    std::vector<double> samples;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        run();
        samples.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The bare statement: rows read and dropped.
void bare(const QString& path, const QString& sql, std::initializer_list<QVariant> values)
{
    store::Connection connection(path);
    QSqlQuery query = connection.run(sql, values);
    while (query.next()) {
    }
}

void measure(const QString& path, int contracts)
{
    const QDate day = kStart.date().addDays(500);
    const QString dayText = day.toString(QStringLiteral("M/d/yyyy"));
    const store::RunBounds oneDay = store::runBounds(day, day);
    const QDate first = history::firstOfMonth(day), last = history::lastOfMonth(day);
    const store::RunBounds month = store::runBounds(first, last);
    std::printf("%d contracts\n", contracts);
    const auto row = [](const char* what, double program, double statement) {
        std::printf("  %-44s %9.2f ms   bare %9.2f ms\n", what, program, statement);
    };
    row("Find Contract, one printing day",
        medianMs([&] { history::findContracts(path, dayText, 200); }),
        medianMs([&] {
            bare(path, "SELECT ID, DBA, Customer, Agent, Run, Financed FROM Policies WHERE Run >= ? AND Run < ? "
                       "ORDER BY Run DESC, ID DESC LIMIT ?",
                 {oneDay.first, oneDay.last, 201});
        }));
    row("Find Contract, a name's start (many found)",
        medianMs([&] { history::findContracts(path, QStringLiteral("customer 0001"), 200); }),
        medianMs([&] {
            bare(path, "SELECT ID, DBA FROM Policies WHERE DBA LIKE ? ORDER BY ID DESC LIMIT 201",
                 {QStringLiteral("Customer 0001%")});
        }));
    row("Find Contract, newest policy number",
        medianMs([&] {
            history::findContracts(path, QStringLiteral("pol-%1").arg(contracts - 1, 7, 10, QLatin1Char('0')), 200);
        }),
        0.0);
    row("Find Contract, oldest policy number (whole walk)",
        medianMs([&] { history::findContracts(path, QStringLiteral("wc-0000000"), 200); }),
        medianMs([&] {
            bare(path, "SELECT ID FROM Policies WHERE PolicyNo5 LIKE ? ORDER BY ID DESC LIMIT 201",
                 {QStringLiteral("WC-0000000%")});
        }));
    row("Report of a month", medianMs([&] { history::buildReport(path, first, last); }), medianMs([&] {
            bare(path, "SELECT Agent, TotalSections, Financed, FinCharge FROM Policies WHERE Run >= ? AND Run < ?",
                 {month.first, month.last});
        }));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
    QDir().mkpath(folder);
    for (const int contracts : {10'000, 100'000, 1'000'000}) {
        const QString path = QDir(folder).filePath(QStringLiteral("find-%1.db").arg(contracts));
        if (!QFileInfo::exists(path))
            makeDatabase(path, contracts);
        measure(path, contracts);
    }
    return 0;
}
