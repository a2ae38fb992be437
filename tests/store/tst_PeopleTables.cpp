#include "people/TestProgram.h"
#include "store/AgentTable.h"
#include "store/StoreError.h"

#include <QtTest>

class PeopleTablesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
private slots:
    // The same order every time, a new row last, no gap where a row was deleted, no key used twice.
    void rowsKeepTheirOrder()
    {
        const QString db = m_dir.filePath("order.mdb");
        store::createDatabase(db);
        const store::PeopleTable agents = store::agentTable(db);
        for (const char* name : {"Zed", "Amy", "Moe", "Bea"})
            agents.insert({name});
        const auto before = store::agentLines(db);
        QCOMPARE(store::agentLines(db), before);
        agents.remove(before[1].key);
        agents.remove(before[3].key);
        const store::RowKey added = agents.insert({"Cy", "", "1 Main St"});
        QCOMPARE(store::agentLines(db), (QList<store::ListLine>{before[0], before[2], {added, " - Cy"}}));
        QVERIFY(added != before[3].key);
        QCOMPARE(columnOf(db, "Agent", "Company"), (QStringList{"<null>", "<null>", "<null>"}));
        QCOMPARE(*agents.row(added), (QStringList{"Cy", "", "1 Main St", "", "", "", "", "", ""}));
    }

    // A write that fails halfway leaves nothing; a missing file is an error, never a new empty database.
    void failuresLeaveNothing()
    {
        const QString db = m_dir.filePath("tx.mdb");
        store::createDatabase(db);
        store::Connection connection(db);
        QVERIFY_THROWS_EXCEPTION(store::StoreError, connection.transaction([&] {
            connection.run("INSERT INTO Agent (Name) VALUES (?)", {"Jo"});
            connection.run("INSERT INTO NoSuchTable (Name) VALUES (?)", {"Jo"});
        }));
        QCOMPARE(columnOf(db, "Agent", "Name"), QStringList{});
        QVERIFY_THROWS_EXCEPTION(store::StoreError, store::Connection{m_dir.filePath("gone.mdb")});
        QVERIFY(!QFile::exists(m_dir.filePath("gone.mdb")));
    }
};

QTEST_GUILESS_MAIN(PeopleTablesTest)
#include "tst_PeopleTables.moc"
