#include "history/HistoryFixture.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "people/TestProgram.h"
#include "store/PoliciesColumns.h"
#include "ui/KeptNotes.h"

#include <QtTest>

// The previous-contracts list over stored rows: listing, Done, Delete, Copy and
// reopening; and one contract's whole road through the windows of a started program.
class PreviousContractsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listsExactlyTheCustomersRowsInSavingOrder();
    void contractRowIsBroughtIntoRange_data();
    void contractRowIsBroughtIntoRange();
    void deleteAndCopyKeepTheListInStep_data();
    void deleteAndCopyKeepTheListInStep();
    void reopenReplacesWhatWasOnTheSchedule_data();
    void reopenReplacesWhatWasOnTheSchedule();
    void copyEditSaveGivesThreeRows();
    void section3ComesBackAndIsCopied();
    void olderDatabaseReopensAsBefore();
    void ctrlOShowsTheKeptNote_data();
    void ctrlOShowsTheKeptNote();
    void wholeRoadThroughTheRealWindows();
};

void PreviousContractsWindowTest::listsExactlyTheCustomersRowsInSavingOrder()
{
    // Letter case, a trailing blank, NULL, quotes and wildcards: each is another customer.
    HistoryRig rig;
    QList<qint64> ids;
    for (const QVariant& dba : QVariantList{"Acme", "ACME", "Acm'%", "Acme ", QVariant(), "acme", "Acme"})
        ids << rig.insert({{"DBA", dba}});
    rig.open("Acme");
    QCOMPARE(rig.listedIds(), (QList<qint64>{ids[0], ids[6]}));
    rig.open("Acm'%");
    QCOMPARE(rig.listedIds(), QList<qint64>{ids[2]});
}

void PreviousContractsWindowTest::contractRowIsBroughtIntoRange_data()
{
    QTest::addColumn<int>("contracts");
    QTest::addColumn<int>("rowBefore");
    QTest::addColumn<int>("rowAfter"); // also the row selected; 0 is none
    QTest::newRow("first showing selects the first row") << 2 << 0 << 1;
    QTest::newRow("row 5, two contracts now") << 2 << 5 << 2;
    QTest::newRow("one past the last row") << 2 << 3 << 2;
    QTest::newRow("customer without contracts") << 0 << 2 << 0;
}

void PreviousContractsWindowTest::contractRowIsBroughtIntoRange()
{
    QFETCH(int, contracts);
    QFETCH(int, rowBefore);
    QFETCH(int, rowAfter);
    HistoryRig rig;
    for (int n = 1; n <= contracts; ++n)
        rig.insert(savedContract("Acme", n));
    const QList<qint64> beta{rig.insert(savedContract("Beta", 1)), rig.insert(savedContract("Beta", 2))};
    rig.session.ContractRow = std::int16_t(rowBefore);
    rig.open("Acme");
    QCOMPARE(rig.grid()->rowCount(), contracts);
    QCOMPARE(rig.selected(), rowAfter);
    QCOMPARE(int(rig.session.ContractRow), rowAfter);
    QCOMPARE(rig.enabled(), QList<bool>(3, rowAfter > 0));
    if (!contracts) // a double-click on the empty grid reopens nothing
        QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    rig.press("cmdDone");
    QVERIFY(!rig.previous->isVisible() && !rig.schedule->isVisible());

    // The main window's list is read afresh and starts where this one left off, at row 1 at least.
    rig.session.SelectedName = "Beta";
    QTimer::singleShot(0, [&] { rig.press("cmdDone"); });
    rig.previous->showModalFromMain(); // returns once Done hides it
    QCOMPARE(rig.listedIds(), beta);
    QCOMPARE(rig.selected(), qMax(rowAfter, 1));
    QCOMPARE(rig.enabled(), QList<bool>(3, true));
}

void PreviousContractsWindowTest::deleteAndCopyKeepTheListInStep_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("contracts");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QList<int>>("listed"); // rows of the first listing listed after it; 0 is the copy
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("removed"); // from the first contract
    QTest::newRow("delete the only contract") << "cmdDelete" << 1 << 1 << QList<int>{} << 0 << "";
    QTest::newRow("delete row 1 of 3") << "cmdDelete" << 3 << 1 << QList<int>{2, 3} << 1 << "";
    QTest::newRow("delete row 2 of 3") << "cmdDelete" << 3 << 2 << QList<int>{1, 3} << 1 << "";
    QTest::newRow("delete row 3 of 3") << "cmdDelete" << 3 << 3 << QList<int>{1, 2} << 2 << "";
    QTest::newRow("copy row 1 of 3") << "cmdCopy" << 3 << 1 << QList<int>{1, 2, 3, 0} << 4 << "";
    QTest::newRow("copy row 1 of 3 without loan authorization")
        << "cmdCopy" << 3 << 1 << QList<int>{1, 2, 3, 0} << 4 << "LoanAuthorization";
}

void PreviousContractsWindowTest::deleteAndCopyKeepTheListInStep()
{
    QFETCH(QString, button);
    QFETCH(int, contracts);
    QFETCH(int, chosen);
    QFETCH(QList<int>, listed);
    QFETCH(int, selected);
    QFETCH(QString, removed);
    HistoryRig rig;
    Columns first = savedContract("Acme", 1);
    first.insert({{"PolicyNo8", "slot 8"}, {"Run", QVariant()}});
    first.remove(removed);
    QList<qint64> ids{rig.insert(first)};
    for (int n = 2; n <= contracts; ++n)
        ids << rig.insert(savedContract("Acme", n));
    rig.clock = QDateTime(QDate(2026, 12, 6), QTime(20, 53, 52));
    rig.open("Acme");
    QCOMPARE(rig.cells(1)[2], QString()); // a null date shows empty
    rig.choose(chosen);
    rig.press(qPrintable(button));

    const QList<qint64> after = rig.listedIds();
    QList<qint64> expected;
    for (int row : listed)
        expected << (row ? ids[row - 1] : after.value(3));
    QCOMPARE(after, expected);
    QCOMPARE(rig.selected(), selected);
    QCOMPARE(int(rig.session.ContractRow), selected);
    QCOMPARE(rig.enabled(), QList<bool>(3, selected > 0));
    QVERIFY(rig.messages.shown.isEmpty() && rig.previous->isVisible());
    if (button == "cmdDelete")
        return;
    // The copy has a new ID and is dated now; every other column is as stored, NULLs included.
    QCOMPARE(rig.cells(4).mid(0, 10), (QStringList{"Company 1", "Agent 1", "12/6/2026 8:53:52 PM", "120", "70.00",
                                                   "1077.50", "10.50", "8", "133.81",
                                                   removed.isEmpty() ? "LA-1" : ""}));
    QVERIFY(after[3] > ids.last());
    // "IS NOT DISTINCT FROM" tells a NULL from an empty text.
    QStringList same{"made.ID = ?", "source.ID = ?"};
    for (const QString& column : store::policiesColumns())
        same << QString(column == "Run" ? "made.%1 = ?" : "made.%1 IS NOT DISTINCT FROM source.%1").arg(column);
    store::Connection connection(rig.session.database());
    QSqlQuery query = connection.run("SELECT 1 FROM Policies made, Policies source WHERE " + same.join(" AND "),
                                     {after[3], ids[0], "2026-12-06T20:53:52"});
    QVERIFY2(query.next(), "the copy differs from its original");
}

void PreviousContractsWindowTest::reopenReplacesWhatWasOnTheSchedule_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("tax");
    QTest::newRow("Edit, tax 12.5 is written and ticked") << false << "12.5";
    QTest::newRow("double-click, tax 0 leaves the cleared tax alone") << true << "0";
}

void PreviousContractsWindowTest::reopenReplacesWhatWasOnTheSchedule()
{
    QFETCH(bool, doubleClick);
    QFETCH(QString, tax);
    HistoryRig rig;
    // What another contract of this run left on screen.
    rig.fillSchedule("500", "600", "700", "9");
    rig.field("txtPolicy1_3")->setText("old row 4");
    rig.field("txtDescription")->setText("old description");
    rig.reviewField("txtLoanAut")->setText("LA-OLD");

    rig.insert(savedContract("Acme", 1));
    Columns chosen = savedContract("Acme", 2);
    chosen.insert({{"PolicyNo2", "P-2b"}, {"PolicyNo3", "P-2c"}, {"PolicyNo5", "Truck"}, {"Surcharge", "0.00"},
                   {"Tax", tax}, {"Description", QVariant()}, {"Agent", QVariant()}});
    rig.insert(chosen);
    rig.insert(savedContract("Acme", 3));
    rig.open("Acme");
    if (doubleClick)
        QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, rig.centreOf(2));
    else {
        rig.choose(2);
        rig.press("cmdEdit");
    }

    QVERIFY(!rig.previous->isVisible() && rig.schedule->isVisible());
    QStringList shown{rig.reviewField("txtLoanAut")->text()};
    for (const char* name : {"txtPolicy1_0", "txtPolicy1_1", "txtPolicy1_2", "txtPolicy1_3", "txtPolicy2_0",
                             "txtPremium1_0", "txtPremium2_0", "txtPremium3_0", "txtDescription", "txtSurcharge",
                             "txtTax"})
        shown << rig.field(name)->text();
    for (const char* name : {"chkSurcharge", "chkTax"})
        shown << (rig.box(name)->isChecked() ? "ticked" : "");
    const bool taxed = tax != "0";
    QCOMPARE(shown, (QStringList{"", "P-2", "P-2b", "P-2c", "", "Truck", "1000", "", "", "", "0.00",
                                 taxed ? tax : "", "ticked", taxed ? "ticked" : ""}));
    // The reopened contract's parties replace the last ones, an empty agent included.
    const Session& s = rig.session;
    QCOMPARE((QStringList{s.CurAgent.Name, s.CurAgent.Company, s.CurCust.Name, s.CurCust.DBA}),
             (QStringList{"", "Company 2", "Customer 2", "Acme"}));

    auto* back = rig.in<QPushButton>(rig.schedule, "cmdBack");
    QCOMPARE(back->text(), QString("<< Previous"));
    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(rig.previous->isVisible() && !rig.schedule->isVisible());
    QCOMPARE(rig.selected(), 2);
}

void PreviousContractsWindowTest::copyEditSaveGivesThreeRows()
{
    HistoryRig rig;
    rig.insert(savedContract("Acme", 1));
    rig.open("Acme");
    rig.press("cmdCopy"); // selects the copy
    rig.press("cmdEdit");
    rig.clickNext();
    rig.clickSavePrint();
    QVERIFY(rig.messages.shown.isEmpty());
    // Saved as a new row of the reopened contract's customer and parties, not the run's first ones.
    rig.open("Acme");
    QCOMPARE(rig.grid()->rowCount(), 3);
    QCOMPARE(rig.cells(3).mid(0, 2), (QStringList{"Company 1", "Agent 1"}));
}

namespace {
// The seven fields of each Section 3 row, named as the schedule names them.
QStringList section3Fields()
{
    QStringList names;
    for (int row = 0; row < 3; ++row)
        for (const char* field : {"Policy", "Company", "Premium", "Coverage", "Inception", "Expiration", "Term"})
            names << QString("txt%1%2_%3").arg(field).arg(3).arg(row);
    return names;
}
} // namespace

// A contract whose three Section 3 rows are filled is saved, reopened with the
// same rows and terms, and copied with them.
void PreviousContractsWindowTest::section3ComesBackAndIsCopied()
{
    HistoryRig rig;
    QStringList typed, steps{"set txtPremium1_0 1000"};
    for (const QString& name : section3Fields()) {
        const int row = name.right(1).toInt();
        typed << (name.startsWith("txtPremium") ? QString::number(200 * (row + 1))
                  : name.startsWith("txtInception") ? QString("0%1/15/2024").arg(row + 1)
                                                      : name.mid(3) + " text");
        steps << "set " + name + " " + typed.last();
    }
    const QStringList terms{"lblSec3", "txtDown", "lblAmtFin", "txtFinCharge", "lblTotalPayments", "lblAmtInstall",
                            "dtpFirstInstllmnt"};
    const auto shownTerms = [&] {
        QStringList shown;
        for (const QString& name : terms)
            shown << rig.valueOf(name);
        return shown;
    };
    rig.run(steps + QStringList{"next", "save"});
    const QStringList saved = shownTerms();
    QCOMPARE(saved.first(), QString("1200.00"));
    const QMap<QString, QString> stored = rig.storedRows().value(0);
    QCOMPARE((QStringList{stored["PolicyNo8"], stored["Premium9"], stored["Term11"]}),
             (QStringList{"", "200", "Term3_2 text"}));

    rig.open("Carl's Hauling");
    rig.press("cmdEdit");
    QStringList reopened;
    for (const QString& name : section3Fields())
        reopened << rig.field(name)->text();
    QCOMPARE(reopened, typed);
    rig.clickNext();
    QCOMPARE(shownTerms(), saved);

    rig.run({"click frmPreview/cmdBack", "click cmdBack"}); // to the list again, through << Previous
    rig.press("cmdCopy");
    const QList<QMap<QString, QString>> rows = rig.storedRows();
    QCOMPARE(rows.size(), 2);
    for (const QString& family : store::slotFamilies())
        for (int slot = store::kFirstAppendedSlot; slot <= store::kPolicySlots; ++slot) {
            const QString column = family + QString::number(slot);
            QVERIFY2(!rows[1][column].isNull() && rows[1][column] == rows[0][column], qPrintable(column));
        }
}

// A database of the program's made before Section 3 was kept gets its slots at
// start-up, and its contracts reopen as they always did, Section 3 empty.
void PreviousContractsWindowTest::olderDatabaseReopensAsBefore()
{
    TestProgram program;
    const store::Place db = program.makeDatabase();
    {
        store::Connection connection(db);
        for (const QString& family : store::slotFamilies())
            for (int slot = store::kFirstAppendedSlot; slot <= store::kPolicySlots; ++slot)
                connection.execute(QString("ALTER TABLE Policies DROP COLUMN %1%2").arg(family).arg(slot));
    }
    insertRows(db, "Agent", {"Name"}, {{"Al"}});
    insertRows(db, "Customer", {"Name", "DBA"}, {{"Ann", "Acme"}});
    insertRows(db, "Policies", {"DBA", "PolicyNo1", "Premium1", "PolicyNo5", "Section3", "TotalSections"},
               {{"Acme", "P-1", "1000", "Truck", "300.00", "1300.00"}});
    QVERIFY(program.start());
    QVERIFY(program.messages.shown.isEmpty());
    // The server keeps the table's name folded to lower case.
    QCOMPARE(store::Connection(db).database().record(testdb::onServer() ? "policies" : "Policies").count(),
             int(store::policiesColumns().size()) + 1);

    const AppWindows& w = program.app->windows();
    program.type(w.frmPolicies1, "txtPolicy3_0", "left from before");
    TestProgram::whileOpen([&] { program.click(program.main(), "cmdPrevContract"); },
                           [&] { program.click(w.frmPrevious, "cmdEdit"); });
    QStringList shown;
    for (const char* name : {"txtPolicy1_0", "txtPremium1_0", "txtPolicy2_0"})
        shown << program.control<QLineEdit>(w.frmPolicies1, name)->text();
    for (const QString& name : section3Fields())
        shown << program.control<QLineEdit>(w.frmPolicies1, qPrintable(name))->text();
    QCOMPARE(shown, QStringList({"P-1", "1000", "Truck"}) + QStringList(21, QString()));
}

void PreviousContractsWindowTest::ctrlOShowsTheKeptNote_data()
{
    QTest::addColumn<QString>("keptAs"); // %1 is the chosen contract's ID
    QTest::addColumn<bool>("desktopOpens");
    QTest::addColumn<QString>("message");
    QTest::newRow("kept note") << "%1 Acme 2025-03-14.pdf" << true << "";
    QTest::newRow("only another contract's note") << "%1%1 Acme 2025-03-14.pdf" << true
                                                  << "No note was kept for this contract.";
    QTest::newRow("no viewer for it") << "%1 Acme 2025-03-14.pdf" << false << "The note could not be opened: ";
}

void PreviousContractsWindowTest::ctrlOShowsTheKeptNote()
{
    QFETCH(QString, keptAs);
    QFETCH(bool, desktopOpens);
    QFETCH(QString, message);
    HistoryRig rig;
    rig.insert(savedContract("Acme", 1));
    const qint64 id = rig.insert(savedContract("Acme", 2));
    const QString folder = ui::keptNotesFolder(rig.session);
    QVERIFY(QDir().mkpath(folder));
    const QString note = QDir(folder).filePath(keptAs.arg(id));
    QFile file(note);
    QVERIFY(file.open(QIODevice::WriteOnly));
    rig.desktop.opens = desktopOpens;
    rig.open("Acme");
    rig.previous->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.previous));
    rig.choose(2);
    QTest::keyClick(rig.grid(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(rig.desktop.opened, message.startsWith("No") ? QStringList() : QStringList{note});
    QCOMPARE(rig.messages.shown.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QVERIFY(rig.messages.last().text.startsWith(message));
        QCOMPARE(rig.messages.last().title, QString("Show Note"));
    }
    QVERIFY(rig.previous->isVisible());
}

void PreviousContractsWindowTest::wholeRoadThroughTheRealWindows()
{
    TestProgram program;
    program.makeDatabase();
    QVERIFY(program.start());
    FakePrinterDialogService printers;
    printers.confirmEveryJob();
    program.session().services.printers = &printers;
    const AppWindows& w = program.app->windows();
    QWidget* main = program.main();
    auto type = [&](QWidget* window, const char* field, const QString& text) {
        program.control<QLineEdit>(window, field)->setText(text);
    };
    auto add = [&](const char* button, QWidget* dialog, const char* field, const QString& text) {
        TestProgram::whileOpen([&] { program.click(main, button); }, [&] {
            type(dialog, field, text);
            program.click(dialog, "cmdOK");
        });
    };
    add("cmdNewAgent", w.frmAddAgent, "txtName", "Ann Agent");
    add("cmdNewCust", w.frmAddCust, "txtDBA", "Carl's Hauling");
    program.agents()->setCurrentRow(0);
    program.customers()->setCurrentRow(0);
    program.click(main, "cmdNext");
    type(w.frmPolicies1, "txtPolicy1_0", "POL-1");
    type(w.frmPolicies1, "txtPremium1_0", "1000");
    type(w.frmPolicies1, "txtInception1_0", "12/15/2024");
    program.click(w.frmPolicies1, "cmdNext");
    program.click(w.frmPreview, "cmdPrint");
    program.click(w.frmPolicies1, "cmdBack");

    TestProgram::whileOpen([&] { program.click(main, "cmdPrevContract"); },
                           [&] { program.click(w.frmPrevious, "cmdEdit"); });
    QCOMPARE(program.control<QLineEdit>(w.frmPolicies1, "txtPolicy1_0")->text(), QString("POL-1"));
    program.click(w.frmPolicies1, "cmdNext");
    program.click(w.frmPreview, "cmdPrint");
    QVERIFY(program.messages.shown.isEmpty());
    QCOMPARE(printers.jobs.size(), 2);
    store::Connection connection(program.session().database());
    QSqlQuery rows = connection.run("SELECT COUNT(*) FROM Policies WHERE DBA = ? AND Agent = ? AND PolicyNo1 = ?"
                                    " AND Premium1 = ?", {"Carl's Hauling", "Ann Agent", "POL-1", "1000"});
    QVERIFY(rows.next());
    QCOMPARE(rows.value(0).toInt(), 2);

    // << Previous leads to the list, which shows both, the reopened one selected.
    program.click(w.frmPolicies1, "cmdBack");
    QVERIFY(w.frmPrevious->isVisible());
    QCOMPARE(w.frmPrevious->dataRows(), 2);
    QCOMPARE(w.frmPrevious->chosenRow(), 1);
    program.click(w.frmPrevious, "cmdDone");
    // A contract started anew from the main window goes back there again.
    program.click(main, "cmdNext");
    program.click(w.frmPolicies1, "cmdBack");
    QVERIFY(main->isVisible() && !w.frmPrevious->isVisible());
}

QTEST_MAIN(PreviousContractsWindowTest)
#include "tst_PreviousContractsWindow.moc"
