#include "people/TestProgram.h"

#include <QSqlRecord>
#include <QtTest>

namespace {
using ui::MessageIcon;
using Rows = QList<QList<QVariant>>;
using Shown = FakeMessageBoxService::Shown;
struct Failure { Rows agents, customers; QString button; Shown message; };
struct Entry { bool agent; QStringList typed; QString button, line, stored; QList<Shown> messages = {}; };  // typed: field=value

// Every column of a person, as the tables hold them and the records name them.
const QStringList kAgentColumns{"Name", "Company", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax"};
const QStringList kCustomerColumns{"Name", "DBA", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax"};
QStringList fieldsOf(const AgentRecord& r) { return {r.Name, r.Company, r.Address1, r.Address2, r.City, r.State, r.Zip, r.Phone, r.Fax}; }
QStringList fieldsOf(const CustomerRecord& r) { return {r.Name, r.DBA, r.Address1, r.Address2, r.City, r.State, r.Zip, r.Phone, r.Fax}; }
QStringList filled(const QString& prefix, const QStringList& columns) { return QStringList(columns).replaceInStrings(QRegularExpression("^"), prefix); }

// Every row of a table with its key, in key order, one text per row; NULL shows as "<null>".
QStringList wholeTable(const store::Place& db, const QString& table)
{
    store::Connection connection(db);
    QSqlQuery query = connection.run(QString("SELECT * FROM %1 ORDER BY RowKey").arg(table));
    QStringList rows;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.value(i).isNull() ? QString("<null>") : query.value(i).toString());
        rows << values.join('|');
    }
    return rows;
}

std::unique_ptr<TestProgram> started(const Rows& agents = {}, const Rows& customers = {})
{
    return TestProgram::startedWith(agents, customers);
}

} // namespace
Q_DECLARE_METATYPE(Failure)
Q_DECLARE_METATYPE(Entry)

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void failureMessages_data()
    {
        QTest::addColumn<Failure>("row");
        const Rows agent{{"Acme", "Jo"}}, customer{{"Ann", "Ann's"}};
        const auto info = MessageIcon::Information;
        const Shown both{"You must select an Agent and a Customer to continue.", MessageIcon::Critical, "QUILLON"};
        QTest::newRow("delete agent, empty table") << Failure{{}, customer, "cmdDeleteAgent", {"You must select an Agent to delete.", info, "Delete Agent"}};
        QTest::newRow("delete customer, empty table") << Failure{agent, {}, "cmdDeleteCust", {"You must select a Customer to delete.", info, "Delete Customer"}};
        QTest::newRow("edit agent, empty table") << Failure{{}, customer, "cmdEditAgent", {"Agent database is empty. Select New to add a new Agent.", info, "QUILLON"}};
        QTest::newRow("edit customer, empty table") << Failure{agent, {}, "cmdEditCust", {"Customer database is empty. Hit New to add a new Customer.", info, "QUILLON"}};
        QTest::newRow("next, no agent") << Failure{{}, customer, "cmdNext", both};
        QTest::newRow("next, no customer") << Failure{agent, {}, "cmdNext", both};
        QTest::newRow("next, customer line without text") << Failure{agent, {{QVariant(), QVariant()}}, "cmdNext", both};
        QTest::newRow("previous contracts, no customer") << Failure{agent, {}, "cmdPrevContract", {"You must select a Customer to view previous contracts for.", info, "QUILLON"}};
    }
    void failureMessages()
    {
        QFETCH(Failure, row);
        auto program = started(row.agents, row.customers);
        program->click(program->main(), qPrintable(row.button));
        QCOMPARE(program->messages.shown, QList<Shown>{row.message});
        QVERIFY(program->main()->isVisible() && !program->session().ended);
    }

    // OK stores only what was typed (the rest stays NULL) as the last line, selected; an empty DBA, or an
    // agent with every field blank, is refused with a message and the dialog stays open; Cancel and the close box store nothing.
    void entries_data()
    {
        QTest::addColumn<Entry>("row");  // stored: Name, Company or DBA, City, Fax of the new row
        const Shown refused{"The 'Doing Business As' field cannot be blank", MessageIcon::Critical, "Customer Information"};
        QTest::newRow("customer with only a DBA") << Entry{false, {"txtDBA=Lee Farms"}, "cmdOK", "Lee Farms", "<null>|Lee Farms|<null>|<null>"};
        QTest::newRow("customer DBA of blanks") << Entry{false, {"txtDBA=   ", "txtCity=Decatur"}, "cmdOK", "   ", "<null>|   |Decatur|<null>"};
        QTest::newRow("customer without DBA") << Entry{false, {"txtName=Ann"}, "cmdOK", "", "|||", {refused}};
        QTest::newRow("customer, close box") << Entry{false, {"txtDBA=Lee Farms"}, "close", "", "|||"};
        QTest::newRow("agent without company") << Entry{true, {"txtName=Jo Smith"}, "cmdOK", " - Jo Smith", "Jo Smith|<null>|<null>|<null>"};
        QTest::newRow("agent with company") << Entry{true, {"txtName=Jo", "txtCoName=Acme", "txtFax=555"}, "cmdOK", "Acme - Jo", "Jo|Acme|<null>|555"};
        const Shown blankAgent{"An Agent cannot be stored with every field blank.", MessageIcon::Critical, "Add Agent"};
        QTest::newRow("agent of blanks only") << Entry{true, {"txtName=  ", "txtFax= "}, "cmdOK", "", "|||", {blankAgent}};
        QTest::newRow("agent, Cancel") << Entry{true, {"txtName=Jo"}, "cmdCancel", "", "|||"};
    }
    void entries()
    {
        QFETCH(Entry, row);
        auto program = started(row.agent ? Rows{{"Co", "Earlier"}} : Rows(), row.agent ? Rows() : Rows{{"Ann", "Earlier"}});
        bool stayedOpen = false;
        program->inPartyDialog(row.agent, "New", [&](QWidget* window) {
            for (const QString& entry : row.typed)
                program->type(window, qPrintable(entry.section('=', 0, 0)), entry.section('=', 1));
            row.button == "close" ? void(window->close()) : program->click(window, qPrintable(row.button));
            if ((stayedOpen = window->isVisible()))
                program->click(window, "cmdCancel");
        });
        QCOMPARE(stayedOpen, !row.messages.isEmpty());
        QCOMPARE(program->messages.shown, row.messages);
        people::KeyedList* list = row.agent ? program->agents() : program->customers();
        QCOMPARE(linesOf(list).mid(1), row.line.isEmpty() ? QStringList() : QStringList{row.line});
        QCOMPARE(list->currentRow(), list->count() - 1);
        QStringList values;
        for (const char* column : {"Name", row.agent ? "Company" : "DBA", "City", "Fax"})
            values << columnOf(program->session().database(), row.agent ? "Agent" : "Customer", column).value(1);
        QCOMPARE(values.join('|'), row.stored);
    }

    // Edit shows the chosen row; a field left blank keeps what is stored.
    void edit()
    {
        auto program = started();
        const store::Place db = program->session().database();
        insertRows(db, "Agent", {"Name", "Company", "City", "Phone"},
                   {{"First", "F Co", "Alton", "111"}, {"Middle", "M Co", QVariant(), "222"}, {"Last", "L Co", "Lyon", "333"}});
        program->main()->FillAgentList();
        program->agents()->setCurrentRow(1);
        QStringList shown;
        program->inPartyDialog(true, "Edit", [&](QWidget* window) {
            for (const char* name : {"txtName", "txtCoName", "txtCity", "txtPhone"})
                shown << program->control<QLineEdit>(window, name)->text();
            program->type(window, "txtPhone", "");
            program->type(window, "txtCity", "Mayville");
            program->click(window, "cmdOK");
        });
        QCOMPARE(shown, (QStringList{"Middle", "M Co", "", "222"}));
        QCOMPARE(columnOf(db, "Agent", "City") + columnOf(db, "Agent", "Phone"),
                 (QStringList{"Alton", "Mayville", "Lyon", "111", "222", "333"}));
        QCOMPARE(program->agents()->currentRow(), 2);
    }

    // Next copies every column of the chosen rows.
    void nextCopiesTheChosenRows()
    {
        auto program = started();
        const store::Place db = program->session().database();
        insertRows(db, "Agent", kAgentColumns, {QVariant(filled("A0 ", kAgentColumns)).toList(),
                                                QVariant(filled("A1 ", kAgentColumns)).toList()});
        insertRows(db, "Customer", kCustomerColumns, {QVariant(filled("C0 ", kCustomerColumns)).toList()});
        QVERIFY(program->start());
        program->agents()->setCurrentRow(1);
        program->customers()->setCurrentRow(0);
        program->click(program->main(), "cmdNext");
        QCOMPARE(fieldsOf(program->session().CurAgent), filled("A1 ", kAgentColumns));
        QCOMPARE(fieldsOf(program->session().CurCust), filled("C0 ", kCustomerColumns));
    }

    // Ctrl+Z after Delete: the last deleted row back with its key and every column, chosen in its
    // list; a key taken meanwhile leaves everything as it is, with a message.
    void ctrlZPutsTheLastDeleteBack_data()
    {
        QTest::addColumn<bool>("agent");
        QTest::addColumn<QList<int>>("deletes"); // the positions deleted in turn
        QTest::addColumn<bool>("keyTaken");
        QTest::newRow("customer from the middle") << false << QList<int>{1} << false;
        QTest::newRow("after a second delete, only the second") << false << QList<int>{0, 1} << false;
        QTest::newRow("agent whose key was taken meanwhile") << true << QList<int>{2} << true;
    }
    void ctrlZPutsTheLastDeleteBack()
    {
        QFETCH(bool, agent);
        QFETCH(QList<int>, deletes);
        QFETCH(bool, keyTaken);
        const QString table = agent ? "Agent" : "Customer";
        auto program = started();
        const store::Place db = program->session().database();
        // Address2 stays NULL, and must come back NULL.
        insertRows(db, table, {"Name", agent ? "Company" : "DBA", "Address1", "Fax"},
                   {{"R1", "R1 Co", "1 Road", "111"}, {"R2", "R2 Co", "2 Road", "222"}, {"R3", "R3 Co", "3 Road", "333"}});
        QVERIFY(program->start());
        program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main()));
        people::KeyedList* list = agent ? program->agents() : program->customers();
        QStringList rows = wholeTable(db, table);
        QString lastDeleted;
        for (const int position : deletes) {
            list->setCurrentRow(position);
            program->click(program->main(), agent ? "cmdDeleteAgent" : "cmdDeleteCust");
            lastDeleted = rows.takeAt(position);
        }
        if (keyTaken)
            insertRows(db, table, {"RowKey", "Name"}, {{lastDeleted.section('|', 0, 0).toLongLong(), "Taker"}});
        const QStringList beforeUndo = wholeTable(db, table);
        QTest::keyClick(program->main(), Qt::Key_Z, Qt::ControlModifier);
        if (keyTaken) {
            QCOMPARE(program->messages.shown, (QList<Shown>{{"The deleted agent cannot be put back: another agent has "
                                                             "taken its place.", MessageIcon::Warning, "Undo Delete Agent"}}));
            QCOMPARE(wholeTable(db, table), beforeUndo);
            return;
        }
        rows << lastDeleted;
        rows.sort();
        QCOMPARE(wholeTable(db, table), rows);
        QCOMPARE(list->count(), rows.size());
        QCOMPARE(list->currentRow(), int(rows.indexOf(lastDeleted)));
        QVERIFY(list->isRowSelected(list->currentRow()));
        QTest::keyClick(program->main(), Qt::Key_Z, Qt::ControlModifier); // only the last delete is kept
        QCOMPARE(wholeTable(db, table), rows);
        QVERIFY(program->messages.shown.isEmpty());
    }

    // Ctrl+F opens Find Customer; Find Next and F3 go from match to match and round; a text no
    // customer holds is told.
    void findCustomer()
    {
        auto program = started({}, {{"", "Café Mañana"}, {"", "Acme Hauling"}, {"", "CAFE ROYAL"}, {"", "Zed"}});
        program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main()));
        QTest::keyClick(program->main(), Qt::Key_F, Qt::ControlModifier);
        QWidget* find = program->control(program->main(), "frmFind");
        QVERIFY(find->isVisible());
        QTest::keyClicks(program->control<QLineEdit>(find, "txtFind"), "cafe");
        QList<int> chosen;
        program->click(find, "cmdFindNext");
        chosen << program->customers()->currentRow(); // from the last line, round to the first
        program->click(find, "cmdFindNext");
        chosen << program->customers()->currentRow();
        QTest::keyClick(program->main(), Qt::Key_F3);
        chosen << program->customers()->currentRow();
        QCOMPARE(chosen, (QList<int>{0, 2, 0}));
        QVERIFY(program->messages.shown.isEmpty());
        program->type(find, "txtFind", "café noir");
        program->click(find, "cmdFindNext");
        QCOMPARE(program->customers()->currentRow(), 0);
        QCOMPARE(program->messages.shown, (QList<Shown>{{"\"café noir\" was not found in the customer list.",
                                                         MessageIcon::Information, "Find Customer"}}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
