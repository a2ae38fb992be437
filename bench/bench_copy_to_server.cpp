// How long quillon-copy-to-server's copy takes as the file grows: customers
// and contracts in equal numbers, copied into a new database of a throwaway
// server on a Unix socket. Beside each size, in the same run, its floor: the
// server's own COPY of the same rows as text, with no program in between.
// Per row, a linear copy stays flat from the smallest size to the largest.
//   bench_copy_to_server [runs, default 5] [sizes..., default 10000 100000 1000000]
#include "BenchSupport.h"

#include "model/store/Connection.h"
#include "model/store/CopyToServer.h"
#include "model/store/Schema.h"
#include "model/store/ServerSchema.h"
#include "support/ThrowawayServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {

using namespace bench;

// As many customers as contracts, every contract with the columns a saved one fills.
void makeFile(const QString& path, int rows)
{
    store::createDatabase(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    const QByteArray fill = QStringLiteral(
        "PRAGMA synchronous = OFF; BEGIN;"
        "WITH RECURSIVE g(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM g WHERE n < %1) "
        "INSERT INTO Customer (Name, DBA, Address1, City, State, Zip, Phone) "
        "SELECT 'Customer ' || n, 'Business ' || n || ' LLC', n || ' Main Street', 'Springfield', 'IL', '62701', "
        "'(217) 555-0100' FROM g;"
        "WITH RECURSIVE g(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM g WHERE n < %1) "
        "INSERT INTO Policies (DBA, Customer, Agent, Company, Run, PolicyNo1, Agent1, Premium1, Coverage1, "
        "Inception1, Expiration1, Term1, Financed, Down, FinCharge, Payments, APR, InstallmentNum, InstallmentAmt, "
        "LoanAuthorization) "
        "SELECT 'Business ' || (n % 10000) || ' LLC', 'Customer ' || (n % 10000), 'Agent ' || (n % 50), 'Agency', "
        "'2025-03-14T10:30:05', 'POL-' || n, 'Great Plains Mutual', '1500.00', 'Commercial Auto', '03/14/2025', "
        "'03/14/2026', '12', '1234.56', '300.00', '81.72', '1316.28', '10.50', '8', '164.53', 'LA-' || n FROM g;"
        "COMMIT;").arg(rows - 1).toUtf8();
    if (sqlite3_exec(db, fill.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        std::fprintf(stderr, "filling the file failed: %s\n", sqlite3_errmsg(db));
    sqlite3_close(db);
}

// The floor: the same rows, dumped beforehand as text by sqlite3, copied in by
// psql's \copy into a new database with the program's schema (its indexes and
// triggers): the server's own work on them, with no program in between.
double floorMs(const QString& file, ThrowawayServer& server, const QString& dbname, const QString& folder)
{
    const store::ServerAddress address = server.createDatabase(dbname);
    {
        store::Connection connection{store::Place(address)};
        store::completeServerSchema(connection);
    }
    QStringList statements;
    for (const QString& table : {QStringLiteral("Customer"), QStringLiteral("Policies")}) {
        const QString dump = folder + "/" + table + ".tsv";
        if (!QFile::exists(dump)) {
            QProcess sqlite;
            sqlite.setStandardOutputFile(dump);
            sqlite.start("sqlite3", {"-batch", "-cmd", ".mode tabs", "-cmd", ".nullvalue \\N", file,
                                     "SELECT * FROM " + table});
            sqlite.waitForFinished(-1);
        }
        statements << "\\copy " + table + " FROM '" + dump + "'";
    }
    QStringList psql{"-q", "-v", "ON_ERROR_STOP=1", "-h", address.host, "-U", address.user, "-d", address.dbname,
                     "-1"};
    for (const QString& statement : statements)
        psql << "-c" << statement;
    const double start = monotonicMs();
    QProcess copy;
    copy.start("psql", psql);
    copy.waitForFinished(-1);
    const double took = monotonicMs() - start;
    if (copy.exitCode() != 0)
        std::fprintf(stderr, "psql failed: %s\n", copy.readAllStandardError().constData());
    return took;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto [runs, sizes] = runsAndSizes(args, 5, {10000, 100000, 1000000});
    ThrowawayServer server;
    if (!server.started()) {
        std::fprintf(stderr, "no throwaway server: %s\n", qPrintable(server.error()));
        return 1;
    }
    QTemporaryDir folder;
    int databases = 0;
    for (const int rows : sizes) {
        const QString file = folder.filePath(QStringLiteral("copy-%1.mdb").arg(rows));
        makeFile(file, rows);
        std::vector<double> copies, floors;
        QTemporaryDir dumps;
        for (int run = 0; run < runs; ++run) {
            // Taking turns spreads whatever else the machine does over both.
            floors.push_back(floorMs(file, server, QStringLiteral("office%1").arg(++databases), dumps.path()));
            const store::ServerAddress address = server.createDatabase(QStringLiteral("office%1").arg(++databases));
            const double start = monotonicMs();
            const store::CopiedRows copied = store::copyToServer(file, address);
            copies.push_back(monotonicMs() - start);
            if (copied.customers != rows || copied.contracts != rows)
                std::fprintf(stderr, "copied %lld customers and %lld contracts\n", copied.customers, copied.contracts);
        }
        const double copy = median(copies), floor = median(floors);
        std::printf("%8d customers + %8d contracts (file %lld MB), medians of %d, load %s\n", rows, rows,
                    QFileInfo(file).size() >> 20, runs, qPrintable(loadAverage()));
        std::printf("  quillon-copy-to-server's copy %9.1f ms  %6.2f us a row\n", copy, copy * 1000.0 / (2.0 * rows));
        std::printf("  psql \\copy of the same rows  %9.1f ms  %6.2f us a row  (copy / floor %.2f)\n", floor,
                    floor * 1000.0 / (2.0 * rows), copy / floor);
        std::fflush(stdout);
        QFile::remove(file);
    }
    return 0;
}
