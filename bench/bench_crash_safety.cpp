// Kills a child process at random moments while it saves, copies and deletes
// contracts through the program's own store code, and after every kill checks
// the file: SQLite's integrity check is ok, every row is whole, and no row whose
// commit the child saw is lost (nor is a deleted one back).
//
//   bench_crash_safety [kills, default 300] [seed]
//
// The child writes a line to a journal before each operation (its intent) and
// one after the commit returned; a kill between the two leaves the intent alone,
// and the check then accepts either outcome of that one operation.
//
// With "share", several programs work on the one file at once, unkilled, and
// every operation that fails (a lock waited out, say) is counted; the same
// check then finds every committed row:
//
//   bench_crash_safety share [programs, default 8] [operations each, default 500] [saves|mixed]

#include "model/contract/ContractStore.h"
#include "model/contract/PoliciesRow.h"
#include "model/store/Connection.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/PoliciesTable.h"
#include "model/store/Schema.h"
#include "model/store/StoreError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <memory>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Every column of a saved row carries its column name and the row's tag, so a
// row cut short or mixed from two writes shows at once. Run is dated by saving.
QString expected(const QString& column, const QString& tag)
{
    return column == QStringLiteral("DBA") ? tag : column + QLatin1Char(':') + tag;
}

PoliciesRow taggedRow(const QString& tag, const QDateTime& now)
{
    PoliciesRow row;
    for (const QString& column : store::policiesColumns())
        row.set(column, column == QStringLiteral("Run") ? store::storedRun(now) : expected(column, tag));
    return row;
}

void note(int fd, const QByteArray& line)
{
    const QByteArray whole = line + '\n';
    if (::write(fd, whole.constData(), size_t(whole.size())) != whole.size())
        _exit(3);
}

double monotonicMs()
{
    return double(std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::steady_clock::now().time_since_epoch()).count()) / 1e3;
}

// One save, copy or delete, its intent and its outcome written to the journal.
void doOperation(const QString& dbPath, int fd, std::mt19937& random, std::vector<qint64>& ids, const QString& tag,
                 bool savesOnly)
{
    const int choice = int(random() % 10);
    if (savesOnly || choice < 5 || ids.size() < 5) {
        note(fd, "s " + tag.toUtf8());
        const qint64 id = appendContract(dbPath, taggedRow(tag, QDateTime::currentDateTime()));
        note(fd, "S " + QByteArray::number(id));
        ids.push_back(id);
        return;
    }
    const size_t at = random() % ids.size();
    const qint64 id = ids[at];
    if (choice < 8) {
        note(fd, "c " + QByteArray::number(id));
        const qint64 copy = store::copyPolicy(dbPath, id, QDateTime::currentDateTime()).value_or(0);
        note(fd, "C " + QByteArray::number(copy));
        ids.push_back(copy);
    } else {
        note(fd, "d " + QByteArray::number(id));
        store::deletePolicy(dbPath, id);
        note(fd, "D " + QByteArray::number(id));
        ids.erase(ids.begin() + qsizetype(at));
    }
}

// What a child does: until it is killed, or a number of operations while
// others share the file. A sharing child works only on rows it made itself, so
// no two of them copy or delete the same row.
struct ChildWork {
    int operations = -1; // until killed
    bool savesOnly = false;
    bool sharing = false;
};

int runChild(const QString& dbPath, const QString& journal, unsigned seed, const ChildWork& work)
{
    const int fd = ::open(QFile::encodeName(journal).constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0)
        return 2;
    std::mt19937 random(seed);
    std::vector<qint64> ids;
    if (!work.sharing) {
        store::Connection connection(dbPath);
        QSqlQuery query = connection.run(QStringLiteral("SELECT ID FROM Policies"));
        while (query.next())
            ids.push_back(query.value(0).toLongLong());
    }
    int failures = 0;
    double slowest = 0;
    for (int n = 0; n != work.operations; ++n) {
        const double begun = monotonicMs();
        try {
            doOperation(dbPath, fd, random, ids, QStringLiteral("t%1-%2").arg(seed).arg(n), work.savesOnly);
        } catch (const store::StoreError& error) {
            if (failures++ == 0)
                std::printf("program %u: %s\n", seed, qPrintable(error.message()));
        }
        slowest = std::max(slowest, monotonicMs() - begun);
    }
    std::printf("program %u: %d operations, %d failed, slowest %.1f ms\n", seed, work.operations, failures, slowest);
    return std::min(failures, 100);
}

struct Check {
    bool intact = false;
    int rows = 0;
    int brokenRows = 0;
    int lostRows = 0;
    int deletedBack = 0;
    int committedOps = 0;
};

Check checkFile(const QString& dbPath, const QString& journal)
{
    Check check;
    // What the journal says must be there, and what must be gone.
    QSet<qint64> committed, deleted, pendingDelete;
    QFile file(journal);
    if (file.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray& line : lines) {
            if (line.size() < 3)
                continue;
            const qint64 id = line.mid(2).toLongLong();
            switch (line[0]) {
            case 'S': case 'C': committed.insert(id); ++check.committedOps; break;
            case 'd': pendingDelete.insert(id); break;
            case 'D': deleted.insert(id); pendingDelete.remove(id); ++check.committedOps; break;
            default: break;
            }
        }
    }
    store::Connection connection(dbPath);
    QSqlQuery integrity = connection.run(QStringLiteral("PRAGMA integrity_check"));
    check.intact = integrity.next() && integrity.value(0).toString() == QStringLiteral("ok") && !integrity.next();

    QSet<qint64> present;
    QSqlQuery rows = connection.run(QStringLiteral("SELECT * FROM Policies"));
    const QSqlRecord record = rows.record();
    while (rows.next()) {
        ++check.rows;
        present.insert(rows.value(QStringLiteral("ID")).toLongLong());
        const QString tag = rows.value(QStringLiteral("DBA")).toString();
        bool whole = !tag.isEmpty();
        for (const QString& column : store::policiesColumns()) {
            const QString value = rows.value(column).toString();
            if (column == QStringLiteral("Run"))
                whole = whole && QDateTime::fromString(value, Qt::ISODate).isValid();
            else
                whole = whole && value == expected(column, tag);
        }
        if (!whole)
            ++check.brokenRows;
    }
    for (qint64 id : committed)
        if (!deleted.contains(id) && !pendingDelete.contains(id) && !present.contains(id))
            ++check.lostRows;
    for (qint64 id : deleted)
        if (present.contains(id))
            ++check.deletedBack;
    return check;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

// Several programs at once on one file, each a number of operations; every
// failure any of them met is counted.
int runSharing(int programs, int operations, bool savesOnly)
{
    QTemporaryDir dir;
    const QString dbPath = dir.filePath(QStringLiteral("project.mdb"));
    const QString journal = dir.filePath(QStringLiteral("journal.txt"));
    store::createDatabase(dbPath);
    std::vector<std::unique_ptr<QProcess>> children;
    const double start = monotonicMs();
    for (int program = 1; program <= programs; ++program) {
        auto child = std::make_unique<QProcess>();
        child->setProcessChannelMode(QProcess::ForwardedChannels);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--child"), dbPath, journal, QString::number(program),
                      QString::number(operations), savesOnly ? QStringLiteral("saves") : QStringLiteral("mixed")});
        children.push_back(std::move(child));
    }
    int failures = 0;
    for (const auto& child : children) {
        child->waitForFinished(-1);
        failures += child->exitStatus() == QProcess::NormalExit ? child->exitCode() : 1;
    }
    const double seconds = (monotonicMs() - start) / 1e3;
    const Check check = checkFile(dbPath, journal);
    std::printf("%d programs x %d %s at once: %d failed, %.0f operations per second\n", programs, operations,
                savesOnly ? "saves" : "saves, copies and deletes", failures, programs * operations / seconds);
    std::printf("file intact %d, rows %d, broken rows %d, lost rows %d, deleted rows back %d, committed %d\n",
                int(check.intact), check.rows, check.brokenRows, check.lostRows, check.deletedBack,
                check.committedOps);
    const bool whole = check.intact && !check.brokenRows && !check.lostRows && !check.deletedBack;
    return failures == 0 && whole && check.committedOps == programs * operations ? 0 : 1;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QStringLiteral("--child"))
        return runChild(args[2], args[3], args[4].toUInt(), {});
    if (args.size() == 7 && args[1] == QStringLiteral("--child"))
        return runChild(args[2], args[3], args[4].toUInt(),
                        {args[5].toInt(), args[6] == QStringLiteral("saves"), true});
    if (args.value(1) == QStringLiteral("share"))
        return runSharing(args.size() > 2 ? args[2].toInt() : 8, args.size() > 3 ? args[3].toInt() : 500,
                          args.value(4, QStringLiteral("saves")) == QStringLiteral("saves"));

    const int kills = args.size() > 1 ? args[1].toInt() : 300;
    const unsigned seed = args.size() > 2 ? args[2].toUInt() : std::random_device{}();
    QTemporaryDir dir;
    const QString dbPath = dir.filePath(QStringLiteral("project.mdb"));
    const QString journal = dir.filePath(QStringLiteral("journal.txt"));
    store::createDatabase(dbPath);
    std::mt19937 random(seed);
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());

    int failures = 0, hotJournals = 0, idleKills = 0;
    std::vector<double> checkMs;
    Check last;
    for (int kill = 1; kill <= kills; ++kill) {
        const int opsBefore = last.committedOps;
        const QByteArray childSeed = QByteArray::number(seed + unsigned(kill));
        const pid_t child = fork();
        if (child == 0) {
            const QByteArray db = QFile::encodeName(dbPath), log = QFile::encodeName(journal);
            execl(self.constData(), self.constData(), "--child", db.constData(), log.constData(),
                  childSeed.constData(), static_cast<char*>(nullptr));
            _exit(127);
        }
        // The child needs some milliseconds to start; most kills land in its work.
        std::this_thread::sleep_for(std::chrono::microseconds(20000 + random() % 180000));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFSIGNALED(status)) {
            std::printf("kill %d: the child ended by itself (status %d)\n", kill, status);
            ++failures;
        }
        if (QFileInfo(dbPath + QStringLiteral("-journal")).size() > 0)
            ++hotJournals;

        QElapsedTimer timer;
        timer.start();
        last = checkFile(dbPath, journal);
        checkMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (last.committedOps == opsBefore)
            ++idleKills;
        if (!last.intact || last.brokenRows || last.lostRows || last.deletedBack) {
            ++failures;
            std::printf("kill %d: intact %d, broken rows %d, lost rows %d, deleted rows back %d\n", kill,
                        int(last.intact), last.brokenRows, last.lostRows, last.deletedBack);
        }
    }
    std::printf("seed %u\n", seed);
    std::printf("kills %d, failed checks %d\n", kills, failures);
    std::printf("kills with a transaction under way (hot journal left) %d, kills before any commit %d\n",
                hotJournals, idleKills);
    std::printf("committed operations %d, rows at the end %d\n", last.committedOps, last.rows);
    std::printf("check after a kill: median %.1f ms\n", median(checkMs));
    return failures == 0 ? 0 : 1;
}
