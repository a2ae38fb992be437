#include "app/AboutText.h"
#include "model/store/AgentTable.h"
#include "model/store/ListChanges.h"
#include "model/store/ServerLink.h"
#include "model/store/ServerSchema.h"
#include "model/store/WriteToken.h"
#include "support/CuttingProxy.h"
#include "support/TestDatabase.h"
#include "support/TestProgram.h"
#include "support/ThrowawayServer.h"
#include "windows/people/AgentDialog.h"
#include "windows/ui/StoreGuard.h"

#include <QAbstractItemView>
#include <QtTest>

#include <csignal>
#include <thread>

// The office server under the faults an office meets: replies lost after
// COMMIT, a frozen server, restarts between the agents' actions, the loss of
// the primary server and a standby taking over.
namespace {

using Act = std::function<void(TestProgram&)>;

// The ID the last Save / Print handed back for its kept note.
qint64 lastSavedId = 0;

void savePrint(TestProgram& w)
{
    lastSavedId = w.review()->SaveData(w.schedule()->scheduleValues()).value_or(0);
}

void copyFirst(TestProgram& w)
{
    w.control<QPushButton>(w.previous(), "cmdCopy")->click();
}

// OK in the new-agent dialog, shown as New Agent shows it; after a failure
// it stays open with what was typed, and OK is pressed again.
void agentOk(TestProgram& w)
{
    QWidget* dialog = w.app->windows().agentDialog;
    if (!dialog->isVisible()) {
        dialog->show();
        w.control(dialog, "txtName")->setText("New Agent");
    }
    w.control<QPushButton>(dialog, "cmdOK")->click();
}

qint64 count(const store::Place& place, const QString& sql) { return testdb::firstValue(place, sql).toLongLong(); }

} // namespace

class ServerFaultsTest : public QObject {
    Q_OBJECT
private slots:
    // The windows below each get a new database of their own on the test's server.
    void initTestCase() { qputenv("QUILLON_TEST_BACKEND", "server"); }
    void cleanup()
    {
        store::setServerWaits({});
        store::closeThreadConnections();
    }

    // The reply to COMMIT lost: when the server can be asked again at once,
    // the user hears nothing; when it cannot, the outcome is said to be
    // unknown and the retry stores nothing twice. Either way one row.
    void lostCommitReplyStoresOnce_data()
    {
        QTest::addColumn<Act>("act");
        QTest::addColumn<QString>("counted");
        QTest::addColumn<bool>("serverGoneAfterCut");
        QTest::addColumn<QString>("unknownSaid");
        const QString contracts = "SELECT count(*) FROM Policies WHERE PolicyNo1 = 'P-1'";
        const QString agents = "SELECT count(*) FROM Agent WHERE Name = 'New Agent'";
        for (const auto& [name, act, counted] : QList<std::tuple<const char*, Act, QString>>{
                 {"save", savePrint, contracts}, {"copy", copyFirst, contracts}, {"agent OK", agentOk, agents}})
            for (const bool gone : {false, true})
                QTest::addRow("%s, %s", name, gone ? "server out of reach" : "server asked again")
                    << act << counted << gone << ui::kOutcomeUnknown;
        // At start-up nothing is on screen to try again with: the program ends, saying nothing typed was lost.
        QTest::newRow("start-up naming a customer's DBA, server out of reach")
            << Act([](TestProgram& w) { w.main()->startUp(); }) << "SELECT count(*) FROM Customer WHERE DBA = 'Dee'"
            << true << ui::kStartUpOutcomeUnknown;
    }
    void lostCommitReplyStoresOnce()
    {
        QFETCH(Act, act);
        QFETCH(QString, counted);
        QFETCH(bool, serverGoneAfterCut);
        QFETCH(QString, unknownSaid);
        CuttingProxy proxy(testdb::server().socketFolder());
        QVERIFY(proxy.started());
        NewContract w;
        const store::Place direct = w.session().database();
        w.session().Server.host = proxy.socketFolder();
        const QByteArray tag = QTest::currentDataTag();
        if (tag.startsWith("copy")) {
            store::Connection(direct).run("INSERT INTO Policies (DBA, PolicyNo1) VALUES ('Ann''s', 'P-1')");
            w.session().SelectedName = "Ann's";
            w.previous()->showFromSchedule();
        }
        if (tag.startsWith("start-up"))
            store::Connection(direct).run("INSERT INTO Customer (Name) VALUES ('Dee')");
        w.field("txtPolicy1_0")->setText("P-1");
        const qint64 before = count(direct, counted);

        proxy.cutAfterCommits(1, serverGoneAfterCut);
        act(w);
        QCOMPARE(proxy.cutsDone(), 1);
        if (serverGoneAfterCut) {
            QVERIFY2(w.messages.last().text.startsWith(unknownSaid + "\nError 08"), qPrintable(w.messages.last().text));
            proxy.refuseConnections(false);
            act(w);
        }
        QCOMPARE(w.messages.shown.size(), serverGoneAfterCut ? 1 : 0);
        QCOMPARE(count(direct, counted), before + 1);
        // The save found done by an earlier try still names its row.
        if (tag.startsWith("save"))
            QCOMPARE(lastSavedId, count(direct, "SELECT ID FROM Policies WHERE PolicyNo1 = 'P-1'"));
        // Pressed again once stored, it is a second contract, copy or agent of its own
        // (the agent's name already stored, the user says so).
        if (tag.startsWith("start-up"))
            return;
        w.messages.answers << true;
        act(w);
        QCOMPARE(count(direct, counted), before + 2);
    }

    // What one view of the office database reads in several statements belongs to one moment, even
    // when another desk stores a row between them.
    void snapshotReadsOneMoment()
    {
        const store::Place place = testdb::freshDatabaseOn(testdb::server(), "one moment");
        const auto agents = [](store::Connection& connection) {
            QSqlQuery query = connection.run("SELECT count(*) FROM Agent");
            return query.next() ? query.value(0).toLongLong() : -1;
        };
        store::Connection reader(place);
        qint64 first = -1, second = -1;
        reader.snapshot([&] {
            first = agents(reader);
            std::thread([&] {
                store::agentTable(place).insert({"Meanwhile"});
                store::closeThreadConnections();
            }).join();
            second = agents(reader);
        });
        QCOMPARE(second, first);
        QCOMPARE(agents(reader), first + 1);
    }

    // A desk whose COMMIT is lost on its way leaves its session inside its transaction, holding what
    // it wrote: every other desk's add, edit and delete of an agent still goes through, and the
    // server ends the stuck session within the program's bound.
    void stuckDeskHoldsUpNoOther()
    {
        store::setServerWaits({10, 10, 1});
        CuttingProxy proxy(testdb::server().socketFolder());
        QVERIFY(proxy.started());
        NewContract w;
        const store::Place direct = w.session().database();
        // The database as a release that counted every change in one shared row left it, then
        // opened by this one.
        store::Connection(direct).runUnprepared("DROP TABLE ListChangeLog");
        store::Connection(direct).runUnprepared(store::earlierServerCountFunctions().value(0).replace("CREATE", "CREATE OR REPLACE"));
        store::Connection opening(direct);
        store::completeServerSchema(opening);
        store::Place stuck = direct;
        stuck.server.host = proxy.socketFolder();
        const store::PeopleTable agents = store::agentTable(direct);
        const store::RowKey kept = agents.insert({"Kept"}).key;

        proxy.swallowNextCommit();
        std::thread stuckDesk([&] {
            try {
                store::agentTable(stuck).insert({"Stuck"}, store::newWriteToken(QDateTime::currentDateTimeUtc()));
            } catch (const store::StoreError&) {
            }
            store::closeThreadConnections();
        });
        auto joined = qScopeGuard([&] { stuckDesk.join(); });
        QTRY_COMPARE_WITH_TIMEOUT(proxy.commitsSwallowed(), 1, 300000);
        const std::optional<qint64> changes = agents.changeCount();
        QStringList done;
        try {
            const store::RowKey added = agents.insert({"Added"}, store::newWriteToken(QDateTime::currentDateTimeUtc())).key;
            done << "added";
            agents.update(added, {"Edited"}, store::newWriteToken(QDateTime::currentDateTimeUtc()));
            done << "edited";
            agents.remove(kept);
            done << "deleted";
        } catch (const store::StoreError& failure) {
            done << failure.message();
        }
        QCOMPARE(done, (QStringList{"added", "edited", "deleted"}));
        // Done while the stuck session still stood, none of it waited for that session's end; and
        // the lists see all three changes.
        // Sessions of this database that wrote and sit in their transaction: the program's own readers
        // hold no transaction ID, and earlier rows' sessions belong to their own databases.
        const QString stuckSessions = "SELECT count(*) FROM pg_stat_activity WHERE state LIKE 'idle in transaction%'"
                                      " AND backend_xid IS NOT NULL AND datname = current_database()";
        QCOMPARE(count(direct, stuckSessions), qint64(1));
        QCOMPARE(agents.changeCount(), std::optional<qint64>(*changes + 3));
        // The stuck desk ends once the server drops its session; only then does no transaction of its
        // own (a retry's) stand in the count beside the stuck one.
        stuckDesk.join();
        joined.dismiss();
        QTRY_COMPARE_WITH_TIMEOUT(count(direct, stuckSessions), qint64(0), 300000);
        QCOMPARE(count(direct, "SELECT count(*) FROM Agent WHERE Name IN ('Kept', 'Added', 'Stuck')"), qint64(0));
        QCOMPARE(count(direct, "SELECT count(*) FROM Agent WHERE Name = 'Edited'"), qint64(1));
    }

    // A server that stops answering (its process frozen) is given up after the bound with the store's
    // message, the contract still on screen; a restart of the server between two actions costs the
    // user nothing.
    void frozenOrRestartedServer_data()
    {
        QTest::addColumn<bool>("frozen");
        QTest::newRow("frozen") << true;
        QTest::newRow("restarted") << false;
    }
    void frozenOrRestartedServer()
    {
        QFETCH(bool, frozen);
        store::setServerWaits({10, 1, 1});
        NewContract w;
        const store::Place place = w.session().database();
        w.field("txtPolicy1_0")->setText("P-1");
        savePrint(w);
        const pid_t backend = pid_t(count(place, "SELECT pg_backend_pid()"));
        QVERIFY(frozen ? ::kill(backend, SIGSTOP) == 0 : testdb::server().restart());
        w.field("txtPolicy1_0")->setText("P-2");
        savePrint(w);
        if (frozen) {
            ::kill(backend, SIGCONT);
            // Given up at the shortened bound, with the work still on screen.
            QCOMPARE(w.messages.shown.size(), 1);
            QCOMPARE(w.messages.last().text, ui::kNothingSaved + "\nError 08006: The server gave no answer within 2 "
                                                                 "seconds; the connection was closed.");
            QCOMPARE(w.field("txtPolicy1_0")->text(), QString("P-2"));
            QCOMPARE(count(place, "SELECT count(*) FROM Policies"), 1);
            savePrint(w); // the next try finds a server that answers
        } else {
            QVERIFY(testdb::server().restart());
            w.main()->FillAgentList();
        }
        QCOMPARE(w.messages.shown.size(), frozen ? 1 : 0);
        QCOMPARE(count(place, "SELECT count(*) FROM Policies WHERE PolicyNo1 = 'P-2'"), 1);
    }

    // The primary lost for good and its synchronous standby promoted: every contract the desk was told was
    // saved is on the new primary once; a write whose reply was lost at the loss is found there by its token
    // when tried again; the next save goes to the new primary without a word.
    void primaryLostStandbyTakesOver_data()
    {
        QTest::addColumn<Act>("inFlight");
        QTest::addColumn<QString>("counted");
        QTest::newRow("nothing in flight") << Act() << QString();
        QTest::newRow("save in flight") << Act(savePrint) << "SELECT count(*) FROM Policies WHERE PolicyNo1 = 'P-4'";
        QTest::newRow("agent OK in flight") << Act(agentOk) << "SELECT count(*) FROM Agent WHERE Name = 'New Agent'";
    }
    void primaryLostStandbyTakesOver()
    {
        QFETCH(Act, inFlight);
        QFETCH(QString, counted);
        ThrowawayServer primary;
        ThrowawayServer standby(primary);
        QVERIFY2(primary.started() && standby.started(), qPrintable(primary.error() + standby.error()));
        const store::Place office = testdb::freshDatabaseOn(primary, "office");
        CuttingProxy proxy(primary.socketFolder());
        NewContract w;
        w.session().Server = office.server;
        // The standby named first: the desk still goes to the host that accepts changes.
        w.session().Server.host = standby.socketFolder() + ',' + proxy.socketFolder();
        for (const QString policy : {"P-1", "P-2", "P-3"}) {
            w.field("txtPolicy1_0")->setText(policy);
            savePrint(w);
        }
        w.field("txtPolicy1_0")->setText("P-4");
        if (inFlight) {
            proxy.cutAfterCommits(1, true);
            inFlight(w);
            QCOMPARE(w.messages.shown.size(), 1);
            QVERIFY2(w.messages.last().text.startsWith(ui::kOutcomeUnknown), qPrintable(w.messages.last().text));
        }
        QVERIFY(primary.stopHard());
        QVERIFY(standby.promote());
        if (inFlight)
            inFlight(w);
        w.field("txtPolicy1_0")->setText("P-5");
        savePrint(w);
        QCOMPARE(w.messages.shown.size(), inFlight ? 1 : 0);
        const store::Place taken(standby.address("office"));
        QCOMPARE(count(taken, "SELECT count(DISTINCT PolicyNo1) * 100 + count(*) FROM Policies WHERE PolicyNo1 "
                              "IN ('P-1', 'P-2', 'P-3', 'P-5')"), qint64(404));
        if (inFlight)
            QCOMPARE(count(taken, counted), 1);
        QVERIFY2(aboutText(w.session()).contains("\nServer: " + standby.socketFolder() + ":5432 (the primary)\n"),
                 qPrintable(aboutText(w.session())));
    }

    // A desk that reaches only a standby starts and shows the lists and the contracts, and refuses every
    // change with the message that the server takes none at the moment; nothing is stored anywhere.
    void standbyRefusesEveryChange_data()
    {
        QTest::addColumn<Act>("act");
        QTest::addColumn<QString>("fate");
        QTest::newRow("save, standby alone") << Act(savePrint) << ui::kNothingSaved;
        QTest::newRow("copy, standby alone") << Act(copyFirst) << ui::kNothingCopied;
        QTest::newRow("agent OK, standby alone") << Act(agentOk) << ui::kNothingStored;
    }
    void standbyRefusesEveryChange()
    {
        QFETCH(Act, act);
        QFETCH(QString, fate);
        ThrowawayServer primary;
        ThrowawayServer standby(primary);
        QVERIFY2(primary.started() && standby.started(), qPrintable(primary.error() + standby.error()));
        const store::Place office = testdb::freshDatabaseOn(primary, "office");
        // A week-old write token, which a start on the primary removes.
        insertRows(office, "WriteTokens", {"Token"}, {{"20010101000000-old"}});
        insertRows(office, "Agent", {"Company", "Name"}, {{"Agency Co", "Ann Agent"}});
        insertRows(office, "Customer", {"Name", "DBA"}, {{"Carl Customer", "Carl's Hauling"}});
        insertRows(office, "Policies", {"DBA", "PolicyNo1"}, {{"Carl's Hauling", "P-1"}});
        const QString stored = "SELECT (SELECT count(*) FROM Policies) * 10000 + (SELECT count(*) FROM Agent) * 100 "
                               "+ (SELECT count(*) FROM WriteTokens)";
        QCOMPARE(count(office, stored), qint64(10101));

        TestProgram desk;
        desk.now = [&desk] { return desk.clock; };
        QFile ini(chooseSettingsFiles(desk.env).read);
        QVERIFY(QDir().mkpath(QFileInfo(ini).absolutePath()) && ini.open(QIODevice::WriteOnly));
        ini.write(testdb::serverSection(store::Place(standby.address("office"))).toUtf8());
        ini.close();
        QVERIFY(desk.start());
        desk.session().quit = [] {};
        QCOMPARE(linesOf(desk.agents()).size(), 1);
        desk.click(desk.main(), "cmdNext");
        desk.session().SelectedName = "Carl's Hauling";
        desk.previous()->showFromSchedule();
        QCOMPARE(desk.control<QAbstractItemView>(desk.previous(), "fgRecords")->model()->rowCount(), 1);
        QCOMPARE(desk.messages.shown.size(), 0);
        QVERIFY(aboutText(desk.session()).contains(":5432 (a standby, accepts no changes at the moment)\n"));

        desk.field("txtPolicy1_0")->setText("P-2");
        act(desk);
        QCOMPARE(desk.messages.shown.size(), 1);
        QCOMPARE(desk.messages.last().text, fate + "\nError 25006: The office server accepts no changes at the moment (it is "
                                                   "a standby). Try again shortly or ask whoever looks after the office server.");
        QCOMPARE(count(office, stored), qint64(10101));
    }
};

QTEST_MAIN(ServerFaultsTest)
#include "tst_ServerFaults.moc"
