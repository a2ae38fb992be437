#include "people/TestProgram.h"
#include "contract/PolicyScheduleWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "store/CustomerTable.h"

#include <QDialog>
#include <QtTest>

namespace {
using Rows = QList<QList<QVariant>>;
using Action = std::function<void(TestProgram&)>;

// What the user does through the windows, or another program straight in the file.
struct Case { bool agent; QList<Action> steps; bool followed; int customers = 5; };

const Rows kThreeAgents{{"Co0", "A0"}, {"Co1", "A1"}, {QVariant(), "A2"}};
const Rows kFiveCustomers{{"N0", "C0"}, {"N1", "C1"}, {"N2", "C2"}, {"N3", "C3"}, {"N4", "C4"}};

people::KeyedList* listOf(TestProgram& p, bool agent) { return agent ? p.agents() : p.customers(); }

Action inDialog(bool agent, const char* verb, int position, const QString& text = QString())
{
    return [=](TestProgram& p) {
        listOf(p, agent)->setCurrentRow(position);
        p.inPartyDialog(agent, verb, [&](QWidget* window) {
            if (!text.isNull())
                p.type(window, agent ? "txtCoName" : "txtDBA", text);
            p.click(window, "cmdOK");
        });
    };
}
Action userAdds(bool agent, const QString& text) { return inDialog(agent, "New", -1, text); }
Action userEdits(bool agent, int position, const QString& text = QString()) { return inDialog(agent, "Edit", position, text); }
Action userDeletes(bool agent, int position)
{
    return [=](TestProgram& p) {
        listOf(p, agent)->setCurrentRow(position);
        p.click(p.main(), agent ? "cmdDeleteAgent" : "cmdDeleteCust");
    };
}
Action refill(bool agent)
{
    return [=](TestProgram& p) { agent ? p.main()->FillAgentList() : p.main()->FillCustomerList(); };
}
// A statement run by another program on its own connection; ? is the key of the row at position.
Action otherRuns(const QString& sql, int position = -1)
{
    return [=](TestProgram& p) {
        store::Connection other(p.session().database());
        const QString table = sql.contains("Agent") ? "Agent" : "Customer";
        QSqlQuery keys = other.run(QString("SELECT RowKey FROM %1 ORDER BY RowKey LIMIT 1 OFFSET ?").arg(table),
                                   {std::max(position, 0)});
        const QVariant key = keys.next() ? keys.value(0) : QVariant();
        keys = QSqlQuery();
        other.transaction([&] { position < 0 ? void(other.run(sql)) : void(other.run(sql, {key})); });
    };
}

// Each line with the key it leads to.
QList<QPair<qint64, QString>> shown(const people::KeyedList* list)
{
    QList<QPair<qint64, QString>> rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append({list->keyAt(i).value_or(-1), list->lineText(i)});
    return rows;
}
// What a whole read of the table shows: the list of the program started again.
QList<QPair<qint64, QString>> wholeRead(TestProgram& program, bool agent)
{
    if (!program.start())
        qFatal("start-up failed");
    return shown(listOf(program, agent));
}
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
        QTest::newRow("adding a customer") << Case{customer, {userAdds(customer, "C5")}, true};
        QTest::newRow("editing a middle customer") << Case{customer, {userEdits(customer, 2, "Middle")}, true};
        QTest::newRow("editing without changing anything") << Case{customer, {userEdits(customer, 1)}, true};
        QTest::newRow("deleting the first customer") << Case{customer, {userDeletes(customer, 0)}, true};
        QTest::newRow("deleting the last customer") << Case{customer, {userDeletes(customer, 4)}, true};
        QTest::newRow("deleting the only customer") << Case{customer, {userDeletes(customer, 0)}, true, 1};
        QTest::newRow("adding, editing and deleting in turn")
            << Case{customer, {userAdds(customer, "C5"), userDeletes(customer, 0), userEdits(customer, 3, "X"),
                               userDeletes(customer, 4), userAdds(customer, "C6")}, true};
        QTest::newRow("a fill with nothing changed") << Case{customer, {refill(customer)}, true};
        QTest::newRow("another program adds a customer without DBA")
            << Case{customer, {otherRuns("INSERT INTO Customer (Name) VALUES ('Ann Lee')"), refill(customer)}, false};
        QTest::newRow("another program empties a DBA, then the user adds")
            << Case{customer, {otherRuns("UPDATE Customer SET DBA = NULL WHERE RowKey = ?", 1), userAdds(customer, "C5")}, false};
        QTest::newRow("another program changes a DBA, then the user edits another")
            << Case{customer, {otherRuns("UPDATE Customer SET DBA = 'Theirs' WHERE RowKey = ?", 3), userEdits(customer, 1, "Mine")}, false};
        QTest::newRow("another program deletes the customer the user then deletes")
            << Case{customer, {otherRuns("DELETE FROM Customer WHERE RowKey = ?", 2), userDeletes(customer, 2)}, false};
        QTest::newRow("editing the agent without company") << Case{agent, {userEdits(agent, 2, "Now Co")}, true};
        QTest::newRow("another program takes an agent's company away")
            << Case{agent, {otherRuns("UPDATE Agent SET Company = NULL WHERE RowKey = ?", 0), refill(agent)}, false};
    }
    void listEqualsAWholeRead()
    {
        QFETCH(Case, row);
        auto program = TestProgram::startedWith(kThreeAgents, kFiveCustomers.mid(0, row.customers));
        people::KeyedList* list = listOf(*program, row.agent);
        QSignalSpy resets(list->model(), &QAbstractItemModel::modelReset);
        for (const Action& step : row.steps)
            step(*program);

        QCOMPARE(resets.isEmpty(), row.followed);
        QCOMPARE(list->currentRow(), list->count() - 1);
        QCOMPARE(list->selectedPosition(), list->count() - 1);
        QVERIFY(!columnOf(program->session().database(), "Customer", "DBA").contains("<null>"));
        QVERIFY(program->messages.shown.isEmpty());
        QVERIFY(!program->session().ended);
        const auto lines = shown(list);
        QCOMPARE(lines, wholeRead(*program, row.agent));
    }

    // A list longer than its box shows the chosen last line, with its top line whole, at start-up and after a change.
    void chosenLineInViewTopLineWhole()
    {
        Rows many;
        for (int n = 0; n < 40; ++n)
            many << QList<QVariant>{QString("N%1").arg(n), QString("Business %1").arg(n)};
        auto program = TestProgram::startedWith({}, many);
        people::KeyedList* list = program->customers();
        QVERIFY(QTest::qWaitForWindowExposed(program->main()));
        for (const Action& step : {Action([](TestProgram&) {}), userDeletes(false, 0)}) {
            step(*program);
            QVERIFY(list->viewport()->rect().contains(list->visualRect(list->model()->index(list->count() - 1, 0))));
            QCOMPARE(list->visualRect(list->indexAt(QPoint(1, 1))).top(), 0);
        }
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
        QTest::newRow("Next with the agent gone") << true << "cmdNext" << false;
        QTest::newRow("Edit, file replaced under the agent") << true << "cmdEditAgent" << true;
        QTest::newRow("Delete, file replaced under the customer") << false << "cmdDeleteCust" << true;
    }
    void vanishedRowIsReadAgain()
    {
        QFETCH(bool, agent);
        QFETCH(QString, button);
        QFETCH(bool, replaced);
        auto program = TestProgram::startedWith(kThreeAgents, kFiveCustomers);
        const store::Place db = program->session().database();
        const QString table = agent ? "Agent" : "Customer", column = agent ? "Name" : "DBA";
        QStringList left = columnOf(db, table, column);
        if (replaced) {
            left[1] = "Zed Hauling";
            otherRuns(QString("UPDATE %1 SET %2 = 'Zed Hauling' WHERE RowKey = ?").arg(table, column), 1)(*program);
            otherRuns(QString("UPDATE ListChanges SET Changes = Changes - 1 WHERE TableName = '%1'").arg(table))(*program);
        } else {
            left.removeAt(1);
            otherRuns(QString("DELETE FROM %1 WHERE RowKey = ?").arg(table), 1)(*program);
        }
        listOf(*program, agent)->setCurrentRow(1);
        bool formOpened = false;
        QTimer::singleShot(0, [&] {
            for (QDialog* form : {static_cast<QDialog*>(program->app->windows().frmAddAgent),
                                  static_cast<QDialog*>(program->app->windows().frmAddCust)})
                if (form->isVisible())
                    formOpened = true, form->reject();
        });
        program->click(program->main(), qPrintable(button));
        QCoreApplication::processEvents();

        QVERIFY(!formOpened);
        QVERIFY(!program->app->windows().frmPolicies1->isVisible());
        QCOMPARE(columnOf(db, table, column), left);
        QVERIFY(program->messages.shown.isEmpty());
        const auto lines = shown(listOf(*program, agent));
        QCOMPARE(lines, wholeRead(*program, agent));
    }

    // Edit and Next find the row of the chosen line even after lines above it were deleted.
    void chosenLineLeadsToItsRow()
    {
        auto program = TestProgram::startedWith(kThreeAgents, kFiveCustomers);
        userDeletes(false, 0)(*program);
        userDeletes(false, 1)(*program);
        program->customers()->setCurrentRow(1);
        program->click(program->main(), "cmdNext");
        QCOMPARE(program->session().CurCust.Name, QString("N3"));
        QCOMPARE(program->session().CustIndex, 1);
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
        userDeletes(false, 0)(program);
        QCOMPARE(linesOf(program.customers()), QStringList{"Bo's"});
        QCOMPARE(resets.count(), 0);
    }
};

QTEST_MAIN(ListRefillTest)
#include "tst_ListRefill.moc"
