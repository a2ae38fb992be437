// The agent and customer lists at 10,000, 100,000 and 1,000,000 customers,
// each figure beside a floor measured in the same run:
//  - a whole process, from exec to the main window painted with both lists,
//    beside a process that paints a window of the same size with the lines in
//    view read by a bare SELECT;
//  - the resident memory of both, idle on the painted window once the list's
//    keys are read;
//  - adding, editing and deleting customers and agents with the windows,
//    from the press of OK or Delete (the line chosen, the dialog shown and
//    its text typed before the clock starts) until the events it posted are
//    handled: the write on its own connection in one transaction, the list
//    following it, the dialog closing and the repaint of what changed; beside
//    the bare INSERT, UPDATE and DELETE, each on a connection of its own in
//    one transaction, with nothing to paint; and the store's part of adding
//    and deleting a customer alone, without the dialog, the list or a paint;
//  - scrolling the customer list to its middle and to its end, the
//    first-letter jump and Find Next, each beside SQLite's own time for the
//    same rows;
//  - the memory after 100 adds and deletes.
//   bench_lists [runs] [customer counts...]
#include "BenchSupport.h"

#include "app/Application.h"
#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"
#include "model/store/PeopleTable.h"
#include "model/store/Schema.h"
#include "model/store/WriteToken.h"
#include "windows/people/AgentDialog.h"
#include "windows/people/CustomerDialog.h"
#include "windows/people/KeyedList.h"
#include "windows/people/MainWindow.h"
#include "windows/ui/FileDialogService.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/Twips.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

using namespace bench;

constexpr int kAgents = 1000;

void fillDatabase(const QString& path, int customers)
{
    store::createDatabase(path);
    bench::addPeople(path, kAgents, customers);
}

// In a child process: the program itself, from start to the painted window.
int childProgram(const QString& folder, double startedMs, bool operations, int runs)
{
    NoMessages messages;
    NoFiles files;
    Application quillon(environmentIn(folder), Services{&messages, &files, nullptr});
    if (!quillon.start())
        return 1;
    // Ends as the program does, once the file's verdict is known, so the next
    // run is a later start after a clean end, as every start of an office's day but its first.
    const auto endsClean = qScopeGuard([&] {
        quillon.awaitLaterCheck();
        quillon.markCleanEnd();
    });
    MainWindow* main = quillon.mainWindow();
    auto* customers = main->findChild<people::KeyedList*>("lstCust");
    auto* agents = main->findChild<people::KeyedList*>("lstAgent");
    PaintWatch(customers->viewport()).waitForPaint();
    std::printf("painted %.2f\n", monotonicMs() - startedMs);
    // Idle long enough for the keys to follow the first paint.
    for (const double until = monotonicMs() + 1500; monotonicMs() < until;)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("rss %ld\n", residentKb());
    if (!operations)
        return 0;

    // What is chosen before each run is not timed, as the user's choosing is not part of the operation.
    const auto timed = [&](const char* what, const std::function<void(int)>& work,
                           const std::function<void(int)>& choose = {}) {
        std::vector<double> samples;
        for (int run = 0; run < runs; ++run) {
            if (choose)
                choose(run);
            settle();
            const double start = monotonicMs();
            work(run);
            settle();
            samples.push_back(monotonicMs() - start);
        }
        std::printf("op %s %.3f\n", what, median(samples));
    };
    // The list line Edit works on.
    int editPosition = 0;
    // OK in a dialog, timed from the click to the refilled and painted list.
    const auto inDialog = [&](PartyDialog* dialog, bool edit, const char* field, const QString& text) {
        double start = 0;
        QTimer::singleShot(0, dialog, [&] {
            dialog->findChild<QLineEdit*>(field)->setText(text);
            // The dialog's showing (its activation, its paint) is done before OK is pressed.
            settle();
            start = monotonicMs();
            dialog->findChild<QPushButton*>("cmdOK")->click();
        });
        dialog->showModal(edit, editPosition);
        return start;
    };
    const auto dialogTimed = [&](const char* what, PartyDialog* dialog, bool edit, const char* field,
                                 const std::function<void(int)>& choose) {
        std::vector<double> samples;
        for (int run = 0; run < runs; ++run) {
            settle();
            choose(run);
            // A text of its own for each operation and run: a name already stored would be asked about.
            const double start = inDialog(dialog, edit, field, QString("Bench %1 %2").arg(what).arg(run));
            settle();
            samples.push_back(monotonicMs() - start);
        }
        std::printf("op %s %.3f\n", what, median(samples));
    };
    const auto chooseAt = [&](people::KeyedList* list, std::function<int()> position) {
        return [=](int) { list->setCurrentRow(position()); };
    };
    const auto press = [&](const char* button) {
        return [=](int) { main->findChild<QPushButton*>(button)->click(); };
    };
    const auto deleteAt = [&](people::KeyedList* list, const char* button, std::function<int()> position) {
        return [=](int run) {
            chooseAt(list, position)(run);
            press(button)(run);
        };
    };
    CustomerDialog* customerDialog = quillon.windows().customerDialog;
    AgentDialog* agentDialog = quillon.windows().agentDialog;
    dialogTimed("add-customer", customerDialog, false, "txtDBA", [](int) {});
    dialogTimed("edit-customer-middle", customerDialog, true, "txtDBA",
                [&](int) { editPosition = customers->count() / 2; });
    timed("delete-customer-first", press("cmdDeleteCust"), chooseAt(customers, [] { return 0; }));
    timed("delete-customer-middle", press("cmdDeleteCust"), chooseAt(customers, [=] { return customers->count() / 2; }));
    timed("delete-customer-last", press("cmdDeleteCust"), chooseAt(customers, [=] { return customers->count() - 1; }));
    dialogTimed("add-agent", agentDialog, false, "txtName", [](int) {});
    dialogTimed("edit-agent-first", agentDialog, true, "txtName", [&](int) { editPosition = 0; });
    timed("delete-agent-first", press("cmdDeleteAgent"), chooseAt(agents, [] { return 0; }));
    timed("fill-customers-unchanged", [&](int) { main->FillCustomerList(); });

    // Scrolling: each run to lines not yet read.
    QScrollBar* bar = customers->verticalScrollBar();
    const auto scrolled = [&](const char* what, const std::function<int(int)> value) {
        std::vector<double> samples;
        for (int run = 0; run < runs; ++run) {
            bar->setValue(run % 2 ? 0 : bar->maximum() / 4);
            settle();
            const int before = bar->value();
            PaintWatch paint(customers->viewport());
            const double start = monotonicMs();
            bar->setValue(value(run));
            if (bar->value() != before)
                paint.waitForPaint();
            samples.push_back(monotonicMs() - start);
        }
        std::printf("op %s %.3f\n", what, median(samples));
    };
    scrolled("scroll-middle", [&](int run) { return bar->maximum() / 2 + run * 997; });
    scrolled("scroll-end", [&](int) { return bar->maximum(); });
    // The first-letter jump as the list's keyboard search asks the lines, from the line after the chosen one.
    const auto jump = [&](const QString& letter) {
        return [=](int) {
            const int from = (customers->currentRow() + 1) % customers->count();
            const QModelIndexList found =
                customers->model()->match(customers->model()->index(from, 0), Qt::DisplayRole, letter);
            if (!found.isEmpty())
                customers->setCurrentRow(found.first().row());
        };
    };
    customers->setCurrentRow(0);
    timed("letter-jump-next", jump("B"));
    timed("letter-jump-none", jump("Z"));
    // Find Next: the first after a change reads and folds every line.
    {
        std::vector<double> samples;
        for (int run = 0; run < runs; ++run) {
            // A change by another program, so that the search is made again.
            {
                store::Connection other(store::Place(QString(folder + "/data/loans.mdb")));
                other.transaction([&] { other.run("UPDATE Customer SET Phone = Phone WHERE RowKey = (SELECT max(RowKey) FROM Customer)"); });
            }
            main->FillCustomerList();
            customers->setCurrentRow(0);
            settle();
            const double start = monotonicMs();
            main->findNext(PeopleList::Customers, QString("Business %1 ").arg(customers->count() / 2 + run), main);
            settle();
            samples.push_back(monotonicMs() - start);
        }
        std::printf("op find-first %.3f\n", median(samples));
    }
    timed("find-next", [&](int run) { main->findNext(PeopleList::Customers, QString("Business %1 ").arg(run * 7919), main); });

    // Memory over 100 adds and deletes: the first 20 let the heap settle.
    // Each name once: the first line is deleted, not the one added, and a name already stored would be asked about.
    int churned = 0;
    const auto addAndDelete = [&](int n) {
        for (int i = 0; i < n; ++i) {
            inDialog(customerDialog, false, "txtDBA", QString("Churn %1").arg(churned++));
            settle();
            deleteAt(customers, "cmdDeleteCust", [] { return 0; })(i);
            settle();
        }
    };
    addAndDelete(20);
    const long before = residentKb();
    addAndDelete(100);
    std::printf("churn %ld %ld\n", before, residentKb());
    // The store's part alone, without the dialog, the list or any paint: what the
    // program's write costs beside the bare statement. Last, as the list reads its
    // keys again after these writes it did not make.
    {
        const store::PeopleTable table = store::customerTable(store::Place(QString(folder + "/data/loans.mdb")));
        std::vector<double> adds, deletes;
        for (int run = 0; run < runs; ++run) {
            double start = monotonicMs();
            const store::RowChange added =
                table.insert({QString(), QString("Store %1").arg(run)}, store::newWriteToken(QDateTime::currentDateTimeUtc()));
            adds.push_back(monotonicMs() - start);
            start = monotonicMs();
            table.remove(added.key, added.line);
            deletes.push_back(monotonicMs() - start);
        }
        std::printf("op add-customer-store-alone %.3f\nop delete-customer-store-alone %.3f\n", median(adds),
                    median(deletes));
    }
    return 0;
}

// In a child process: the floor, a window of the main window's size with two
// lists filled with the lines in view by a bare SELECT and addItems.
int childFloor(const QString& dbPath, double startedMs)
{
    QWidget window;
    ui::setInnerSizeTwips(&window, {7380, 5775});
    auto* agents = new QListWidget(&window);
    ui::placeTwips(agents, {180, 900, 5415, 1035});
    auto* customers = new QListWidget(&window);
    ui::placeTwips(customers, {240, 2520, 5415, 1425});
    // Lines of one height, as the program's lists have them.
    agents->setUniformItemSizes(true);
    customers->setUniformItemSizes(true);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "floor");
        db.setDatabaseName(dbPath);
        db.open();
        for (auto [list, sql] :
             {std::pair{agents, "SELECT ifnull(Company, '') || ' - ' || ifnull(Name, '') FROM Agent ORDER BY RowKey DESC LIMIT 30"},
              std::pair{customers, "SELECT DBA FROM Customer ORDER BY RowKey DESC LIMIT 30"}}) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.exec(sql);
            QStringList lines;
            while (query.next())
                lines << query.value(0).toString();
            list->addItems(lines);
            list->setCurrentRow(list->count() - 1);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("floor");
    window.show();
    PaintWatch(customers->viewport()).waitForPaint();
    std::printf("painted %.2f\n", monotonicMs() - startedMs);
    settle();
    std::printf("rss %ld\n", residentKb());
    return 0;
}

struct ChildResult {
    double paintedMs = 0;
    long rssKb = 0;
    QMap<QString, double> operations;
    long churnBefore = 0, churnAfter = 0;
};

ChildResult runChild(const QStringList& arguments)
{
    ChildResult result;
    for (const QList<QByteArray>& words : runTimedChild(arguments)) {
        if (words[0] == "painted" && words.size() >= 2)
            result.paintedMs = words[1].toDouble();
        else if (words[0] == "rss" && words.size() == 2)
            result.rssKb = words[1].toLong();
        else if (words[0] == "op" && words.size() == 3)
            result.operations[words[1]] = words[2].toDouble();
        else if (words[0] == "churn" && words.size() == 3)
            result.churnBefore = words[1].toLong(), result.churnAfter = words[2].toLong();
    }
    if (result.paintedMs == 0)
        std::fprintf(stderr, "child %s painted nothing\n", qPrintable(arguments.join(' ')));
    return result;
}

// SQLite's own time for what an operation does: a connection, one statement
// with its values, every row it gives stepped through, and for a write one
// transaction.
double bareMs(const QString& dbPath, const QString& sql, const std::function<QVariantList(int run)>& values,
              bool write, int runs)
{
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        const double start = monotonicMs();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bare");
            db.setDatabaseName(dbPath);
            db.open();
            if (write)
                db.transaction();
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.prepare(sql);
            const QVariantList bound = values(run);
            for (int i = 0; i < bound.size(); ++i)
                query.bindValue(i, bound[i]);
            query.exec();
            while (query.next()) {
            }
            if (write)
                db.commit();
        }
        QSqlDatabase::removeDatabase("bare");
        samples.push_back(monotonicMs() - start);
    }
    return median(samples);
}

// The bare statements the program's writes cannot beat.
double bareStatementMs(const QString& dbPath, const QString& sql, int runs)
{
    return bareMs(dbPath, sql, [](int run) { return QVariantList{QString("Bare %1").arg(run)}; }, true, runs);
}

// SQLite's own time for the rows an operation reads.
double bareRowsMs(const QString& dbPath, const QString& sql, const QVariantList& values, int runs)
{
    return bareMs(dbPath, sql, [&](int) { return values; }, false, runs);
}

} // namespace

int main(int argc, char* argv[])
{
    prepareWindowProcess();
    QApplication qtApp(argc, argv);
    const QStringList args = qtApp.arguments();
    if (args.value(1) == "--program")
        return childProgram(args.value(2), args.value(5).toDouble(), args.value(3) == "ops", args.value(4).toInt());
    if (args.value(1) == "--floor")
        return childFloor(args.value(2), args.value(3).toDouble());

    const auto [runs, sizes] = runsAndSizes(args, 7, {10000, 100000, 1000000});

    QTemporaryDir dir;
    // Kept on request, to look at one child under a profiler afterwards.
    const bool keep = !qEnvironmentVariableIsEmpty("QUILLON_BENCH_KEEP");
    dir.setAutoRemove(!keep);
    for (const int size : sizes) {
        const QString folder = dir.filePath(QString::number(size));
        const Environment env = environmentIn(folder);
        QDir().mkpath(env.programFolder);
        QDir().mkpath(env.userDataFolder);
        const QString dbPath = env.userDataFolder + "/loans.mdb";
        fillDatabase(dbPath, size);
        pointSettingsAt(env, dbPath);

        // The day's first start, its copy and whole check, is not among the measured runs.
        runChild({"--program", folder, "-", "0"});
        std::vector<double> painted, floorPainted, rss, floorRss;
        for (int run = 0; run < runs; ++run) {
            // Taking turns spreads whatever else the machine does over both.
            const ChildResult program = runChild({"--program", folder, "-", "0"});
            const ChildResult floor = runChild({"--floor", dbPath});
            painted.push_back(program.paintedMs);
            rss.push_back(program.rssKb / 1024.0);
            floorPainted.push_back(floor.paintedMs);
            floorRss.push_back(floor.rssKb / 1024.0);
        }
        const ChildResult ops = runChild({"--program", folder, "ops", QString::number(runs)});
        const double insert = bareStatementMs(dbPath, "INSERT INTO Customer (DBA) VALUES (?)", runs);
        const double update = bareStatementMs(
            dbPath, "UPDATE Customer SET DBA = ? WHERE RowKey = (SELECT max(RowKey) / 2 FROM Customer)", runs);
        const double remove = bareStatementMs(
            dbPath, "DELETE FROM Customer WHERE RowKey = (SELECT min(RowKey) FROM Customer) AND ? IS NOT NULL", runs);

        const QMap<QString, std::pair<const char*, double>> readFloors{
            {"scroll-middle", {"SELECT 64 lines", bareRowsMs(dbPath, "SELECT RowKey, DBA FROM Customer WHERE RowKey >= ? "
                                                                     "ORDER BY RowKey LIMIT 64", {size / 2}, runs)}},
            {"scroll-end", {"SELECT 64 lines", bareRowsMs(dbPath, "SELECT RowKey, DBA FROM Customer ORDER BY RowKey DESC "
                                                                  "LIMIT 64", {}, runs)}},
            {"letter-jump-next", {"SELECT LIKE 'B%'", bareRowsMs(dbPath, "SELECT RowKey FROM Customer WHERE RowKey > ? "
                                                                         "AND DBA LIKE 'B%' ORDER BY RowKey LIMIT 1", {1}, runs)}},
            {"letter-jump-none", {"SELECT LIKE 'Z%'", bareRowsMs(dbPath, "SELECT RowKey FROM Customer WHERE DBA LIKE 'Z%' "
                                                                         "LIMIT 1", {}, runs)}},
            {"find-first", {"SELECT every line", bareRowsMs(dbPath, "SELECT RowKey, DBA FROM Customer ORDER BY RowKey", {}, runs)}},
            {"find-next", {"SELECT LIKE", bareRowsMs(dbPath, "SELECT RowKey FROM Customer WHERE RowKey > ? AND DBA LIKE ? "
                                                             "ORDER BY RowKey LIMIT 1", {size / 3, "%Business 7919 %"}, runs)}},
        };

        std::printf("\n%d customers, %d agents (medians of %d)\n", size, kAgents, runs);
        std::printf("  exec to main window painted  %8.1f ms   bare window %8.1f ms   ratio %.2f\n", median(painted),
                    median(floorPainted), median(painted) / median(floorPainted));
        std::printf("  memory idle                  %8.1f MB   floor %8.1f MB   ratio %.2f\n", median(rss),
                    median(floorRss), median(rss) / median(floorRss));
        for (auto it = ops.operations.cbegin(); it != ops.operations.cend(); ++it) {
            const QString verb = it.key().section('-', 0, 0);
            const double bare = verb == "add" ? insert : verb == "edit" ? update : verb == "delete" ? remove : 0;
            std::printf("  %-28s %8.2f ms", qPrintable(it.key()), it.value());
            if (bare > 0)
                std::printf("   bare %s %6.2f ms", verb == "add" ? "INSERT" : verb == "edit" ? "UPDATE" : "DELETE", bare);
            else if (readFloors.contains(it.key()))
                std::printf("   %s %6.2f ms", readFloors[it.key()].first, readFloors[it.key()].second);
            std::printf("\n");
        }
        std::printf("  memory over 100 adds and deletes: %.1f MB -> %.1f MB\n", ops.churnBefore / 1024.0,
                    ops.churnAfter / 1024.0);
        std::fflush(stdout);
        if (keep)
            std::printf("  kept in %s\n", qPrintable(folder));
        else
            QFile::remove(dbPath);
    }
    return 0;
}
