// How soon the main window is painted over a file of many contracts, beside a
// bare window of the same size and the same window holding the main window's
// captions (what any window with text costs), both run by bench_window_floors,
// a program of Qt Widgets alone; and how soon the file's check gives its
// verdict (the moment a write no longer waits):
//  - a later start of the day (its copy already taken) and the first start of
//    the day (the copy taken on the way), each in a process of its own, from
//    exec to the painted window;
//  - the resident memory idle on the painted window, and once the check is done;
//  - the processor time used up to the painted window, user and system;
//  - a contract saved the moment the window is painted, beside the same save
//    once the check is done; each run ends clean, so the next start finds the
//    file as it left it.
// The files are made once and kept in /tmp/quillon-bench-contracts for the
// next run; QUILLON_BENCH_FRESH=1 makes them again.
//   bench_first_window [runs, default 5] [contract counts..., default 0 1000000 5000000]
#include "BenchSupport.h"

#include "app/Application.h"
#include "model/contract/ContractStore.h"
#include "model/contract/PoliciesRow.h"
#include "model/store/Backup.h"
#include "model/store/Schema.h"
#include "windows/people/MainWindow.h"
#include "windows/ui/StoreGuard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace bench;

const QString kCache = QStringLiteral("/tmp/quillon-bench-contracts");

// A contract row as the program saves one, some 340 bytes with its index entries.
void addContracts(const QString& path, int contracts)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA synchronous = OFF; PRAGMA journal_mode = OFF; BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Policies (DBA, Customer, Agent, Company, Run, PolicyNo1, Agent1, Premium1,"
                       " Coverage1, Inception1, Expiration1, Term1, Financed, Down, APR, LoanAuthorization)"
                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &insert, nullptr);
    for (int n = 0; n < contracts; ++n) {
        const QByteArray values[] = {QString("Business %1 LLC").arg(n % 10000).toUtf8(),
                                     QString("Customer %1").arg(n % 10000).toUtf8(),
                                     QString("Agent %1").arg(n % 1000).toUtf8(),
                                     QString("Agency %1").arg(n % 97).toUtf8(),
                                     QByteArray("2025-03-14T10:30:05"),
                                     QString("POL-%1-%2").arg(n).arg(n % 7).toUtf8(),
                                     QByteArray("Great Plains Mutual Insurance Company"),
                                     QString::number(1000 + n % 5000).toUtf8() + ".00",
                                     QByteArray("Commercial Auto Liability"),
                                     QByteArray("03/14/2025"),
                                     QByteArray("03/14/2026"),
                                     QByteArray("12"),
                                     QString::number(800 + n % 4000).toUtf8() + ".00",
                                     QByteArray("200.00"),
                                     QByteArray("12.75"),
                                     QString("LA-%1").arg(n).toUtf8()};
        for (int i = 0; i < int(std::size(values)); ++i)
            sqlite3_bind_text(insert, i + 1, values[i].constData(), int(values[i].size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// The folder of a run over that many contracts, made when missing.
QString preparedFolder(int contracts)
{
    const QString folder = kCache + QString("/%1").arg(contracts);
    const Environment env = environmentIn(folder);
    const QString dbPath = env.userDataFolder + "/loans.mdb";
    if (QFile::exists(dbPath) && qEnvironmentVariableIsEmpty("QUILLON_BENCH_FRESH"))
        return folder;
    QDir(folder).removeRecursively();
    QDir().mkpath(env.userDataFolder);
    const double start = monotonicMs();
    store::createDatabase(dbPath);
    addPeople(dbPath, 1000, 10000);
    addContracts(dbPath, contracts);
    pointSettingsAt(env, dbPath);
    std::printf("made %d contracts in %.0f ms, %lld MB\n", contracts, monotonicMs() - start,
                QFileInfo(dbPath).size() >> 20);
    std::fflush(stdout);
    return folder;
}

void printMemory()
{
    settle();
    std::printf("rss %ld\n", residentKb());
}

// A contract stored as Save / Print stores one, waiting as it waits for the
// file's verdict: how long it took.
double saveContract(Application& quillon)
{
    PoliciesRow row;
    row.set("DBA", "Benchmark Farms");
    row.set("Run", QDateTime::currentDateTime().toString(Qt::ISODate));
    row.set("Premium1", "1500.00");
    const double start = monotonicMs();
    if (!writeOrReport(quillon.session(), nullptr, ui::kNothingSaved, [&] { appendContract(quillon.session().database(), row); }))
        std::fprintf(stderr, "the contract was not saved\n");
    return monotonicMs() - start;
}

// In a child process: the program itself. With "save", a contract is saved
// the moment the window is painted, and again once the check is done. The
// run ends clean, as a user's Exit ends it.
int childProgram(const QString& folder, double startedMs, bool save)
{
    NoMessages messages;
    NoFiles files;
    Application quillon(environmentIn(folder), Services{&messages, &files, nullptr});
    if (!quillon.start())
        return 1;
    reportFirstPaint(quillon.mainWindow(), startedMs);
    if (save)
        std::printf("save %.2f\n", saveContract(quillon));
    printMemory();
    quillon.awaitLaterCheck();
    std::printf("verdict %.2f\n", monotonicMs() - startedMs);
    std::printf("rss-checked %ld\n", residentKb());
    if (save)
        std::printf("save-idle %.2f\n", saveContract(quillon));
    quillon.mainWindow()->close();
    quillon.markCleanEnd();
    return 0;
}

QMap<QString, double> runChild(const QStringList& args, const QString& program = {})
{
    QMap<QString, double> figures;
    for (const QList<QByteArray>& words : runTimedChild(args, program))
        if (words.size() == 2)
            figures[QString::fromUtf8(words[0])] = words[1].toDouble();
    if (!figures.contains("painted"))
        std::fprintf(stderr, "child %s painted nothing\n", qPrintable(args.join(' ')));
    return figures;
}

struct Series {
    QMap<QString, std::vector<double>> values;
    void add(const QMap<QString, double>& figures)
    {
        for (auto it = figures.cbegin(); it != figures.cend(); ++it)
            values[it.key()].push_back(it.key().startsWith("rss") ? it.value() / 1024.0 : it.value());
    }
    double of(const QString& key) const { return median(values.value(key)); }
};

} // namespace

int main(int argc, char* argv[])
{
    prepareWindowProcess();
    QApplication qtApp(argc, argv);
    const QStringList args = qtApp.arguments();
    if (args.value(1) == "--program")
        return childProgram(args.value(2), args.value(3).toDouble(), false);
    if (args.value(1) == "--save")
        return childProgram(args.value(2), args.value(3).toDouble(), true);
    // The floors are a program of their own, which loads only what a bare window loads.
    const QString floors = QCoreApplication::applicationDirPath() + "/bench_window_floors";

    const auto [runs, sizes] = runsAndSizes(args, 5, {0, 1000000, 5000000});

    for (const int contracts : sizes) {
        const QString folder = preparedFolder(contracts);
        const QString dbPath = environmentIn(folder).userDataFolder + "/loans.mdb";
        const QString backups = store::backupFolder(dbPath);
        Series later, first, floor, textFloor, laterSave, firstSave;
        // The day's copy, taken once so that the later starts find it.
        runChild({"--program", folder});
        for (int run = 0; run < runs; ++run) {
            // Taking turns spreads whatever else the machine does over all of them.
            later.add(runChild({"--program", folder}));
            floor.add(runChild({"--floor"}, floors));
            textFloor.add(runChild({"--text-floor"}, floors));
            QDir(backups).removeRecursively();
            first.add(runChild({"--program", folder}));
            laterSave.add(runChild({"--save", folder}));
            QDir(backups).removeRecursively();
            firstSave.add(runChild({"--save", folder}));
        }
        std::printf("\n%d contracts, %lld MB (medians of %d; load average %s)\n", contracts,
                    QFileInfo(dbPath).size() >> 20, runs, qPrintable(loadAverage()));
        std::printf("  bare window            painted %8.1f ms   idle %6.1f MB   cpu %6.1f ms\n", floor.of("painted"),
                    floor.of("rss"), floor.of("cpu"));
        std::printf("  window with its text   painted %8.1f ms   idle %6.1f MB   cpu %6.1f ms\n",
                    textFloor.of("painted"), textFloor.of("rss"), textFloor.of("cpu"));
        for (const auto& [what, series] : {std::pair{"later start", &later}, std::pair{"first start of the day", &first}})
            std::printf("  %-22s painted %8.1f ms   idle %6.1f MB   cpu %6.1f ms   verdict %8.1f ms   after it %6.1f MB\n",
                        what, series->of("painted"), series->of("rss"), series->of("cpu"), series->of("verdict"),
                        series->of("rss-checked"));
        std::printf("  cpu to the painted window, later start: %.2fx the bare window's, %.2fx the window with its text\n",
                    later.of("cpu") / floor.of("cpu"), later.of("cpu") / textFloor.of("cpu"));
        // A save pressed the moment the window shows, beside the same save once the check is done.
        for (const auto& [what, series] : {std::pair{"later start", &laterSave}, std::pair{"first start of the day", &firstSave}})
            std::printf("  %-22s save at once %8.1f ms   save after the check %6.1f ms   verdict %8.1f ms\n", what,
                        series->of("save"), series->of("save-idle"), series->of("verdict"));
        std::fflush(stdout);
    }
    return 0;
}
