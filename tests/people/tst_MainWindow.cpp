#include "contract/PolicyScheduleWindow.h"
#include "people/TestProgram.h"
#include "ui/MessageBoxService.h"

#include <QCloseEvent>
#include <QRadioButton>
#include <QtTest>

using ui::MessageIcon;
Q_DECLARE_METATYPE(MessageIcon)

namespace {
// The named controls in the order the Tab key visits them, from first on.
QStringList focusOrder(QWidget* first, const QStringList& names)
{
    QStringList visited;
    QWidget* widget = first;
    do {
        if (names.contains(widget->objectName()) && !visited.contains(widget->objectName()))
            visited << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first && visited.size() < names.size());
    return visited;
}

const QStringList kAgentColumns{"Name", "Company", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax"};
const QStringList kCustomerColumns{"Name", "DBA", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax"};
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void failureMessages_data();
    void failureMessages();
    void tabOrderFollowsTheForm();
    void getDataCopiesTheChosenRows();
    void getDataLeavesEmptyColumnsEmpty();
    void deleteLeavesLastLineSelected_data();
    void deleteLeavesLastLineSelected();
    void deleteInTheMiddleMovesLaterRowsUp();
    void exitAndCloseBoxEndTheProgram();
    void choiceCannotBeTakenAway();

private:
    // A started program whose tables hold these agents (Company, Name) and customers (Name, DBA).
    std::unique_ptr<TestProgram> started(const QList<QList<QVariant>>& agents,
                                         const QList<QList<QVariant>>& customers);
};

std::unique_ptr<TestProgram> MainWindowTest::started(const QList<QList<QVariant>>& agents,
                                                     const QList<QList<QVariant>>& customers)
{
    auto program = std::make_unique<TestProgram>();
    const QString db = program->makeDatabase();
    insertRows(db, "Agent", {"Company", "Name"}, agents);
    insertRows(db, "Customer", {"Name", "DBA"}, customers);
    if (!program->start())
        qFatal("start-up failed");
    return program;
}

void MainWindowTest::failureMessages_data()
{
    QTest::addColumn<QList<QList<QVariant>>>("agents");
    QTest::addColumn<QList<QList<QVariant>>>("customers");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QString>("title");

    const QList<QList<QVariant>> none;
    const QList<QList<QVariant>> oneAgent{{"Acme", "Jo"}};
    const QList<QList<QVariant>> oneCustomer{{"Ann", "Ann's"}};
    const QString selectBoth = "You must select an Agent and a Customer to continue.";
    QTest::newRow("delete agent, empty table") << none << oneCustomer << "cmdDeleteAgent"
        << "You must select an Agent to delete." << MessageIcon::Information << "Delete Agent";
    QTest::newRow("delete customer, empty table") << oneAgent << none << "cmdDeleteCust"
        << "You must select a Customer to delete." << MessageIcon::Information << "Delete Customer";
    QTest::newRow("next, both tables empty") << none << none << "cmdNext"
        << selectBoth << MessageIcon::Critical << "QUILLON";
    QTest::newRow("next, no agent") << none << oneCustomer << "cmdNext"
        << selectBoth << MessageIcon::Critical << "QUILLON";
    QTest::newRow("next, no customer") << oneAgent << none << "cmdNext"
        << selectBoth << MessageIcon::Critical << "QUILLON";
    QTest::newRow("next, customer line without any text")
        << oneAgent << QList<QList<QVariant>>{{QVariant(), QVariant()}} << "cmdNext"
        << selectBoth << MessageIcon::Critical << "QUILLON";
    QTest::newRow("previous contracts, no customer") << oneAgent << none << "cmdPrevContract"
        << "You must select a Customer to view previous contracts for." << MessageIcon::Information << "QUILLON";
}

void MainWindowTest::failureMessages()
{
    QFETCH(QList<QList<QVariant>>, agents);
    QFETCH(QList<QList<QVariant>>, customers);
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(MessageIcon, icon);
    QFETCH(QString, title);

    auto program = started(agents, customers);
    program->click(program->main(), qPrintable(button));
    QCOMPARE(program->messages.shown.size(), 1);
    QCOMPARE(program->messages.last().text, text);
    QCOMPARE(program->messages.last().icon, icon);
    QCOMPARE(program->messages.last().title, title);
    QCOMPARE(program->messages.last().buttons, ui::MessageButtons::Ok);
    QVERIFY(program->main()->isVisible());
    QVERIFY(!program->session().ended);
}

void MainWindowTest::tabOrderFollowsTheForm()
{
    auto program = started({}, {});
    const QStringList order{"lstAgent", "cmdNewAgent", "lstCust", "cmdNewCust", "optCommercial", "optPersonal",
                            "cmdNext", "cmdCancel", "cmdEditAgent", "cmdDeleteAgent", "cmdEditCust",
                            "cmdDeleteCust", "cmdPrevContract"};
    QCOMPARE(focusOrder(program->control(program->main(), "lstAgent"), order), order);
}

void MainWindowTest::getDataCopiesTheChosenRows()
{
    auto program = std::make_unique<TestProgram>();
    const QString db = program->makeDatabase();
    QList<QList<QVariant>> agents, customers;
    for (int i = 0; i < 3; ++i) {
        QList<QVariant> agent, customer;
        for (const QString& column : kAgentColumns)
            agent << QString("A%1 %2").arg(i).arg(column);
        for (const QString& column : kCustomerColumns)
            customer << QString("C%1 %2").arg(i).arg(column);
        agents << agent;
        customers << customer;
    }
    insertRows(db, "Agent", kAgentColumns, agents);
    insertRows(db, "Customer", kCustomerColumns, customers);
    QVERIFY(program->start());

    program->agents()->setCurrentRow(1);
    program->customers()->setCurrentRow(2);
    program->click(program->main(), "cmdNext");
    const AgentRecord& a = program->session().CurAgent;
    QCOMPARE((QStringList{a.Name, a.Company, a.Address1, a.Address2, a.City, a.State, a.Zip, a.Phone, a.Fax}),
             (QStringList{"A1 Name", "A1 Company", "A1 Address1", "A1 Address2", "A1 City", "A1 State",
                          "A1 Zip", "A1 Phone", "A1 Fax"}));
    const CustomerRecord& c = program->session().CurCust;
    QCOMPARE((QStringList{c.Name, c.DBA, c.Address1, c.Address2, c.City, c.State, c.Zip, c.Phone, c.Fax}),
             (QStringList{"C2 Name", "C2 DBA", "C2 Address1", "C2 Address2", "C2 City", "C2 State",
                          "C2 Zip", "C2 Phone", "C2 Fax"}));
    QCOMPARE(program->session().AgentIndex, 1);
    QCOMPARE(program->session().CustIndex, 2);
    QVERIFY(!program->main()->isVisible());
    QVERIFY(program->app->windows().frmPolicies1->isVisible());
}

void MainWindowTest::getDataLeavesEmptyColumnsEmpty()
{
    auto program = std::make_unique<TestProgram>();
    const QString db = program->makeDatabase();
    insertRows(db, "Agent", {"Name", "Fax"}, {{"With Fax", "555-0001"}, {"No Fax", QVariant()}});
    insertRows(db, "Customer", {"DBA", "Phone"}, {{"Phone Co", "555-0002"}, {"Quiet Co", ""}});
    QVERIFY(program->start());

    program->agents()->setCurrentRow(0);
    program->customers()->setCurrentRow(0);
    program->main()->show();
    program->click(program->main(), "cmdNext");
    QCOMPARE(program->session().CurAgent.Fax, QString("555-0001"));
    QCOMPARE(program->session().CurCust.Phone, QString("555-0002"));

    program->main()->show();
    program->agents()->setCurrentRow(1);
    program->customers()->setCurrentRow(1);
    program->click(program->main(), "cmdNext");
    QCOMPARE(program->session().CurAgent.Fax, QString());
    QCOMPARE(program->session().CurAgent.Name, QString("No Fax"));
    QCOMPARE(program->session().CurCust.Phone, QString());
    QCOMPARE(program->session().CurCust.Name, QString());
}

void MainWindowTest::deleteLeavesLastLineSelected_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("the last of three") << 3 << 2 << QStringList{"C0", "C1"};
    QTest::newRow("the first of three") << 3 << 0 << QStringList{"C1", "C2"};
    QTest::newRow("the only line") << 1 << 0 << QStringList{};
}

void MainWindowTest::deleteLeavesLastLineSelected()
{
    QFETCH(int, rows);
    QFETCH(int, deleted);
    QFETCH(QStringList, left);
    QList<QList<QVariant>> customers;
    for (int i = 0; i < rows; ++i)
        customers << QList<QVariant>{QVariant(), QString("C%1").arg(i)};
    auto program = started({}, customers);

    program->customers()->setCurrentRow(deleted);
    program->click(program->main(), "cmdDeleteCust");
    QVERIFY(program->messages.shown.isEmpty());
    QCOMPARE(linesOf(program->customers()), left);
    QCOMPARE(columnOf(program->session().DBPath, "Customer", "DBA"), left);
    QCOMPARE(program->customers()->currentRow(), left.size() - 1);
    if (!left.isEmpty())
        QVERIFY(program->customers()->currentItem()->isSelected());
}

void MainWindowTest::deleteInTheMiddleMovesLaterRowsUp()
{
    auto program = started({{"A", "One"}, {"B", "Two"}, {QVariant(), "Three"}}, {});
    program->agents()->setCurrentRow(1);
    program->click(program->main(), "cmdDeleteAgent");
    QCOMPARE(linesOf(program->agents()), (QStringList{"A - One", " - Three"}));
    QCOMPARE(program->agents()->currentRow(), 1);

    // Line 1 now shows the row that was at position 2.
    insertRows(program->session().DBPath, "Customer", {"DBA"}, {{"Someone"}});
    program->main()->FillCustomerList();
    program->click(program->main(), "cmdNext");
    QCOMPARE(program->session().CurAgent.Name, QString("Three"));
}

void MainWindowTest::exitAndCloseBoxEndTheProgram()
{
    auto byExit = started({}, {});
    byExit->click(byExit->main(), "cmdCancel");
    QVERIFY(byExit->session().ended);
    QVERIFY(!byExit->main()->isVisible());

    auto byCloseBox = started({}, {});
    QVERIFY(byCloseBox->main()->close());
    QVERIFY(byCloseBox->session().ended);
}

void MainWindowTest::choiceCannotBeTakenAway()
{
    auto program = started({{"A", "One"}, {"B", "Two"}}, {});
    QListWidget* list = program->agents();
    const QRect firstLine = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, firstLine.center());
    QCOMPARE(list->selectedItems().size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->selectedItems().first()->text(), QString("A - One"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
