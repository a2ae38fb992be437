#include "people/TestProgram.h"
#include "store/AgentTable.h"
#include "store/CustomerTable.h"
#include "contract/PolicyScheduleWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"

#include <QDialog>
#include <QScrollBar>
#include <QtTest>

namespace {
using Rows = QList<QList<QVariant>>;
using Action = std::function<void(TestProgram&)>;

// What the user does through the windows, or another program straight in the file.
struct Step { QString what; Action act; };
struct Case { bool agent; Rows rows; QList<Step> steps; bool followed; };

people::KeyedList* listOf(TestProgram& p, bool agent) { return agent ? p.agents() : p.customers(); }

void inDialog(TestProgram& p, bool agent, const char* verb, int position, const QString& text)
{
    listOf(p, agent)->setCurrentRow(position);
    QWidget* window = p.control(p.main(), agent ? "frmAddAgent" : "frmAddCust");
    const QString button = QString("cmd") + verb + (agent ? "Agent" : "Cust");
    TestProgram::whileOpen([&] { p.click(p.main(), qPrintable(button)); }, [&] {
        if (!text.isNull())
            p.type(window, agent ? "txtCoName" : "txtDBA", text);
        p.click(window, "cmdOK");
    });
}

Step userAdds(bool agent, const QString& text)
{
    return {"add", [=](TestProgram& p) { inDialog(p, agent, "New", -1, text); }};
}
Step userEdits(bool agent, int position, const QString& text = QString())
{
    return {"edit", [=](TestProgram& p) { inDialog(p, agent, "Edit", position, text); }};
}
Step userDeletes(bool agent, int position)
{
    return {"delete", [=](TestProgram& p) {
        listOf(p, agent)->setCurrentRow(position);
        p.click(p.main(), agent ? "cmdDeleteAgent" : "cmdDeleteCust");
    }};
}
Step refill(bool agent)
{
    return {"fill", [=](TestProgram& p) { agent ? p.main()->FillAgentList() : p.main()->FillCustomerList(); }};
}
// A statement run by another program on its own connection; ? is the key of the row at position.
Step otherRuns(const QString& sql, int position = -1)
{
    return {"other", [=](TestProgram& p) {
        store::Connection other(p.session().database());
        const QString table = sql.contains("Agent") ? "Agent" : "Customer";
        QSqlQuery keys = other.run(QString("SELECT RowKey FROM %1 ORDER BY RowKey LIMIT 1 OFFSET ?").arg(table),
                                   {std::max(position, 0)});
        const QVariant key = keys.next() ? keys.value(0) : QVariant();
        keys = QSqlQuery();
        other.transaction([&] { position < 0 ? void(other.run(sql)) : void(other.run(sql, {key})); });
    }};
}

// The lines and keys a whole read of the table gives, by the list rules.
QList<QPair<qint64, QString>> fullRead(const store::Place& db, bool agent)
{
    const QString line = agent ? "coalesce(Company, '') || ' - ' || coalesce(Name, '')" : "coalesce(DBA, '')";
    store::Connection connection(db);
    QSqlQuery query = connection.run(QString("SELECT RowKey, %1 FROM %2 ORDER BY RowKey").arg(line, agent ? "Agent" : "Customer"));
    QList<QPair<qint64, QString>> rows;
    while (query.next())
        rows.append({query.value(0).toLongLong(), query.value(1).toString()});
    return rows;
}

QList<QPair<qint64, QString>> shown(const people::KeyedList* list)
{
    QList<QPair<qint64, QString>> rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append({list->keyAt(i).value_or(-1), list->lineText(i)});
    return rows;
}

const Rows kFiveCustomers{{"N0", "C0"}, {"N1", "C1"}, {"N2", "C2"}, {"N3", "C3"}, {"N4", "C4"}};
// More lines than the list reads at once, so its keys and texts come in pieces.
const Rows kManyCustomers = [] {
    Rows rows;
    for (int n = 0; n < 150; ++n)
        rows << QList<QVariant>{QString("N%1").arg(n), QString("Many %1").arg(n)};
    return rows;
}();
const Rows kThreeAgents{{"A0", "Co0"}, {"A1", "Co1"}, {"A2", QVariant()}};
} // namespace
Q_DECLARE_METATYPE(Case)

class ListRefillTest : public QObject {
    Q_OBJECT
private slots:
    // After every kind of change the list shows exactly what a whole read shows, line n showing row n,
    // with the last line selected; the program's own write, when it is the only change since the last fill,
    // changes just its line, while a change by another program makes the next fill read everything again.
    void listEqualsAWholeRead_data()
    {
        QTest::addColumn<Case>("row");
        const bool customer = false, agent = true;
        QTest::newRow("adding a customer") << Case{customer, kFiveCustomers, {userAdds(customer, "C5")}, true};
        QTest::newRow("editing the first customer") << Case{customer, kFiveCustomers, {userEdits(customer, 0, "First")}, true};
        QTest::newRow("editing a middle customer") << Case{customer, kFiveCustomers, {userEdits(customer, 2, "Middle")}, true};
        QTest::newRow("editing the last customer") << Case{customer, kFiveCustomers, {userEdits(customer, 4, "Last")}, true};
        QTest::newRow("editing without changing anything") << Case{customer, kFiveCustomers, {userEdits(customer, 1)}, true};
        QTest::newRow("deleting the first customer") << Case{customer, kFiveCustomers, {userDeletes(customer, 0)}, true};
        QTest::newRow("deleting a middle customer") << Case{customer, kFiveCustomers, {userDeletes(customer, 2)}, true};
        QTest::newRow("deleting the last customer") << Case{customer, kFiveCustomers, {userDeletes(customer, 4)}, true};
        QTest::newRow("deleting the only customer") << Case{customer, kFiveCustomers.mid(0, 1), {userDeletes(customer, 0)}, true};
        QTest::newRow("adding, editing and deleting in turn")
            << Case{customer, kFiveCustomers, {userAdds(customer, "C5"), userDeletes(customer, 0), userEdits(customer, 3, "X"),
                                               userDeletes(customer, 4), userAdds(customer, "C6")}, true};
        QTest::newRow("a fill with nothing changed") << Case{customer, kFiveCustomers, {refill(customer)}, true};
        QTest::newRow("another program adds a customer without DBA")
            << Case{customer, kFiveCustomers, {otherRuns("INSERT INTO Customer (Name) VALUES ('Ann Lee')"), refill(customer)}, false};
        QTest::newRow("another program adds a customer without DBA, then the user deletes")
            << Case{customer, kFiveCustomers, {otherRuns("INSERT INTO Customer (Name) VALUES ('Ann Lee')"), userDeletes(customer, 0)}, false};
        QTest::newRow("another program empties a DBA, then the user adds")
            << Case{customer, kFiveCustomers, {otherRuns("UPDATE Customer SET DBA = NULL WHERE RowKey = ?", 1), userAdds(customer, "C5")}, false};
        QTest::newRow("another program changes a DBA, then the user edits another")
            << Case{customer, kFiveCustomers, {otherRuns("UPDATE Customer SET DBA = 'Theirs' WHERE RowKey = ?", 3), userEdits(customer, 1, "Mine")}, false};
        QTest::newRow("another program deletes the customer the user then deletes")
            << Case{customer, kFiveCustomers, {otherRuns("DELETE FROM Customer WHERE RowKey = ?", 2), userDeletes(customer, 2)}, false};
        QTest::newRow("another program adds, then the user deletes the first")
            << Case{customer, kFiveCustomers, {otherRuns("INSERT INTO Customer (DBA) VALUES ('Theirs')"), userDeletes(customer, 0)}, false};
        QTest::newRow("adding to an empty list") << Case{customer, {}, {userAdds(customer, "First")}, true};
        QTest::newRow("many: adding") << Case{customer, kManyCustomers, {userAdds(customer, "New")}, true};
        QTest::newRow("many: deleting the first, editing one far up")
            << Case{customer, kManyCustomers, {userDeletes(customer, 0), userEdits(customer, 3, "Far up")}, true};
        QTest::newRow("many: deleting one in the middle") << Case{customer, kManyCustomers, {userDeletes(customer, 75)}, true};
        QTest::newRow("many: another program deletes one far up")
            << Case{customer, kManyCustomers, {otherRuns("DELETE FROM Customer WHERE RowKey = ?", 10), refill(customer)}, false};
        QTest::newRow("many: another program adds, then the user edits")
            << Case{customer, kManyCustomers, {otherRuns("INSERT INTO Customer (DBA) VALUES ('Theirs')"), userEdits(customer, 140, "Mine")}, false};
        QTest::newRow("the kept row count lost, then another program adds")
            << Case{customer, kManyCustomers, {otherRuns("DELETE FROM ListRows WHERE TableName = 'Customer'"),
                                               otherRuns("INSERT INTO Customer (DBA) VALUES ('Theirs')"), refill(customer)}, false};
        QTest::newRow("adding an agent") << Case{agent, kThreeAgents, {userAdds(agent, "New Co")}, true};
        QTest::newRow("editing the agent without company") << Case{agent, kThreeAgents, {userEdits(agent, 2, "Now Co")}, true};
        QTest::newRow("deleting the first agent") << Case{agent, kThreeAgents, {userDeletes(agent, 0)}, true};
        QTest::newRow("another program takes an agent's company away")
            << Case{agent, kThreeAgents, {otherRuns("UPDATE Agent SET Company = NULL WHERE RowKey = ?", 0), refill(agent)}, false};
    }
    void listEqualsAWholeRead()
    {
        QFETCH(Case, row);
        auto program = std::make_unique<TestProgram>();
        const store::Place db = program->makeDatabase();
        insertRows(db, row.agent ? "Agent" : "Customer", row.agent ? QStringList{"Name", "Company"} : QStringList{"Name", "DBA"}, row.rows);
        insertRows(db, row.agent ? "Customer" : "Agent", {"Name"}, {{"Someone"}});
        QVERIFY(program->start());
        people::KeyedList* list = listOf(*program, row.agent);
        QSignalSpy resets(list->model(), &QAbstractItemModel::modelReset);
        for (const Step& step : row.steps)
            step.act(*program);

        QCOMPARE(shown(list), fullRead(db, row.agent));
        QCOMPARE(resets.isEmpty(), row.followed);
        QCOMPARE(list->currentRow(), list->count() - 1);
        QCOMPARE(list->selectedPosition(), list->count() - 1);
        if (!row.agent)
            QVERIFY(!columnOf(db, "Customer", "DBA").contains("<null>"));
        QVERIFY(program->messages.shown.isEmpty());
        QVERIFY(!program->session().ended);
        // What the list shows is what the next start shows.
        QVERIFY(program->start());
        QCOMPARE(shown(listOf(*program, row.agent)), fullRead(db, row.agent));
    }

    // A list longer than its box shows the chosen last line, with its top line whole, after every change.
    void chosenLineInViewTopLineWhole_data()
    {
        QTest::addColumn<Case>("row");
        const bool customer = false;
        QTest::newRow("at start-up") << Case{customer, {}, {}, true};
        QTest::newRow("after an add") << Case{customer, {}, {userAdds(customer, "New")}, true};
        QTest::newRow("after deleting the first") << Case{customer, {}, {userDeletes(customer, 0)}, true};
        QTest::newRow("after editing a middle one") << Case{customer, {}, {userEdits(customer, 20, "Mid")}, true};
    }
    void chosenLineInViewTopLineWhole()
    {
        QFETCH(Case, row);
        TestProgram program;
        Rows many;
        for (int n = 0; n < 40; ++n)
            many << QList<QVariant>{QString("N%1").arg(n), QString("Business %1").arg(n)};
        const store::Place db = program.makeDatabase();
        insertRows(db, "Customer", {"Name", "DBA"}, many);
        QVERIFY(program.start());
        for (const Step& step : row.steps)
            step.act(program);
        people::KeyedList* list = program.customers();
        QVERIFY(QTest::qWaitForWindowExposed(program.main()));
        const QRect box = list->viewport()->rect();
        QVERIFY(box.contains(list->visualRect(list->model()->index(list->count() - 1, 0))));
        QCOMPARE(list->visualRect(list->indexAt(QPoint(1, 1))).top(), 0);
    }

    // Edit, Next >> or Delete on a line whose row another program deleted, or whose row is another
    // one's since the file was replaced by a database with the same keys and change count, reads the
    // list again; no form opens and no row is touched.
    void vanishedRowIsReadAgain_data()
    {
        QTest::addColumn<bool>("agent");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("Edit a customer") << false << "cmdEditCust" << false;
        QTest::newRow("Edit an agent") << true << "cmdEditAgent" << false;
        QTest::newRow("Next with the customer gone") << false << "cmdNext" << false;
        QTest::newRow("Next with the agent gone") << true << "cmdNext" << false;
        QTest::newRow("Next, file replaced under the customer") << false << "cmdNext" << true;
        QTest::newRow("Edit, file replaced under the agent") << true << "cmdEditAgent" << true;
        QTest::newRow("Delete, file replaced under the customer") << false << "cmdDeleteCust" << true;
    }
    void vanishedRowIsReadAgain()
    {
        QFETCH(bool, agent);
        QFETCH(QString, button);
        QFETCH(bool, replaced);
        TestProgram program;
        const store::Place db = program.makeDatabase();
        insertRows(db, "Agent", {"Name", "Company"}, kThreeAgents);
        insertRows(db, "Customer", {"Name", "DBA"}, kFiveCustomers);
        QVERIFY(program.start());
        const QString table = agent ? "Agent" : "Customer", column = agent ? "Name" : "DBA";
        QStringList left = columnOf(db, table, column);
        if (replaced) {
            left[1] = "Zed Hauling";
            otherRuns(QString("UPDATE %1 SET %2 = 'Zed Hauling' WHERE RowKey = ?").arg(table, column), 1).act(program);
            otherRuns(QString("UPDATE ListChanges SET Changes = Changes - 1 WHERE TableName = '%1'").arg(table))
                .act(program);
        } else {
            left.removeAt(1);
            otherRuns(QString("DELETE FROM %1 WHERE RowKey = ?").arg(table), 1).act(program);
        }
        listOf(program, agent)->setCurrentRow(1);
        bool formOpened = false;
        QTimer::singleShot(0, [&] {
            for (QDialog* form : {static_cast<QDialog*>(program.app->windows().frmAddAgent),
                                  static_cast<QDialog*>(program.app->windows().frmAddCust)})
                if (form->isVisible())
                    formOpened = true, form->reject();
        });
        program.click(program.main(), qPrintable(button));
        QCoreApplication::processEvents();

        QVERIFY(!formOpened);
        QVERIFY(!program.app->windows().frmPolicies1->isVisible());
        QCOMPARE(shown(listOf(program, agent)), fullRead(db, agent));
        QCOMPARE(columnOf(db, table, column), left);
        QVERIFY(program.messages.shown.isEmpty());
    }

    // Edit and Next find the row of the chosen line even after lines above it were deleted.
    void chosenLineLeadsToItsRow()
    {
        TestProgram program;
        const store::Place db = program.makeDatabase();
        insertRows(db, "Agent", {"Name"}, {{"Jo"}});
        insertRows(db, "Customer", {"Name", "DBA"}, kFiveCustomers);
        QVERIFY(program.start());
        userDeletes(false, 0).act(program);
        userDeletes(false, 1).act(program);
        program.customers()->setCurrentRow(1);
        program.click(program.main(), "cmdNext");
        QCOMPARE(program.session().CurCust.Name, QString("N3"));
        QCOMPARE(program.session().CustIndex, 1);
    }

    // A million lines: scrolled to the end, the middle, the top and anywhere, the top line shows its
    // row; a delete in the middle moves the lines below it up by one.
    void millionLinesScrolled()
    {
        if (testdb::onServer())
            QSKIP("the lines are read alike from both stores; one is enough for a million rows");
        TestProgram program;
        const store::Place db = program.makeDatabase();
        {
            store::Connection connection(db);
            connection.transaction([&] {
                connection.run("INSERT INTO Customer (DBA) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL "
                               "SELECT i + 1 FROM n WHERE i < 999999) SELECT 'Line ' || i FROM n");
            });
        }
        QVERIFY(program.start());
        people::KeyedList* list = program.customers();
        QCOMPARE(list->count(), 1000000);
        QScrollBar* bar = list->verticalScrollBar();
        for (const int top : {bar->maximum(), bar->maximum() / 2, 0, 123457}) {
            bar->setValue(top);
            const QModelIndex first = list->indexAt(QPoint(1, 1));
            QCOMPARE(first.row(), top);
            QCOMPARE(first.data().toString(), QString("Line %1").arg(top));
        }
        userDeletes(false, 500000).act(program);
        QCOMPARE(list->count(), 999999);
        QCOMPARE(list->lineText(500000), QString("Line 500001"));
        QCOMPARE(list->lineText(999998), QString("Line 999999"));
    }

    // A file made before the lists kept change counts gets them at start-up and then follows own writes.
    void olderFileGetsChangeCounts()
    {
        if (testdb::onServer())
            QSKIP("only a file can be older than the change counts");
        TestProgram program;
        QDir().mkpath(program.env.userDataFolder);
        const QString db = program.defaultDbPath();
        QFile(db).open(QIODevice::WriteOnly);
        {
            store::Connection connection(db);
            for (const char* table : {"Agent", "Customer"})
                connection.run(QString("CREATE TABLE %1 (RowKey INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, "
                                       "Company TEXT, DBA TEXT, Address1 TEXT, Address2 TEXT, City TEXT, State TEXT, "
                                       "Zip TEXT, Phone TEXT, Fax TEXT)").arg(table));
            connection.run("CREATE TABLE Policies (ID INTEGER PRIMARY KEY AUTOINCREMENT, DBA TEXT)");
        }
        insertRows(db, "Customer", {"Name", "DBA"}, {{"Ann Lee", QVariant()}, {"Bo", "Bo's"}});
        QVERIFY(program.start());
        QCOMPARE(linesOf(program.customers()), (QStringList{"Ann Lee", "Bo's"}));
        QVERIFY(store::customerTable(db).changeCount().has_value());
        QSignalSpy resets(program.customers()->model(), &QAbstractItemModel::modelReset);
        userDeletes(false, 0).act(program);
        QCOMPARE(linesOf(program.customers()), QStringList{"Bo's"});
        QCOMPARE(resets.count(), 0);
    }
};

QTEST_MAIN(ListRefillTest)
#include "tst_ListRefill.moc"
