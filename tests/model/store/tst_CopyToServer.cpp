#include "model/store/AgentTable.h"
#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/PoliciesTable.h"
#include "model/store/Schema.h"
#include "model/store/ServerCopy.h"
#include "model/store/ServerSchema.h"

#include "support/TestDatabase.h"
#include "support/ThrowawayServer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class CopyToServerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.started(), qPrintable(m_server.error()));
        // A database as the program leaves it: rows deleted in between, so
        // keys have gaps, and contracts with empty (NULL) columns.
        m_file = m_dir.filePath("project.mdb");
        store::createDatabase(m_file);
        const store::PeopleTable agents = store::agentTable(m_file), customers = store::customerTable(m_file);
        for (int n = 0; n < 4; ++n)
            agents.insert({QString("Agent %1").arg(n), QString("Company %1").arg(n), "", "", "Town"});
        agents.remove(2);
        for (int n = 0; n < 6; ++n)
            customers.insert({QString("Customer %1").arg(n), n == 3   ? ""
                                                             : n == 4 ? "Tab\there\nline \\N back\\slash\r"
                                                                      : QString("DBA %1").arg(n)});
        customers.remove(1);
        const QStringList columns = store::policiesColumns();
        for (int n = 0; n < 21; ++n) {
            QStringList texts;
            for (int c = 0; c < columns.size(); ++c)
                texts << ((c + n) % 4 == 0 ? QString() : QString("%1 %2").arg(columns[c]).arg(n));
            store::appendPolicy(m_file, columns, texts);
        }
        store::deletePolicy(m_file, 5);
    }

    // The program copies every row and column as stored, keys kept, and says what it copied; the
    // server numbers new rows after them; a second copy is refused and changes nothing.
    void copiesOnceExactly()
    {
        const store::ServerAddress server = m_server.createDatabase("office");
        const QStringList arguments{m_file, "--host", server.host, "--dbname", server.dbname, "--user", server.user};
        const auto copy = [&](int exitCode) {
            QProcess program;
            program.start(QUILLON_COPY_PROGRAM, arguments);
            return program.waitForFinished(600000) && program.exitCode() == exitCode
                ? QString(program.readAllStandardOutput() + program.readAllStandardError()) : QString("<failed>");
        };
        QCOMPARE(copy(0), QString("Copied 3 agents, 5 customers and 20 contracts to %1.\n").arg(server.displayName()));
        const store::Place office(server);
        for (const auto& [table, columns] : QList<std::pair<QString, QString>>{
                 {"Agent", "RowKey, " + store::agentColumns().join(", ")},
                 {"Customer", "RowKey, " + store::customerColumns().join(", ")},
                 {"Policies", "ID, " + store::policiesColumns().join(", ")}})
            QCOMPARE(testdb::columnOf(office, table, columns), testdb::columnOf(m_file, table, columns));
        QCOMPARE(store::appendPolicy(office, {"DBA"}, {"New"}), 22);
        QCOMPARE(store::agentTable(office).insert({"Later"}).key, 5);
        QVERIFY(copy(1).contains("already holds Agent rows; nothing was copied"));
        QCOMPARE(testdb::columnOf(office, "Policies", "ID").size(), 21);
        QCOMPARE(testdb::columnOf(office, "Agent", "RowKey").size(), 4);
    }

    // Rows copied as the first thing a transaction does belong to it: rolled back, none stays.
    void copyBelongsToItsTransaction()
    {
        const store::Place office(m_server.createDatabase("rolled back"));
        store::Connection server(office);
        store::completeServerSchema(server);
        server.rolledBack([&] {
            store::ServerCopyIn copy(server, "Agent", {"Name"});
            copy.add({"Copied"});
            copy.finish();
        });
        QCOMPARE(testdb::columnOf(office, "Agent", "RowKey").size(), 0);
    }

private:
    ThrowawayServer m_server;
    QTemporaryDir m_dir;
    QString m_file;
};

QTEST_GUILESS_MAIN(CopyToServerTest)
#include "tst_CopyToServer.moc"
