// The office server beside the agent's own file, measured in the same run:
//  - the whole process from exec to the main window painted, with 1,000 agents
//    and 100,000 customers;
//  - saving one contract;
//  - FillGrid for a customer with 100 of 1,000,000 saved contracts;
//  - 8 programs saving at once: saves per second and the slowest save.
// The server is a throwaway one on a Unix socket, started and stopped here.
//   bench_server [runs]
#include "BenchSupport.h"

#include "app/Application.h"
#include "model/session/Session.h"
#include "model/store/Connection.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/PoliciesTable.h"
#include "model/store/Schema.h"
#include "model/store/ServerSchema.h"
#include "support/ThrowawayServer.h"
#include "windows/history/PreviousContractsWindow.h"
#include "windows/people/KeyedList.h"
#include "windows/people/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

using namespace bench;

constexpr int kAgents = 1000;
constexpr int kCustomers = 100000;
constexpr int kContracts = 1000000;
constexpr int kContractCustomers = 10000;
constexpr int kSavers = 8;
constexpr int kSavesEach = 200;

// A million contracts, a hundred for each of ten thousand customers, spread
// over the table as years of saving leave them; one statement on either store.
const QString kFillContracts = QStringLiteral(
    "WITH RECURSIVE g(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM g WHERE n < %1) "
    "INSERT INTO Policies (DBA, Customer, Agent, Company, Run, PolicyNo1, Premium1, Financed, FinCharge, "
    "Payments, APR, InstallmentNum, InstallmentAmt, LoanAuthorization) "
    "SELECT 'Customer ' || (n % %2), 'Owner', 'Agent ' || (n % 50), 'Agency', '2024-01-10T08:00:00', "
    "'POL-' || n, '1000', '1234.56', '81.72', '1316.28', '10.50', '8', '164.53', 'LA-' || n FROM g");

QStringList contractTexts(int tag)
{
    QStringList texts;
    for (const QString& column : store::policiesColumns())
        texts << QStringLiteral("%1 %2").arg(column).arg(tag);
    return texts;
}

store::Place serverDatabase(ThrowawayServer& server, const QString& name)
{
    const store::Place place(server.createDatabase(name));
    store::Connection connection(place);
    store::completeServerSchema(connection);
    return place;
}

// In a child process: the program itself, from start to the painted window.
int childProgram(const QString& folder, double startedMs)
{
    NoMessages messages;
    NoFiles files;
    Application quillon(environmentIn(folder), Services{&messages, &files, nullptr});
    if (!quillon.start())
        return 1;
    auto* customers = quillon.mainWindow()->findChild<people::KeyedList*>("lstCust");
    PaintWatch(customers->viewport()).waitForPaint();
    std::printf("painted %.2f %d\n", monotonicMs() - startedMs, int(customers->count()));
    return 0;
}

double startUpMs(const QString& folder)
{
    QList<QByteArray> words;
    for (const QList<QByteArray>& line : runTimedChild({"--program", folder}))
        if (line[0] == "painted")
            words = line;
    if (words.size() != 3 || words[2].toInt() != kCustomers)
        std::fprintf(stderr, "start-up in %s showed no list of %d customers\n", qPrintable(folder), kCustomers);
    return words.value(1).toDouble();
}

// A program folder whose settings name the place.
QString programFolderFor(const QString& folder, const store::Place& place)
{
    pointSettingsAt(environmentIn(folder), place);
    return folder;
}

double saveMs(const store::Place& place, int runs)
{
    std::vector<double> samples;
    store::appendPolicy(place, store::policiesColumns(), contractTexts(-1)); // logs in
    for (int run = 0; run < runs; ++run) {
        const double start = monotonicMs();
        store::appendPolicy(place, store::policiesColumns(), contractTexts(run));
        samples.push_back(monotonicMs() - start);
    }
    return median(samples);
}

double fillGridMs(const store::Place& place, int runs)
{
    NoMessages messages;
    Session session;
    session.DBPath = place.filePath;
    session.Server = place.server;
    session.services.messages = &messages;
    PreviousContractsWindow window(session);
    std::vector<double> samples;
    for (int run = 0; run < runs + 1; ++run) {
        session.SelectedName = QStringLiteral("Customer %1").arg((run * 7919) % kContractCustomers);
        const double start = monotonicMs();
        window.FillGrid();
        if (run > 0) // the first one reads the pages in
            samples.push_back(monotonicMs() - start);
        if (window.dataRows() != kContracts / kContractCustomers)
            std::fprintf(stderr, "FillGrid listed %d rows\n", window.dataRows());
    }
    return median(samples);
}

struct Savers {
    double savesPerSecond = 0;
    double slowestMs = 0;
};

Savers concurrentSaves(const store::Place& place)
{
    std::atomic<int> failures{0};
    std::vector<double> slowest(kSavers, 0);
    std::vector<std::thread> threads;
    const double start = monotonicMs();
    for (int saver = 0; saver < kSavers; ++saver) {
        threads.emplace_back([&, saver] {
            for (int n = 0; n < kSavesEach; ++n) {
                const double begun = monotonicMs();
                try {
                    store::appendPolicy(place, store::policiesColumns(), contractTexts(saver * kSavesEach + n));
                } catch (...) {
                    ++failures;
                }
                slowest[size_t(saver)] = std::max(slowest[size_t(saver)], monotonicMs() - begun);
            }
            store::closeThreadConnections();
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const double seconds = (monotonicMs() - start) / 1000;
    if (failures)
        std::fprintf(stderr, "%d saves failed\n", failures.load());
    return {kSavers * kSavesEach / seconds, *std::max_element(slowest.begin(), slowest.end())};
}

void compare(const char* what, double file, double server, const char* unit = "ms")
{
    std::printf("  %-40s file %9.2f %s   server %9.2f %s   server/file %.2f\n", what, file, unit, server, unit,
                server / file);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == "--program")
        return childProgram(args.value(2), args.value(3).toDouble());
    const int runs = argc > 1 ? std::max(1, args.value(1).toInt()) : 11;

    ThrowawayServer server;
    if (!server.started()) {
        std::fprintf(stderr, "the server did not start: %s\n", qPrintable(server.error()));
        return 1;
    }
    QTemporaryDir dir;

    // Start-up with the lists filled.
    const store::Place peopleFile(dir.filePath("people.mdb"));
    store::createDatabase(peopleFile.filePath);
    bench::addPeople(peopleFile, kAgents, kCustomers);
    const store::Place peopleServer = serverDatabase(server, "people");
    bench::addPeople(peopleServer, kAgents, kCustomers);
    const QString fileRun = programFolderFor(dir.filePath("file-run"), peopleFile);
    const QString serverRun = programFolderFor(dir.filePath("server-run"), peopleServer);
    std::vector<double> fileStarts, serverStarts;
    for (int run = 0; run < runs; ++run) {
        // Taking turns spreads whatever else the machine does over both.
        fileStarts.push_back(startUpMs(fileRun));
        serverStarts.push_back(startUpMs(serverRun));
    }

    // A million contracts on each.
    const store::Place contractsFile(dir.filePath("contracts.mdb"));
    store::createDatabase(contractsFile.filePath);
    const store::Place contractsServer = serverDatabase(server, "contracts");
    for (const store::Place& place : {contractsFile, contractsServer}) {
        store::Connection connection(place);
        connection.transaction(
            [&] { connection.runUnprepared(kFillContracts.arg(kContracts - 1).arg(kContractCustomers)); });
        if (place.isServer())
            connection.runUnprepared("ANALYZE");
    }
    const double fileFill = fillGridMs(contractsFile, runs), serverFill = fillGridMs(contractsServer, runs);
    const double fileSave = saveMs(contractsFile, runs), serverSave = saveMs(contractsServer, runs);
    const Savers fileSavers = concurrentSaves(contractsFile), serverSavers = concurrentSaves(contractsServer);
    store::closeThreadConnections();

    std::printf("\nmedians of %d runs\n", runs);
    compare("exec to main window painted (100k cust.)", median(fileStarts), median(serverStarts));
    compare("save one contract", fileSave, serverSave);
    compare("FillGrid, 100 of 1,000,000 contracts", fileFill, serverFill);
    std::printf("  %d programs saving %d contracts each at once:\n", kSavers, kSavesEach);
    compare("  saves per second", fileSavers.savesPerSecond, serverSavers.savesPerSecond, "/s");
    compare("  slowest save", fileSavers.slowestMs, serverSavers.slowestMs);
    return 0;
}
