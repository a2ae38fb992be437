// Soak of the office server's failover: two saving programs run while the
// primary is stopped hard and its synchronous standby promoted, the old
// primary rebuilt as the new standby, and the roles switched back the same
// way. Every save a program reported done must be stored once, every save it
// reported failed must be absent. Run by hand (root or a user who may run
// PostgreSQL's initdb); prints the figures and exits 1 on any loss or double.

#include "model/store/Connection.h"
#include "model/store/PoliciesTable.h"
#include "model/store/StoreError.h"
#include "model/store/WriteToken.h"
#include "support/TestDatabase.h"
#include "support/ThrowawayServer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTextStream>
#include <QThread>

#include <cstdio>

namespace {

// One saving program: saves contracts one after another until its input
// closes, each tried again with its token while its outcome is unknown;
// prints "done N", "failed N" or "unknown N" for each.
int saver(const QStringList& args)
{
    store::ServerAddress server;
    server.host = args.value(0);
    server.dbname = args.value(1);
    server.user = args.value(2);
    const QString tag = args.value(3);
    const store::Place place(server);
    QTextStream out(stdout);
    for (int number = 1; !QFile::exists(args.value(4)); ++number) {
        const QString token = store::newWriteToken(QDateTime::currentDateTimeUtc());
        const QString policy = tag + QString::number(number);
        QString outcome = "unknown";
        bool unknown = false;
        for (int tries = 0; tries < 600; ++tries) {
            try {
                store::appendPolicy(place, {"DBA", "PolicyNo1"}, {tag, policy}, token);
                outcome = "done";
                break;
            } catch (const store::StoreError& error) {
                unknown = unknown || error.commitUnanswered() || error.outcomeUnknown();
                if (!unknown) {
                    outcome = "failed";
                    break;
                }
                QThread::msleep(200);
            }
        }
        out << outcome << ' ' << policy << Qt::endl;
    }
    store::closeThreadConnections();
    return 0;
}

void pause(int seconds) { QThread::sleep(seconds); }

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == "save")
        return saver(args.mid(1));

    QElapsedTimer clock;
    clock.start();
    const auto say = [&](const QString& what) { std::printf("%7.1f s  %s\n", clock.elapsed() / 1000.0, qPrintable(what)); std::fflush(stdout); };
    ThrowawayServer first;
    ThrowawayServer second(first);
    if (!first.started() || !second.started()) {
        std::printf("servers did not start: %s\n", qPrintable(first.error() + second.error()));
        return 2;
    }
    const store::Place office = testdb::freshDatabaseOn(first, "office");
    const QString hosts = first.socketFolder() + ',' + second.socketFolder();
    const QString stop = second.socketFolder() + "/../stop-savers";
    QFile::remove(stop);
    QList<QProcess*> savers;
    for (const QString tag : {"A-", "B-"}) {
        auto* process = new QProcess;
        process->start(app.applicationFilePath(), {"save", hosts, "office", first.user(), tag, stop});
        savers << process;
    }
    say("two savers on the primary");
    pause(5);
    say(first.stopHard() && second.promote() ? "primary stopped hard, standby promoted" : "FAILOVER FAILED");
    pause(5);
    say(first.rebuildAsStandbyOf(second) ? "old primary rebuilt as the standby" : "REBUILD FAILED");
    pause(5);
    say(second.stopHard() && first.promote() ? "roles switched back: primary stopped hard, standby promoted"
                                              : "SWITCH BACK FAILED");
    pause(5);
    say(second.rebuildAsStandbyOf(first) ? "the other rebuilt as the standby" : "REBUILD FAILED");
    pause(5);
    QFile marker(stop);
    marker.open(QIODevice::WriteOnly);
    marker.close();
    QHash<QString, QString> reported;
    for (QProcess* process : savers) {
        process->waitForFinished(180000);
        for (const QByteArray& line : process->readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                reported.insert(QString::fromUtf8(line).section(' ', 1), QString::fromUtf8(line).section(' ', 0, 0));
        delete process;
    }
    QFile::remove(stop);

    store::Connection connection(store::Place(first.address("office")));
    QHash<QString, int> stored;
    for (QSqlQuery query = connection.run("SELECT PolicyNo1, count(*) FROM Policies GROUP BY PolicyNo1"); query.next();)
        stored.insert(query.value(0).toString(), query.value(1).toInt());
    int done = 0, failed = 0, unknown = 0, lost = 0, doubled = 0, failedButStored = 0;
    for (auto it = reported.cbegin(); it != reported.cend(); ++it) {
        const int rows = stored.value(it.key());
        doubled += rows > 1;
        if (it.value() == "done")
            ++done, lost += rows == 0;
        else if (it.value() == "failed")
            ++failed, failedButStored += rows > 0;
        else
            ++unknown;
    }
    std::printf("saves reported done %d, failed %d, unknown %d; stored rows %lld\n"
                "done but missing %d, stored twice %d, failed but stored %d\n",
                done, failed, unknown, qlonglong(stored.size()), lost, doubled, failedButStored);
    store::closeThreadConnections();
    return lost + doubled + failedButStored == 0 ? 0 : 1;
}
