#include "people/TestProgram.h"
#include "store/AgentTable.h"
#include "store/CustomerTable.h"
#include "store/PoliciesColumns.h"

#include <QtTest>

using Row = QList<QVariant>;
Q_DECLARE_METATYPE(Row)

class PeopleTablesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void rowsKeepTheirOrder();
    void deletedRowLeavesNoGapAndItsKeyIsNeverReused();
    void emptyValuesAreNotWritten();
    void updateKeepsWhatBlankFieldsDoNotName();
    void customerLinesRepairMissingDba_data();
    void customerLinesRepairMissingDba();

private:
    QString names(const QList<store::ListLine>& lines);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_db;
};

void PeopleTablesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_db = m_dir->filePath("people.mdb");
    store::createDatabase(m_db);
}

QString PeopleTablesTest::names(const QList<store::ListLine>& lines)
{
    QStringList texts;
    for (const store::ListLine& line : lines)
        texts << line.text;
    return texts.join("|");
}

void PeopleTablesTest::rowsKeepTheirOrder()
{
    const store::PeopleTable agents = store::agentTable(m_db);
    for (const char* name : {"Zed", "Amy", "Moe"})
        agents.insert({name});
    const auto first = store::agentLines(m_db);
    QCOMPARE(names(first), QString(" - Zed| - Amy| - Moe"));
    QCOMPARE(store::agentLines(m_db), first);

    const store::RowKey added = agents.insert({"Bea"});
    const auto after = store::agentLines(m_db);
    QCOMPARE(after.size(), 4);
    QCOMPARE(after.last().key, added);
    QCOMPARE(after.last().text, QString(" - Bea"));
}

void PeopleTablesTest::deletedRowLeavesNoGapAndItsKeyIsNeverReused()
{
    const store::PeopleTable customers = store::customerTable(m_db);
    for (const char* dba : {"One", "Two", "Three", "Four"})
        customers.insert({"", dba});
    const auto before = store::customerLines(m_db);
    customers.remove(before[1].key);
    const auto after = store::customerLines(m_db);
    QCOMPARE(names(after), QString("One|Three|Four"));
    QCOMPARE(after[1], before[2]);
    QCOMPARE(after[2], before[3]);

    customers.remove(before[3].key);
    const store::RowKey added = customers.insert({"", "Five"});
    QVERIFY(added != before[3].key);
    QVERIFY(!customers.row(before[3].key).has_value());
}

void PeopleTablesTest::emptyValuesAreNotWritten()
{
    const store::PeopleTable agents = store::agentTable(m_db);
    const store::RowKey key = agents.insert({"Jo Smith", "", "1 Main St"});
    QCOMPARE(columnOf(m_db, "Agent", "Company"), QStringList{"<null>"});
    QCOMPARE(columnOf(m_db, "Agent", "Fax"), QStringList{"<null>"});
    const QStringList row = *agents.row(key);
    QCOMPARE(row.size(), 9);
    QCOMPARE(row[0], QString("Jo Smith"));
    QCOMPARE(row[1], QString());
    QCOMPARE(row[2], QString("1 Main St"));
}

void PeopleTablesTest::updateKeepsWhatBlankFieldsDoNotName()
{
    const store::PeopleTable customers = store::customerTable(m_db);
    const store::RowKey key = customers.insert({"Ann Lee", "Lee Farms", "", "", "", "", "", "555-1234", ""});
    customers.update(key, {"", "Lee Farms Inc", "", "", "Decatur", "", "", "", ""});
    QCOMPARE(*customers.row(key), (QStringList{"Ann Lee", "Lee Farms Inc", "", "", "Decatur", "", "", "555-1234", ""}));
    QCOMPARE(columnOf(m_db, "Customer", "Zip"), QStringList{"<null>"});
}

void PeopleTablesTest::customerLinesRepairMissingDba_data()
{
    QTest::addColumn<Row>("nameAndDba");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("storedDba");
    QTest::newRow("null DBA takes the name") << Row{"Ann Lee", QVariant()} << "Ann Lee" << "Ann Lee";
    QTest::newRow("empty DBA takes the name") << Row{"Bob Ray", ""} << "Bob Ray" << "Bob Ray";
    QTest::newRow("DBA kept when present") << Row{"Cy Doe", "Doe Ranch"} << "Doe Ranch" << "Doe Ranch";
    QTest::newRow("neither gives an empty line") << Row{QVariant(), QVariant()} << "" << "<null>";
    QTest::newRow("blank DBA is a DBA") << Row{"Di Fox", "  "} << "  " << "  ";
}

void PeopleTablesTest::customerLinesRepairMissingDba()
{
    QFETCH(Row, nameAndDba);
    QFETCH(QString, line);
    QFETCH(QString, storedDba);
    insertRows(m_db, "Customer", {"Name", "DBA"}, {{"First", "First Co"}, nameAndDba, {"Last", "Last Co"}});
    const auto lines = store::customerLines(m_db);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[1].text, line);
    QCOMPARE(columnOf(m_db, "Customer", "DBA"), (QStringList{"First Co", storedDba, "Last Co"}));
}

QTEST_GUILESS_MAIN(PeopleTablesTest)
#include "tst_PeopleTables.moc"
