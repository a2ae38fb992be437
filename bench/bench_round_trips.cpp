// The office server a few round trips away: how many times the program waits
// for the server's answer, and how long it takes when each way costs 10 ms,
// as over an office VPN. A proxy on a Unix socket stands between the program
// and a throwaway server with 100,000 customers and 100,000 contracts; it
// counts each answer the server gives after the program spoke, and delays
// each turn. In one process, the program's own round trips:
//  - from the start to the main window painted (logging in included): the
//    first start of any desk on the release, which checks the whole schema
//    once the window shows (beside it, the start's and that check's round
//    trips together, and the time until writes may go); a desk's first start
//    after another desk checked it; a later start;
//  - a piece of the list's keys read while idle;
//  - Next >> on the chosen agent and customer;
//  - the store's part of Save / Print (the contract written once);
//  - Find Next in the customer list;
// beside a floor in the same run: one bare SELECT 1 on a kept session.
//   bench_round_trips [runs, default 5]
#include "BenchSupport.h"

#include "app/Application.h"
#include "model/contract/ContractStore.h"
#include "model/contract/PoliciesRow.h"
#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"
#include "model/store/ServerSchema.h"
#include "model/store/WriteToken.h"
#include "support/CuttingProxy.h"
#include "support/ThrowawayServer.h"
#include "windows/people/KeyedList.h"
#include "windows/people/MainWindow.h"
#include "windows/ui/StoreGuard.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <map>

namespace {

using namespace bench;

constexpr int kCustomers = 100000;
constexpr int kContracts = 100000;

struct Figure {
    std::vector<double> trips, ms;
};

// Round trips and time of one piece of work, as the proxy saw them.
void measured(CuttingProxy& proxy, Figure& figure, const std::function<void()>& work)
{
    proxy.countRoundTripsAfresh();
    const double start = monotonicMs();
    work();
    figure.ms.push_back(monotonicMs() - start);
    figure.trips.push_back(proxy.roundTrips());
}

void oneRun(CuttingProxy& proxy, const store::Place& office, std::map<QString, Figure>& figures)
{
    QTemporaryDir dir;
    const Environment env = environmentIn(dir.path());
    QDir().mkpath(env.userDataFolder);
    store::Place viaProxy = office;
    viaProxy.server.host = proxy.socketFolder();
    pointSettingsAt(env, viaProxy);
    NoMessages messages;
    NoFiles files;
    std::unique_ptr<Application> quillon;
    const QString firstOfAll = "start to painted, first desk", newDesk = "start to painted, new desk";
    for (const QString& which : {firstOfAll, newDesk, QString("start to painted")}) {
        quillon.reset();
        // No desk has checked the schema yet: the server's word of it goes.
        if (which == firstOfAll)
            store::Connection(office).runUnprepared("COMMENT ON TABLE SchemaVersion IS NULL");
        // A desk new to the office has no mark of its own.
        if (which == newDesk)
            for (const QString& mark : QDir(env.userDataFolder).entryList({".server-*"}, QDir::Files | QDir::Hidden))
                QFile::remove(QDir(env.userDataFolder).filePath(mark));
        // A session of the windows' thread left from the run before is logged in afresh, as a new program would.
        store::closeThreadConnections();
        // Counted at the paint itself: what the program does once the window
        // shows (the list's keys read while idle, say) is not part of the start.
        Figure& start = figures[which];
        proxy.countRoundTripsAfresh();
        const double begun = monotonicMs();
        quillon = std::make_unique<Application>(env, Services{&messages, &files, nullptr});
        if (!quillon->start())
            std::fprintf(stderr, "the program did not start\n");
        PaintWatch(quillon->mainWindow(), [&] {
            start.ms.push_back(monotonicMs() - begun);
            start.trips.push_back(proxy.roundTrips());
        }).waitForPaint();
        // Its schema check runs once the window shows, on a session of its own, and writes wait for it:
        // the start's and the check's round trips together, and the time until writes may go.
        if (which == firstOfAll) {
            quillon->awaitLaterCheck();
            Figure& writesFree = figures["first desk: start to writes free"];
            writesFree.ms.push_back(monotonicMs() - begun);
            writesFree.trips.push_back(proxy.roundTrips());
        }
    }
    MainWindow* main = quillon->mainWindow();
    const store::PeopleTable customers = store::customerTable(quillon->session().database());
    measured(proxy, figures["idle key piece"], [&] { customers.readKeys(0, kCustomers, 32768); });
    measured(proxy, figures["floor: SELECT 1"], [&] { store::Connection(quillon->session().database()).run("SELECT 1"); });
    main->findChild<people::KeyedList*>("lstAgent")->setCurrentRow(0);
    main->findChild<people::KeyedList*>("lstCust")->setCurrentRow(0);
    settle();
    measured(proxy, figures["Next >>"], [&] {
        main->findChild<QPushButton*>("cmdNext")->click();
        settle();
    });
    PoliciesRow row;
    row.set("DBA", "Round Trip Farms");
    row.set("Run", QDateTime::currentDateTime().toString(Qt::ISODate));
    // As Save / Print stores it: with its write token, the IDs of notes kept on the desk below the next.
    measured(proxy, figures["Save / Print's store part"], [&] {
        writeOrReport(quillon->session(), nullptr, ui::kNothingSaved, [&] {
            appendContract(quillon->session().database(), row, store::newWriteToken(QDateTime::currentDateTimeUtc()), 1);
        });
    });
    measured(proxy, figures["Find Next"], [&] { main->findNext(PeopleList::Customers, "Business 77", main); });
    quillon.reset();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    const int runs = runsAndSizes(qtApp.arguments(), 5, {}).runs;
    ThrowawayServer server;
    if (!server.started()) {
        std::fprintf(stderr, "no throwaway server: %s\n", qPrintable(server.error()));
        return 1;
    }
    const store::Place office(server.createDatabase("office"));
    {
        store::Connection connection(office);
        store::completeServerSchema(connection);
    }
    addPeople(office, 1000, kCustomers);
    store::Connection(office).run(QStringLiteral(
        "INSERT INTO Policies (DBA, Customer, Agent, Company, Run, PolicyNo1, Premium1, Financed) "
        "SELECT 'Business ' || (n % 1000), 'Owner', 'Agent ' || (n % 50), 'Agency', '2024-01-10T08:00:00', "
        "'POL-' || n, '1000', '1234.56' FROM generate_series(1, %1) AS n").arg(kContracts));
    CuttingProxy proxy(server.socketFolder());
    for (const int delay : {0, 10}) {
        proxy.delayEachWay(delay);
        std::map<QString, Figure> figures;
        for (int run = 0; run < runs; ++run)
            oneRun(proxy, office, figures);
        std::printf("\n%d ms each way, %d customers, %d contracts (medians of %d), load %s\n", delay, kCustomers,
                    kContracts, runs, qPrintable(loadAverage()));
        for (const auto& [what, figure] : figures)
            std::printf("  %-32s %5.0f round trips %9.1f ms\n", qPrintable(what), median(figure.trips),
                        median(figure.ms));
        std::fflush(stdout);
    }
    return 0;
}
