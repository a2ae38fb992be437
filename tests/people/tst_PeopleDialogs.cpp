#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "people/TestProgram.h"
#include "ui/MessageBoxService.h"

#include <QLabel>
#include <QtTest>

namespace {
// The control the Tab key moves to from widget.
QWidget* nextTabStop(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}
} // namespace

// Drives the two dialogs as a user would: the main window's buttons open them
// modally, and the queued user action types and presses buttons meanwhile.
class PeopleDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void fieldsTakeTurnsAndLimits_data();
    void fieldsTakeTurnsAndLimits();
    void addingStoresOnlyTypedFields_data();
    void addingStoresOnlyTypedFields();
    void customerNeedsDoingBusinessAs();
    void editWithEmptyTableReports_data();
    void editWithEmptyTableReports();
    void editShowsTheRowAndKeepsBlankedColumns_data();
    void editShowsTheRowAndKeepsBlankedColumns();
    void cancelAndCloseBoxStoreNothing_data();
    void cancelAndCloseBoxStoreNothing();

private:
    std::unique_ptr<TestProgram> started();
    QDialog* dialog(TestProgram& program, bool agent)
    {
        return agent ? static_cast<QDialog*>(program.app->windows().frmAddAgent)
                     : static_cast<QDialog*>(program.app->windows().frmAddCust);
    }
};

std::unique_ptr<TestProgram> PeopleDialogsTest::started()
{
    auto program = std::make_unique<TestProgram>();
    program->makeDatabase();
    if (!program->start())
        qFatal("start-up failed");
    return program;
}

void PeopleDialogsTest::fieldsTakeTurnsAndLimits_data()
{
    QTest::addColumn<bool>("agent");
    QTest::addColumn<QStringList>("tabOrder");
    QTest::addColumn<QList<int>>("longest");
    QTest::newRow("customer") << false
        << QStringList{"txtDBA", "txtName", "txtAddress1", "txtCity", "txtState", "txtZip", "txtPhone", "txtFax", "cmdOK", "cmdCancel"}
        << QList<int>{50, 40, 75, 25, 2, 10, 14, 14};
    QTest::newRow("agent") << true
        << QStringList{"txtName", "txtCoName", "txtAddress1", "txtCity", "txtState", "txtZip", "txtPhone", "txtFax", "cmdOK", "cmdCancel"}
        << QList<int>{40, 50, 75, 25, 2, 10, 14, 14};
}

void PeopleDialogsTest::fieldsTakeTurnsAndLimits()
{
    QFETCH(bool, agent);
    QFETCH(QStringList, tabOrder);
    QFETCH(QList<int>, longest);
    auto program = started();
    QDialog* window = dialog(*program, agent);
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i)
        QCOMPARE(nextTabStop(program->control(window, qPrintable(tabOrder[i])))->objectName(), tabOrder[i + 1]);
    for (qsizetype i = 0; i < longest.size(); ++i) {
        auto* field = program->control<QLineEdit>(window, qPrintable(tabOrder[i]));
        QTest::keyClicks(field, QString(80, QChar('x')));
        QCOMPARE(field->text().size(), longest[i]);
    }
}

void PeopleDialogsTest::addingStoresOnlyTypedFields_data()
{
    QTest::addColumn<bool>("agent");
    QTest::addColumn<QStringList>("typed");      // field=value
    QTest::addColumn<QString>("lastLine");
    QTest::addColumn<QString>("storedColumns");  // column=value, NULL shown as <null>

    QTest::newRow("customer with only a DBA") << false << QStringList{"txtDBA=Lee Farms"} << "Lee Farms"
        << "Name=<null> DBA=Lee Farms Address1=<null> City=<null> Phone=<null> Fax=<null>";
    QTest::newRow("customer DBA of blanks") << false << QStringList{"txtDBA=   ", "txtCity=Decatur"} << "   "
        << "Name=<null> DBA=    Address1=<null> City=Decatur Phone=<null> Fax=<null>";
    QTest::newRow("agent without company") << true << QStringList{"txtName=Jo Smith"} << " - Jo Smith"
        << "Name=Jo Smith Company=<null> Address1=<null> City=<null> Phone=<null> Fax=<null>";
    QTest::newRow("agent with company") << true << QStringList{"txtName=Jo", "txtCoName=Acme", "txtFax=555"}
        << "Acme - Jo" << "Name=Jo Company=Acme Address1=<null> City=<null> Phone=<null> Fax=555";
    QTest::newRow("agent without any entry") << true << QStringList{} << " - "
        << "Name=<null> Company=<null> Address1=<null> City=<null> Phone=<null> Fax=<null>";
}

void PeopleDialogsTest::addingStoresOnlyTypedFields()
{
    QFETCH(bool, agent);
    QFETCH(QStringList, typed);
    QFETCH(QString, lastLine);
    QFETCH(QString, storedColumns);

    auto program = started();
    const QString table = agent ? "Agent" : "Customer";
    insertRows(program->session().DBPath, table, {agent ? "Name" : "DBA"}, {{"Earlier"}});
    QWidget* window = dialog(*program, agent);
    TestProgram::whileOpen([&] { program->click(program->main(), agent ? "cmdNewAgent" : "cmdNewCust"); }, [&] {
        for (const QString& entry : typed)
            program->control<QLineEdit>(window, qPrintable(entry.section('=', 0, 0)))->setText(entry.section('=', 1));
        program->click(window, "cmdOK");
    });
    QVERIFY(!window->isVisible());
    QVERIFY(program->messages.shown.isEmpty());
    QListWidget* list = agent ? program->agents() : program->customers();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), lastLine);
    QCOMPARE(list->currentRow(), 1);

    QStringList stored;
    for (const char* column : {"Name", agent ? "Company" : "DBA", "Address1", "City", "Phone", "Fax"})
        stored << QString("%1=%2").arg(column, columnOf(program->session().DBPath, table, column).value(1));
    QCOMPARE(stored.join(' '), storedColumns);
}

void PeopleDialogsTest::customerNeedsDoingBusinessAs()
{
    auto program = started();
    QWidget* window = dialog(*program, false);
    bool openAfterMessage = false;
    TestProgram::whileOpen([&] { program->click(program->main(), "cmdNewCust"); }, [&] {
        program->control<QLineEdit>(window, "txtName")->setText("Ann Lee");
        program->click(window, "cmdOK");
        openAfterMessage = window->isVisible() &&
                           program->control<QLineEdit>(window, "txtName")->text() == "Ann Lee";
        program->click(window, "cmdCancel");
    });
    QVERIFY(openAfterMessage);
    QCOMPARE(program->messages.shown.size(), 1);
    QCOMPARE(program->messages.last().text, QString("The 'Doing Business As' field cannot be blank"));
    QCOMPARE(program->messages.last().icon, ui::MessageIcon::Critical);
    QCOMPARE(program->messages.last().title, QString("Customer Information"));
    QCOMPARE(columnOf(program->session().DBPath, "Customer", "Name"), QStringList{});
}

void PeopleDialogsTest::editWithEmptyTableReports_data()
{
    QTest::addColumn<bool>("agent");
    QTest::addColumn<QString>("text");
    QTest::newRow("agent") << true << "Agent database is empty. Select New to add a new Agent.";
    QTest::newRow("customer") << false << "Customer database is empty. Hit New to add a new Customer.";
}

void PeopleDialogsTest::editWithEmptyTableReports()
{
    QFETCH(bool, agent);
    QFETCH(QString, text);
    auto program = started();
    bool wasShown = false;
    // Should the dialog open after all, close it so the test cannot hang.
    QTimer::singleShot(0, [&] {
        wasShown = dialog(*program, agent)->isVisible();
        dialog(*program, agent)->reject();
    });
    program->click(program->main(), agent ? "cmdEditAgent" : "cmdEditCust");
    QCoreApplication::processEvents();
    QVERIFY(!wasShown);
    QCOMPARE(program->messages.shown.size(), 1);
    QCOMPARE(program->messages.last().text, text);
    QCOMPARE(program->messages.last().icon, ui::MessageIcon::Information);
    QCOMPARE(program->messages.last().title, QString("QUILLON"));
    QVERIFY(!program->session().ended);
}

void PeopleDialogsTest::editShowsTheRowAndKeepsBlankedColumns_data()
{
    QTest::addColumn<bool>("agent");
    QTest::newRow("agent") << true;
    QTest::newRow("customer") << false;
}

void PeopleDialogsTest::editShowsTheRowAndKeepsBlankedColumns()
{
    QFETCH(bool, agent);
    auto program = started();
    const QString db = program->session().DBPath;
    const QString table = agent ? "Agent" : "Customer";
    const QString second = agent ? "Company" : "DBA";
    const QString secondField = agent ? "txtCoName" : "txtDBA";
    insertRows(db, table, {"Name", second, "City", "Phone", "Fax"},
               {{"First", "F Co", "Alton", "111", "911"}, {"Middle", "M Co", QVariant(), "222", "922"},
                {"Last", "L Co", "Lyon", "333", "933"}});
    agent ? program->main()->FillAgentList() : program->main()->FillCustomerList();
    QListWidget* list = agent ? program->agents() : program->customers();
    list->setCurrentRow(1);

    QWidget* window = dialog(*program, agent);
    QStringList shown;
    TestProgram::whileOpen([&] { program->click(program->main(), agent ? "cmdEditAgent" : "cmdEditCust"); }, [&] {
        for (const QString& name : {QString("txtName"), secondField, QString("txtCity"), QString("txtPhone"),
                                    QString("txtFax")})
            shown << program->control<QLineEdit>(window, qPrintable(name))->text();
        program->control<QLineEdit>(window, "txtPhone")->clear();
        program->control<QLineEdit>(window, "txtFax")->clear();
        program->control<QLineEdit>(window, "txtCity")->setText("Mayville");
        program->click(window, "cmdOK");
    });
    QCOMPARE(shown, (QStringList{"Middle", "M Co", "", "222", "922"}));
    QCOMPARE(columnOf(db, table, "City"), (QStringList{"Alton", "Mayville", "Lyon"}));
    QCOMPARE(columnOf(db, table, "Phone"), (QStringList{"111", "222", "333"}));
    QCOMPARE(columnOf(db, table, "Fax"), (QStringList{"911", "922", "933"}));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(program->session().EditMode, true);
    QCOMPARE(program->session().SelectedName, agent ? QString("M Co - Middle") : QString("M Co"));
    if (agent)
        QCOMPARE(program->control<QLabel>(window, "Label1")->text(), QString("Enter New Agent Information"));
}

void PeopleDialogsTest::cancelAndCloseBoxStoreNothing_data()
{
    QTest::addColumn<bool>("agent");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("agent, Cancel") << true << false;
    QTest::newRow("agent, close box") << true << true;
    QTest::newRow("customer, Cancel") << false << false;
    QTest::newRow("customer, close box") << false << true;
}

void PeopleDialogsTest::cancelAndCloseBoxStoreNothing()
{
    QFETCH(bool, agent);
    QFETCH(bool, closeBox);
    auto program = started();
    QDialog* window = dialog(*program, agent);
    TestProgram::whileOpen([&] { program->click(program->main(), agent ? "cmdNewAgent" : "cmdNewCust"); }, [&] {
        program->control<QLineEdit>(window, agent ? "txtName" : "txtDBA")->setText("Not kept");
        closeBox ? void(window->close()) : program->click(window, "cmdCancel");
    });
    QVERIFY(!window->isVisible());
    QVERIFY(!program->session().ended);
    QCOMPARE(columnOf(program->session().DBPath, agent ? "Agent" : "Customer", "Name"), QStringList{});
    QCOMPARE((agent ? program->agents() : program->customers())->count(), 0);

    // Nothing typed survives into the next showing.
    QString onReopen = "<not shown>";
    TestProgram::whileOpen([&] { program->click(program->main(), agent ? "cmdNewAgent" : "cmdNewCust"); }, [&] {
        onReopen = program->control<QLineEdit>(window, agent ? "txtName" : "txtDBA")->text();
        program->click(window, "cmdCancel");
    });
    QCOMPARE(onReopen, QString());
}

QTEST_MAIN(PeopleDialogsTest)
#include "tst_PeopleDialogs.moc"
