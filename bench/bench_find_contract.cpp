// Times Find Contract and the report on the database file and on a throwaway
// office server at 10k, 100k and 1M saved contracts spread over three years
// (fifty agents, ten thousand customers), beside the bare statement each one
// runs, and the one-time taking in of every contract's words.
//
//   bench_find_contract [folder [largest]]
//
// Without a folder the databases are made in a temporary folder and removed
// afterwards; with one, missing files are made there and kept. largest
// (default 1000000) leaves out the sizes above it.

#include "BenchSupport.h"

#include "model/history/ContractSearch.h"
#include "model/history/MonthReport.h"
#include "model/store/Connection.h"
#include "model/store/ContractWords.h"
#include "model/store/CopyToServer.h"
#include "model/store/PoliciesLookUp.h"
#include "model/store/Schema.h"
#include "support/ThrowawayServer.h"

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
            connection.run(insert);
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
    // One median for every benchmark: an even count gives the mean of the middle two.
    return bench::median(std::move(samples));
}

// The bare statement: rows read and dropped.
void bare(const store::Place& path, const QString& sql, std::initializer_list<QVariant> values)
{
    store::Connection connection(path);
    QSqlQuery query = connection.run(sql, values);
    while (query.next()) {
    }
}

void measure(const store::Place& path, int contracts)
{
    const QDate day = kStart.date().addDays(500);
    const QString dayText = day.toString(QStringLiteral("M/d/yyyy"));
    const store::RunBounds oneDay = store::runBounds(day, day);
    const QDate first = history::firstOfMonth(day), last = history::lastOfMonth(day);
    const store::RunBounds month = store::runBounds(first, last);
    std::printf("%d contracts, %s\n", contracts, path.isServer() ? "office server" : "file");
    const auto row = [](const char* what, double program, double statement) {
        std::printf("  %-44s %9.2f ms   bare %9.2f ms\n", what, program, statement);
    };
    QElapsedTimer takingIn;
    takingIn.start();
    store::catchUpContractWords(path, 0);
    row("taking in every contract's words (once)", double(takingIn.nsecsElapsed()) / 1e6, 0.0);
    const auto wordsFrom = [&](const QString& prefix) {
        bare(path, "SELECT ID FROM ContractWords WHERE Word >= ? AND Word < ? LIMIT 20001",
             {prefix, prefix.chopped(1) + QChar(prefix.back().unicode() + 1)});
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
        medianMs([&] { wordsFrom(QStringLiteral("customer 0001")); }));
    row("Find Contract, a rare name's start",
        medianMs([&] { history::findContracts(path, QStringLiteral("customer 00017 f"), 200); }),
        medianMs([&] { wordsFrom(QStringLiteral("customer 00017 f")); }));
    row("Find Contract, one letter (walks the newest)",
        medianMs([&] { history::findContracts(path, QStringLiteral("c"), 200); }), 0.0);
    row("Find Contract, newest policy number",
        medianMs([&] {
            history::findContracts(path, QStringLiteral("pol-%1").arg(contracts - 1, 7, 10, QLatin1Char('0')), 200);
        }),
        0.0);
    row("Find Contract, oldest policy number",
        medianMs([&] { history::findContracts(path, QStringLiteral("wc-0000000"), 200); }),
        medianMs([&] { wordsFrom(QStringLiteral("wc-0000000")); }));
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
    const int largest = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1'000'000;
    QDir().mkpath(folder);
    ThrowawayServer server;
    if (!server.started()) {
        std::fprintf(stderr, "the server did not start: %s\n", qPrintable(server.error()));
        return 1;
    }
    for (const int contracts : {10'000, 100'000, 1'000'000}) {
        if (contracts > largest)
            break;
        const QString path = QDir(folder).filePath(QStringLiteral("find-%1.db").arg(contracts));
        if (!QFileInfo::exists(path))
            makeDatabase(path, contracts);
        // The file as an older release left it: no index of words yet.
        store::Connection(path).runUnprepared(QStringLiteral("DROP TABLE IF EXISTS ContractWords"));
        store::Connection(path).runUnprepared(QStringLiteral("DROP TABLE IF EXISTS ContractWordsUpTo"));
        measure(store::Place(path), contracts);
        const store::ServerAddress office = server.createDatabase(QStringLiteral("find%1").arg(contracts));
        QElapsedTimer copying;
        copying.start();
        store::copyToServer(path, office);
        std::printf("  (copied to the server in %.1f s)\n", double(copying.nsecsElapsed()) / 1e9);
        measure(store::Place(office), contracts);
        std::fflush(stdout);
    }
    return 0;
}
