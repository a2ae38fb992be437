#include "support/FileBytes.h"
#include "support/TestProgram.h"
#include "windows/ui/GlobePicture.h"

#include <QtTest>

namespace {
using ui::MessageIcon;
using Rows = QList<QList<QVariant>>;
using Shown = FakeMessageBoxService::Shown;
struct Failure { Rows agents, customers; QString button; Shown message; };
struct Entry { bool agent; QStringList typed; QString button, line, stored; QList<Shown> messages = {}; bool yes = false; };  // typed: field=value

// Every column of a person, as the tables hold them and the records name them.
const QStringList kAgentColumns{"Name", "Company", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax"};
const QStringList kCustomerColumns{"Name", "DBA", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax"};
QStringList fieldsOf(const AgentRecord& r) { return {r.Name, r.Company, r.Address1, r.Address2, r.City, r.State, r.Zip, r.Phone, r.Fax}; }
QStringList fieldsOf(const CustomerRecord& r) { return {r.Name, r.DBA, r.Address1, r.Address2, r.City, r.State, r.Zip, r.Phone, r.Fax}; }
QStringList filled(const QString& prefix, const QStringList& columns) { return QStringList(columns).replaceInStrings(QRegularExpression("^"), prefix); }

std::unique_ptr<TestProgram> started(const Rows& agents = {}, const Rows& customers = {}) { return TestProgram::startedWith(agents, customers); }
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
        QTest::newRow("customer without DBA") << Entry{false, {"txtName=Ann"}, "cmdOK", "", "", {refused}};
        QTest::newRow("customer, close box") << Entry{false, {"txtDBA=Lee Farms"}, "close", "", ""};
        QTest::newRow("agent without company") << Entry{true, {"txtName=Jo Smith"}, "cmdOK", " - Jo Smith", "Jo Smith|<null>|<null>|<null>"};
        QTest::newRow("agent with company") << Entry{true, {"txtName=Jo", "txtCoName=Acme", "txtFax=555"}, "cmdOK", "Acme - Jo", "Jo|Acme|<null>|555"};
        const Shown blankAgent{"An Agent cannot be stored with every field blank.", MessageIcon::Critical, "Add Agent"};
        QTest::newRow("agent of blanks only") << Entry{true, {"txtName=  ", "txtFax= "}, "cmdOK", "", "", {blankAgent}};
        QTest::newRow("agent, Cancel") << Entry{true, {"txtName=Jo"}, "cmdCancel", "", ""};
        // A name already stored, whatever its letter case, accents and blanks, is added only when the user says so.
        const auto sameName = [](const char* text) { return Shown{text, MessageIcon::Question, "QUILLON", ui::MessageButtons::YesNo}; };
        QTest::newRow("customer named as another, No")
            << Entry{false, {"txtDBA= ÉAR lier"}, "cmdOK", "", "", {sameName("A customer named  ÉAR lier already exists. Add another one?")}};
        QTest::newRow("agent named as another, Yes") << Entry{true, {"txtName=ear  Lier", "txtCoName=Co"}, "cmdOK", "Co - ear  Lier",
            "ear  Lier|Co|<null>|<null>", {sameName("An agent named ear  Lier already exists. Add another one?")}, true};
        QTest::newRow("customer whose name differs by a letter") << Entry{false, {"txtDBA=Earliest"}, "cmdOK", "Earliest", "<null>|Earliest|<null>|<null>"};
    }
    void entries()
    {
        QFETCH(Entry, row);
        auto program = started(row.agent ? Rows{{"Co", "Ear Lier"}} : Rows(), row.agent ? Rows() : Rows{{"Ann", "\u00c9arl\u00efer"}});
        program->messages.answers << row.yes;
        bool stayedOpen = false;
        program->inPartyDialog(row.agent, "New", [&](QWidget* window) {
            for (const QString& entry : row.typed)
                program->type(window, qPrintable(entry.section('=', 0, 0)), entry.section('=', 1));
            row.button == "close" ? void(window->close()) : program->click(window, qPrintable(row.button));
            if ((stayedOpen = window->isVisible()))
                program->click(window, "cmdCancel");
        });
        QCOMPARE(stayedOpen, !row.messages.isEmpty() && !row.yes);
        QCOMPARE(program->messages.shown, row.messages);
        people::KeyedList* list = row.agent ? program->agents() : program->customers();
        QCOMPARE(linesOf(list).mid(1), row.line.isEmpty() ? QStringList() : QStringList{row.line});
        QCOMPARE(list->currentRow(), list->count() - 1);
        QCOMPARE(columnOf(program->session().database(), row.agent ? "Agent" : "Customer",
                          row.agent ? "Name, Company, City, Fax" : "Name, DBA, City, Fax").value(1), row.stored);
    }

    // Edit shows the chosen row, a stored value longer than its field's limit whole, and writes back only
    // what the user changed, a field left blank keeping what it held, while typing keeps to the limit;
    // Next copies every column of the chosen rows. Both find a row by its key, not by its position.
    void editAndNextReadTheChosenRows()
    {
        auto program = started();
        const store::Place db = program->session().database();
        const auto row = [](int key, const QString& prefix, const QStringList& columns) { return QVariantList{key} + QVariant(filled(prefix, columns)).toList(); };
        const QString longAddress = QString(100, 'x') + " Suite 9"; // the field takes 75
        QVariantList chosen = row(9, "A1 ", kAgentColumns);
        chosen[3] = longAddress;
        insertRows(db, "Agent", QStringList{"RowKey"} + kAgentColumns, {row(4, "A0 ", kAgentColumns), chosen});
        insertRows(db, "Customer", QStringList{"RowKey"} + kCustomerColumns, {row(7, "C0 ", kCustomerColumns)});
        QVERIFY(program->start());
        program->agents()->setCurrentRow(1);
        QStringList shown;
        program->inPartyDialog(true, "Edit", [&](QWidget* window) {
            for (const char* name : {"txtName", "txtCoName", "txtAddress1", "txtCity", "txtPhone"})
                shown << program->control<QLineEdit>(window, name)->text();
            program->type(window, "txtPhone", "");
            program->type(window, "txtCity", "Mayville");
            program->run({"type frmAddAgent/txtState Texas"});
            program->click(window, "cmdOK");
        });
        QCOMPARE(shown, (QStringList{"A1 Name", "A1 Company", longAddress, "A1 City", "A1 Phone"}));
        QCOMPARE(columnOf(db, "Agent", "City"), (QStringList{"A0 City", "Mayville"}));
        program->customers()->setCurrentRow(0);
        program->click(program->main(), "cmdNext");
        QStringList edited = filled("A1 ", kAgentColumns);
        edited[2] = longAddress, edited[4] = "Mayville", edited[5] = "Te";
        QCOMPARE(fieldsOf(program->session().CurAgent), edited);
        QCOMPARE(fieldsOf(program->session().CurCust), filled("C0 ", kCustomerColumns));
    }

    // A click that reaches the main window before its first paint (made ahead while the program
    // started) is not lost on the windows behind it, which are made only once it is painted.
    void clickBeforeTheFirstPaintIsDone()
    {
        auto program = started({{"Acme", "Ann"}}, {{"Bob", "Bob's"}});
        program->app.reset();
        Application quillon(program->env, Services{&program->messages, &program->files, &program->printers, &program->desktop});
        QVERIFY(quillon.start());
        QWidget* main = TestProgram::window("frmAgent");
        QVERIFY(main && main->isVisible());
        QTest::mouseClick(main->findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
        QVERIFY(quillon.windows().schedule->isVisible());
        QCOMPARE(program->messages.shown.size(), 0);
    }

    // The globe a later run copies in from its kept drawing looks exactly as one drawn afresh; a
    // kept file cut short, empty, another program's, or of another size under this one's name is
    // not used but drawn afresh and kept again whole.
    void keptGlobeIsTheDrawnOne_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("kept whole") << "";
        QTest::newRow("cut short") << "cut";
        QTest::newRow("empty") << "empty";
        QTest::newRow("another program's") << "foreign";
        QTest::newRow("another size") << "size";
    }
    void keptGlobeIsTheDrawnOne()
    {
        QFETCH(QString, damage);
        auto program = started();
        const QSize size = program->main()->findChild<QWidget*>("Image1")->size();
        const auto keptAt = [&](QSize side) { return program->env.userDataFolder + QString("/.globe-1-%1x%2.drawing").arg(side.width()).arg(side.height()); };
        const QString kept = keptAt(size);
        const auto grabbed = [&](QSize side) {
            ui::GlobePicture globe;
            globe.resize(side);
            return globe.grab().toImage();
        };
        QFile::remove(kept);
        const QImage drawn = grabbed(size);
        QTRY_VERIFY(QFile::exists(kept));
        const QByteArray whole = bytesOf(kept);
        if (damage == "cut")
            writeFile(kept, whole.left(whole.size() / 2));
        else if (damage == "empty")
            writeFile(kept, {});
        else if (damage == "foreign")
            writeFile(kept, QByteArray(whole.size(), 'Q'));
        if (damage == "size") {
            grabbed(size / 2);
            QTRY_VERIFY(QFile::exists(keptAt(size / 2)));
            QVERIFY(QFile::remove(kept) && QFile::copy(keptAt(size / 2), kept));
        }
        QCOMPARE(grabbed(size), drawn);
        QTRY_COMPARE(bytesOf(kept), whole);
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
        // Address2 stays NULL, and must come back NULL.
        const Rows rows{{"R1", "R1 Co", "1 Road", "111"}, {"R2", "R2 Co", "2 Road", "222"}, {"R3", "R3 Co", "3 Road", "333"}};
        auto program = started();
        const store::Place db = program->session().database();
        insertRows(db, table, {"Name", agent ? "Company" : "DBA", "Address1", "Fax"}, rows);
        QVERIFY(program->start());
        program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main()));
        people::KeyedList* list = agent ? program->agents() : program->customers();
        QStringList left = columnOf(db, table, "*");
        QString lastDeleted;
        for (const int position : deletes) {
            list->setCurrentRow(position);
            program->click(program->main(), agent ? "cmdDeleteAgent" : "cmdDeleteCust");
            lastDeleted = left.takeAt(position);
        }
        if (keyTaken)
            insertRows(db, table, {"RowKey", "Name"}, {{lastDeleted.section('|', 0, 0).toLongLong(), "Taker"}});
        left << lastDeleted;
        left.sort();
        const QStringList expected = keyTaken ? columnOf(db, table, "*") : left;
        // A second Ctrl+Z puts nothing more back, and says so: only the last delete is kept.
        for (int undo = 0; undo < (keyTaken ? 1 : 2); ++undo) {
            QTest::keyClick(program->main(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(columnOf(db, table, "*"), expected);
        }
        const Shown taken{"The deleted agent cannot be put back: another agent has taken its place.", MessageIcon::Warning,
                          "Undo Delete Agent"};
        const Shown nothingLeft{"There is nothing to put back.", MessageIcon::Information, "QUILLON"};
        QCOMPARE(program->messages.shown, QList<Shown>{keyTaken ? taken : nothingLeft});
        if (!keyTaken) {
            QCOMPARE(list->count(), expected.size());
            QCOMPARE(list->currentRow(), int(expected.indexOf(lastDeleted)));
            QVERIFY(list->isRowSelected(list->currentRow()));
        }
    }

    // Ctrl+F opens Find Customer; Find Next and F3 go from match to match, letter case and accents
    // aside, and round; a text no customer holds is told, and a customer another program stored since
    // is found. F1 tells about the program.
    void findCustomerAndAbout()
    {
        auto program = started({{"Zed Co", "Ann"}, {"Café Co", "Bo"}}, {{"", "Café Mañana"}, {"", "Acme Hauling"}, {"", "CAFE ROYAL"}, {"", "Zed"}});
        program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main()));
        program->customers()->setFocus();
        QTest::keyClick(program->main(), Qt::Key_F, Qt::ControlModifier);
        QWidget* find = program->control<QWidget>(program->main(), "frmFind");
        QVERIFY(find->isVisible());
        QTest::keyClicks(program->control<QLineEdit>(find, "txtFind"), "cafe");
        QList<int> chosen;
        for (int press = 0; press < 3; ++press) { // from the last line, round to the first
            press < 2 ? program->click(find, "cmdFindNext") : QTest::keyClick(program->main(), Qt::Key_F3);
            chosen << program->customers()->currentRow();
        }
        QCOMPARE(chosen, (QList<int>{0, 2, 0}));
        QVERIFY(program->messages.shown.isEmpty());
        program->type(find, "txtFind", "café noir");
        program->click(find, "cmdFindNext");
        QCOMPARE(program->customers()->currentRow(), 0);
        QCOMPARE(program->messages.shown, (QList<Shown>{{"\"café noir\" was not found in the customer list.",
                                                         MessageIcon::Information, "Find Customer"}}));
        insertRows(program->session().database(), "Customer", {"Name", "DBA"}, {{"Noir", "Café Noir"}});
        program->click(find, "cmdFindNext");
        QCOMPARE(program->customers()->selectedText(), QString("Café Noir"));
        // With the agent list in focus, Ctrl+F and F3 look there, in a dialog of its own.
        program->agents()->setFocus();
        QTest::keyClick(program->main(), Qt::Key_F, Qt::ControlModifier);
        QWidget* findAgent = program->control<QWidget>(program->main(), "frmFindAgent");
        QTest::keyClicks(program->control<QLineEdit>(findAgent, "txtFind"), "CAFE");
        program->click(findAgent, "cmdFindNext");
        program->agents()->setFocus();
        program->agents()->setCurrentRow(0);
        QTest::keyClick(program->main(), Qt::Key_F3);
        QCOMPARE((QList<int>{program->agents()->currentRow(), program->customers()->currentRow()}), (QList<int>{1, 4}));
        program->type(findAgent, "txtFind", "Acme");
        program->click(findAgent, "cmdFindNext");
        QCOMPARE(program->messages.last(), (Shown{"\"Acme\" was not found in the agent list.", MessageIcon::Information, "Find Agent"}));
        QTest::keyClick(program->main(), Qt::Key_F1);
        QCOMPARE(program->messages.last().title, QString("About QUILLON"));
        QVERIFY(program->messages.last().text.startsWith("QUILLON\nVersion 8.0\n"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
