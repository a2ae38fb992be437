#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "people/TestProgram.h"
#include "ui/MessageBoxService.h"
#include "ui/Twips.h"

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
    void fieldsAsDesigned_data();
    void fieldsAsDesigned();
    void addingStoresOnlyTypedFields_data();
    void addingStoresOnlyTypedFields();
    void customerNeedsDoingBusinessAs();
    void editWithEmptyTableReports_data();
    void editWithEmptyTableReports();
    void editShowsTheRowAndKeepsBlankedColumns_data();
    void editShowsTheRowAndKeepsBlankedColumns();
    void cancelAndCloseBoxStoreNothing_data();
    void cancelAndCloseBoxStoreNothing();
    void everyShowingStartsEmpty();

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

void PeopleDialogsTest::fieldsAsDesigned_data()
{
    QTest::addColumn<bool>("agent");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("nextInTab");

    QTest::newRow("customer DBA") << false << "txtDBA" << "D" << "Doing Business As" << 50 << QRect(840, 840, 3555, 375) << "txtName";
    QTest::newRow("customer name") << false << "txtName" << "Label2" << "Customer Name" << 40 << QRect(840, 1500, 3555, 375) << "txtAddress1";
    QTest::newRow("customer address") << false << "txtAddress1" << "Label4" << "Address" << 75 << QRect(840, 2160, 3555, 375) << "txtCity";
    QTest::newRow("customer city") << false << "txtCity" << "Label5" << "City" << 25 << QRect(840, 2820, 1515, 375) << "txtState";
    QTest::newRow("customer state") << false << "txtState" << "Label6" << "State" << 2 << QRect(2520, 2820, 495, 375) << "txtZip";
    QTest::newRow("customer zip") << false << "txtZip" << "Label7" << "Zip" << 10 << QRect(3180, 2820, 1215, 375) << "txtPhone";
    QTest::newRow("customer phone") << false << "txtPhone" << "Label8" << "Phone" << 14 << QRect(840, 3480, 1815, 375) << "txtFax";
    QTest::newRow("customer fax") << false << "txtFax" << "Label9" << "Fax" << 14 << QRect(840, 4140, 1815, 375) << "cmdOK";
    QTest::newRow("agent name") << true << "txtName" << "Label2" << "Agent Name" << 40 << QRect(855, 840, 3555, 375) << "txtCoName";
    QTest::newRow("agent company") << true << "txtCoName" << "Label3" << "Company Name" << 50 << QRect(840, 1620, 3555, 375) << "txtAddress1";
    QTest::newRow("agent address") << true << "txtAddress1" << "Label4" << "Address" << 75 << QRect(840, 2400, 3555, 375) << "txtCity";
    QTest::newRow("agent city") << true << "txtCity" << "Label5" << "City" << 25 << QRect(840, 3180, 1515, 375) << "txtState";
    QTest::newRow("agent state") << true << "txtState" << "Label6" << "State" << 2 << QRect(2520, 3180, 495, 375) << "txtZip";
    QTest::newRow("agent zip") << true << "txtZip" << "Label7" << "Zip" << 10 << QRect(3180, 3180, 1215, 375) << "txtPhone";
    QTest::newRow("agent phone") << true << "txtPhone" << "Label8" << "Phone" << 14 << QRect(840, 3960, 1815, 375) << "txtFax";
    QTest::newRow("agent fax") << true << "txtFax" << "Label9" << "Fax" << 14 << QRect(840, 4740, 1815, 375) << "cmdOK";
}

void PeopleDialogsTest::fieldsAsDesigned()
{
    QFETCH(bool, agent);
    QFETCH(QString, field);
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QFETCH(int, maxLength);
    QFETCH(QRect, twips);
    QFETCH(QString, nextInTab);

    auto program = started();
    QDialog* window = dialog(*program, agent);
    auto* edit = program->control<QLineEdit>(window, qPrintable(field));
    QCOMPARE(edit->maxLength(), maxLength);
    QCOMPARE(edit->geometry(), ui::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    auto* title = program->control<QLabel>(window, qPrintable(label));
    QCOMPARE(title->text(), caption);
    QCOMPARE(title->y(), ui::toPixels({twips.y() - 240}));
    QVERIFY(title->font().bold());
    QCOMPARE(title->font().pointSizeF(), agent ? 9.75 : 8.25);

    QCOMPARE(nextTabStop(edit)->objectName(), nextInTab);

    QCOMPARE(window->windowTitle(), QString(agent ? "Add Agent" : "Add Customer"));
    QCOMPARE(window->size(), agent ? ui::twipsSize(5265, 6180) : ui::twipsSize(5265, 5310));
    QCOMPARE(program->control<QLabel>(window, "Label1")->text(),
             QString(agent ? "Enter New Agent Information" : "Customer Information"));
    QCOMPARE(nextTabStop(program->control(window, "cmdOK"))->objectName(), QString("cmdCancel"));
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
}

void PeopleDialogsTest::everyShowingStartsEmpty()
{
    auto program = started();
    QWidget* window = dialog(*program, false);
    TestProgram::whileOpen([&] { program->click(program->main(), "cmdNewCust"); }, [&] {
        program->control<QLineEdit>(window, "txtZip")->setText("62521");
        program->click(window, "cmdCancel");
    });
    QString zipOnReopen = "<not shown>";
    TestProgram::whileOpen([&] { program->click(program->main(), "cmdNewCust"); }, [&] {
        zipOnReopen = program->control<QLineEdit>(window, "txtZip")->text();
        program->click(window, "cmdCancel");
    });
    QCOMPARE(zipOnReopen, QString());
}

QTEST_MAIN(PeopleDialogsTest)
#include "tst_PeopleDialogs.moc"
