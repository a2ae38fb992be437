#include "model/history/ContractHistoryStore.h"
#include "model/history/ListedContractsModel.h"
#include "model/print/KeptNotes.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/RowStatement.h"
#include "support/TestProgram.h"

#include <QTableView>
#include <QtTest>

namespace {
const QString taken = "The deleted contract cannot be put back: another contract has taken its place.";

// Columns of one Policies row; a column left out, or a null value, stays NULL.
using Columns = QHash<QString, QVariant>;

// A contract as saving leaves it, tagged n so rows tell apart.
Columns savedContract(const QString& dba, int n)
{
    const QString tag = QString::number(n);
    return {{"DBA", dba}, {"Customer", "Customer " + tag}, {"Agent", "Agent " + tag}, {"Company", "Company " + tag},
            {"Run", "2026-12-06T20:53:52"}, {"Financed", "120"}, {"FinCharge", "70.00"}, {"Payments", "1077.50"},
            {"APR", "10.50"}, {"InstallmentNum", "8"}, {"InstallmentAmt", "133.81"}, {"LoanAuthorization", "LA-" + tag},
            {"PolicyNo1", "P-" + tag}, {"Premium1", "1000"}, {"Tax", "12.5"}, {"Description", "Fee"}};
}

// A new contract on screen, stored rows, and the previous-contracts list driven as a user drives it.
// Rows count from 1, as ContractRow does.
struct HistoryRig : NewContract {
    qint64 insert(const Columns& columns)
    {
        store::Connection connection(session().database());
        return store::insertRow(connection, {QString("INSERT INTO Policies (%1) VALUES (%2)").arg(columns.keys().join(", "),
                                                  QStringList(columns.size(), "?").join(", ")), columns.values()}, "ID");
    }
    // From the schedule on screen, which the list then takes the place of.
    void open(const QString& dba) { session().SelectedName = dba, previous()->showFromSchedule(); }
    QTableView* grid() { return control<QTableView>(previous(), "fgRecords"); }
    QStringList cells(int row)
    {
        QStringList texts;
        for (int column = 0; column < int(history::kListedColumns.size()); ++column)
            texts << grid()->model()->index(row - 1, column).data().toString();
        return texts;
    }
    QList<qint64> listedIds()
    {
        QList<qint64> ids;
        for (int row = 1; row <= grid()->model()->rowCount(); ++row)
            ids << grid()->model()->index(row - 1, 0).data(history::kIdRole).toLongLong();
        return ids;
    }
    // The one selected row, 0 when none, the session's contract row, and whether Edit, Copy and Delete are enabled.
    QList<int> chosen()
    {
        const QModelIndexList rows = grid()->selectionModel()->selectedRows();
        QList<int> seen{rows.size() == 1 ? rows.first().row() + 1 : 0, int(session().ContractRow)};
        for (const char* button : {"cmdEdit", "cmdCopy", "cmdDelete"})
            seen << control<QPushButton>(previous(), button)->isEnabled();
        return seen;
    }
    QPoint centreOf(int row) { return grid()->visualRect(grid()->model()->index(row - 1, 0)).center(); }
    void choose(int row) { QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centreOf(row)); }
    // Every stored row in ID order, NULL told from an empty text.
    QStringList stored()
    {
        QStringList rows;
        for (const QMap<QString, QString>& row : storedRows()) {
            QStringList values;
            for (const QString& value : row)
                values << (value.isNull() ? "<null>" : value);
            rows << values.join('|');
        }
        return rows;
    }
    // Keys typed into the list while it is the active window.
    void press(int key, Qt::KeyboardModifiers modifiers)
    {
        previous()->activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == previous());
        QTest::keyClick(grid(), key, modifiers);
    }
};
} // namespace

// The previous-contracts list over stored rows: listing, Done, Delete, Copy, reopening and showing a kept note.
class PreviousContractsWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The list holds exactly the customer's rows in saving order: letter case, a trailing blank, NULL, quotes
    // and wildcards make another customer. The contract row is brought into range as the list shows, row 1
    // at least while there are contracts; without contracts none is chosen and there is nothing to act on.
    // Done hides the list, and the main window's list is read afresh and starts where the last one left off.
    void listsTheCustomersRowsWithTheContractRowInRange()
    {
        HistoryRig rig;
        QList<qint64> beta, other;
        for (int n = 1; n <= 3; ++n) {
            rig.insert(savedContract("Acme", n));
            beta << rig.insert(savedContract("Beta", n));
        }
        for (const QVariant& dba : QVariantList{"BETA", "Bet'%", "Beta ", QVariant(), "beta"})
            other << rig.insert({{"DBA", dba}});
        rig.open("Bet'%");
        QCOMPARE(rig.listedIds(), QList<qint64>{other[1]});
        const auto fromMain = [&](const QString& dba) {
            rig.session().SelectedName = dba;
            QTimer::singleShot(0, [&] { rig.click(rig.previous(), "cmdDone"); });
            rig.previous()->showModalFromMain(); // returns once Done hides it
            return rig.chosen();
        };
        rig.session().ContractRow = 5;
        rig.open("Acme");
        QCOMPARE(rig.chosen(), (QList<int>{3, 3, 1, 1, 1}));
        rig.click(rig.previous(), "cmdDone");
        QVERIFY(!rig.previous()->isVisible() && !rig.schedule()->isVisible());
        QCOMPARE(fromMain("Beta"), (QList<int>{3, 3, 1, 1, 1}));
        QCOMPARE(rig.listedIds(), beta);
        rig.open("Nobody");
        QCOMPARE(rig.chosen(), (QList<int>{0, 0, 0, 0, 0}));
        QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20)); // reopens nothing
        QVERIFY(rig.previous()->isVisible() && !rig.schedule()->isVisible());
        QCOMPARE(fromMain("Beta"), (QList<int>{1, 1, 1, 1, 1}));
    }

    // Delete asks first and Ctrl+Z puts the contract back; a line whose ID now holds another contract (a file
    // copied over the database) is neither deleted nor copied, and the list is read again.
    void deleteAndCopyKeepTheListInStep_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("contracts");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("then"); // before the button: the file swapped; after it: No, Ctrl+Z
        QTest::addColumn<QList<int>>("listed"); // rows of the first listing listed after it; 0 is the copy
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("putBack"); // what the last Ctrl+Z says
        QTest::newRow("delete the only contract") << "cmdDelete" << 1 << 1 << "" << QList<int>{} << 0 << "";
        QTest::newRow("delete row 2 of 3") << "cmdDelete" << 3 << 2 << "" << QList<int>{1, 3} << 1 << "";
        QTest::newRow("delete row 3 of 3") << "cmdDelete" << 3 << 3 << "" << QList<int>{1, 2} << 2 << "";
        QTest::newRow("delete answered No") << "cmdDelete" << 3 << 2 << "no" << QList<int>{1, 2, 3} << 2 << "";
        QTest::newRow("delete put back by Ctrl+Z, then nothing left to put back")
            << "cmdDelete" << 3 << 2 << "undo" << QList<int>{1, 2, 3} << 2 << "There is nothing to put back.";
        QTest::newRow("delete not put back over a contract that took its ID")
            << "cmdDelete" << 1 << 1 << "taken" << QList<int>{} << 0 << taken;
        QTest::newRow("delete after another customer's contract took the ID")
            << "cmdDelete" << 3 << 2 << "Zed Hauling" << QList<int>{} << 0 << "";
        QTest::newRow("delete after the ID's contract was printed anew")
            << "cmdDelete" << 3 << 2 << "2026-12-07T09:15:00" << QList<int>{1, 2, 3} << 1 << "";
        QTest::newRow("edit after another customer's contract took the ID")
            << "cmdEdit" << 3 << 2 << "Zed Hauling" << QList<int>{} << 0 << "";
        QTest::newRow("copy row 1 of 3 without loan authorization")
            << "cmdCopy" << 3 << 1 << "" << QList<int>{1, 2, 3, 0} << 4 << "";
        QTest::newRow("copy after another customer's contract took the ID")
            << "cmdCopy" << 3 << 2 << "Zed Hauling" << QList<int>{} << 0 << "";
        QTest::newRow("copy after the ID's contract was printed anew")
            << "cmdCopy" << 3 << 2 << "2026-12-07T09:15:00" << QList<int>{1, 2, 3} << 1 << "";
    }
    void deleteAndCopyKeepTheListInStep()
    {
        QFETCH(QString, button);
        QFETCH(int, contracts);
        QFETCH(int, chosen);
        QFETCH(QString, then);
        QFETCH(QList<int>, listed);
        QFETCH(int, selected);
        QFETCH(QString, putBack);
        HistoryRig rig;
        Columns first = savedContract("Acme", 1);
        first.insert({{"PolicyNo8", "slot 8"}, {"Run", "2026-02-30T10:00:00"}});
        first.remove("LoanAuthorization");
        QList<qint64> ids{rig.insert(first)};
        for (int n = 2; n <= contracts; ++n)
            ids << rig.insert(savedContract("Acme", n));
        // A note kept under a higher ID, handed out before the database was restored from a copy.
        const QString notes = print::keptNotesFolder(rig.session());
        QVERIFY(QDir().mkpath(notes) && QFile(notes + "/40 Alpha Co 2026-01-02.pdf").open(QIODevice::WriteOnly));
        const QStringList before = rig.stored();
        rig.clock = QDateTime(QDate(2026, 12, 6), QTime(20, 53, 52));
        rig.open("Acme");
        // A stored time that is no date shows as stored, and the date reads from the left; the date
        // column is narrower than the amount beside it.
        QCOMPARE(rig.cells(1)[2], QString("2026-02-30T10:00:00"));
        QCOMPARE(rig.grid()->model()->index(0, 2).data(Qt::TextAlignmentRole), QVariant(int(Qt::AlignLeft | Qt::AlignVCenter)));
        QVERIFY(rig.grid()->columnWidth(2) < rig.grid()->columnWidth(3));
        rig.choose(chosen);
        // A click beside the rows leaves the chosen one chosen.
        QTest::mouseClick(rig.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, rig.grid()->viewport()->height() - 3));
        QCOMPARE(rig.chosen().first(), chosen);
        const QString question = "Delete the contract of Acme printed " + rig.cells(chosen)[2] + "?";
        const bool otherCustomer = then == "Zed Hauling", printedAnew = then.startsWith("2026");
        if (otherCustomer || printedAnew) { // the listed IDs now hold other contracts
            store::Connection(rig.session().database()).run("DELETE FROM Policies");
            for (qint64 id : ids) {
                Columns other = savedContract(otherCustomer ? then : "Acme", int(id));
                other.insert({{"ID", id}, {"Run", otherCustomer ? "2026-12-06T20:53:52" : then}});
                rig.insert(other);
            }
        }
        const QStringList swapped = rig.stored();
        rig.messages.answers = {then != "no"};
        rig.click(rig.previous(), button);
        if (then == "taken")
            rig.insert({{"ID", ids[0]}, {"DBA", "Zed Hauling"}});
        if (!putBack.isEmpty())
            rig.press(Qt::Key_Z, Qt::ControlModifier);
        if (then == "undo")
            rig.press(Qt::Key_Z, Qt::ControlModifier);

        const QList<qint64> after = rig.listedIds();
        QList<qint64> expected;
        for (int row : listed)
            expected << (row ? ids[row - 1] : after.value(3));
        QCOMPARE(after, expected);
        QCOMPARE(rig.chosen(), (QList<int>{selected, then == "no" ? 1 : selected, selected > 0, selected > 0, selected > 0}));
        QList<FakeMessageBoxService::Shown> messages;
        if (button == "cmdDelete")
            messages << FakeMessageBoxService::Shown{question, ui::MessageIcon::Question, "QUILLON", ui::MessageButtons::YesNo};
        if (!putBack.isEmpty())
            messages << FakeMessageBoxService::Shown{putBack, putBack == taken ? ui::MessageIcon::Warning : ui::MessageIcon::Information,
                                                      "Undo Delete Contract"};
        QCOMPARE(rig.messages.shown, messages);
        QVERIFY(rig.previous()->isVisible());
        // Put back under its ID with every column as it was; the other contracts stay untouched.
        if (then == "undo" || then == "no" || otherCustomer || printedAnew)
            QCOMPARE(rig.stored(), then == "undo" || then == "no" ? before : swapped);
        if (button == "cmdDelete" || !then.isEmpty())
            return;
        // The copy has a new ID above every kept note's and is dated now; every other column is as stored, NULLs included.
        QCOMPARE(rig.cells(4).mid(0, 10), (QStringList{"Company 1", "Agent 1", "12/6/2026 8:53:52 PM", "120", "70.00",
                                                       "1077.50", "10.50", "8", "133.81", ""}));
        const QList<QMap<QString, QString>> rows = rig.storedRows();
        QCOMPARE(rows.last()["ID"].toLongLong(), after[3]);
        QCOMPARE(after[3], qint64(41));
        for (const QString& column : store::policiesColumns()) {
            const QString copy = rows.last()[column], stored = column == "Run" ? "2026-12-06T20:53:52" : rows.first()[column];
            QVERIFY2(copy == stored && copy.isNull() == stored.isNull(), qPrintable(column));
        }
    }

    void reopenReplacesWhatWasOnTheSchedule()
    {
        HistoryRig rig;
        // What another contract of this run left on screen.
        rig.run({"tick frmAgent/optPersonal", "set txtPremium1_0 500", "set txtPremium2_0 600", "set txtPolicy1_3 old row 4", "set txtDescription old",
                 "tick chkTax", "set txtTax 9", "set frmPreview/txtLoanAut LA-OLD"});
        rig.insert(savedContract("Acme", 1));
        Columns chosen = savedContract("Acme", 2);
        // Slots 5 and 11 are the first row of Section 2 and the last of Section 3; an amount of 0.00 was
        // charged, a bare 0 never was.
        chosen.insert({{"PolicyNo2", "P-2b"}, {"PolicyNo3", "P-2c"}, {"PolicyNo5", "Truck"}, {"PolicyNo11", "P-11"},
                       {"Surcharge", "0.00"}, {"Fees", "0"}, {"Description", QVariant()}, {"Agent", QVariant()},
                       {"Classification", "Commercial"}});
        rig.insert(chosen);
        rig.insert(savedContract("Acme", 3));
        rig.open("Acme");
        QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, rig.centreOf(2));

        const QStringList shown{"frmPrevious=hidden", "frmPolicies1=shown", "txtLoanAut=", "txtPolicy1_0=P-2", "txtPolicy1_1=P-2b",
                                "txtPolicy1_2=P-2c", "txtPolicy1_3=", "txtPolicy2_0=Truck", "txtPolicy3_2=P-11", "txtPremium1_0=1000",
                                "txtPremium2_0=", "txtDescription=", "txtSurcharge=0.00", "txtTax=12.5", "chkSurcharge=checked",
                                "chkTax=checked", "chkFees=unchecked", "txtFees=", "cmdBack=<< Previous"};
        QCOMPARE(rig.seen(shown), shown);
        // The reopened contract's parties replace the last ones, an empty agent included.
        const Session& s = rig.session();
        QCOMPARE((QStringList{s.CurAgent.Name, s.CurAgent.Company, s.CurCust.Name, s.CurCust.DBA}),
                 (QStringList{"", "Company 2", "Customer 2", "Acme"}));
        // The review shows the classification it was saved with, and its rate; the main window follows it.
        rig.run({"click cmdNext"});
        const QStringList review{"optCommercial=checked", "lblAPR=10.50", "frmAgent/optCommercial=checked"};
        QCOMPARE(rig.seen(review), review);
        rig.run({"click frmPreview/cmdBack", "click cmdBack"});
        QVERIFY(rig.previous()->isVisible() && !rig.schedule()->isVisible());
        QCOMPARE(rig.chosen().first(), 2);
    }

    void ctrlOShowsTheKeptNote_data()
    {
        QTest::addColumn<QString>("keptAs"); // %1 is the chosen contract's ID
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QString>("message");
        const QString none = "No note was kept for this contract.";
        QTest::newRow("kept note") << "%1 Acme 2026-12-06.pdf" << true << "";
        QTest::newRow("kept again when its name was taken") << "%1 Acme 2026-12-06 (2).pdf" << true << "";
        QTest::newRow("only another contract's note") << "%1%1 Acme 2026-12-06.pdf" << true << none;
        // Notes kept under the ID before a restore handed it out again.
        QTest::newRow("another customer's note under its ID") << "%1 Alpha Co 2026-12-06.pdf" << true << none;
        QTest::newRow("a note of another day under its ID") << "%1 Acme 2025-03-14.pdf" << true << none;
        QTest::newRow("no viewer for it") << "%1 Acme 2026-12-06.pdf" << false << "The note could not be opened: ";
    }
    void ctrlOShowsTheKeptNote()
    {
        QFETCH(QString, keptAs);
        QFETCH(bool, desktopOpens);
        QFETCH(QString, message);
        HistoryRig rig;
        rig.insert(savedContract("Acme", 1));
        const qint64 id = rig.insert(savedContract("Acme", 2));
        const QString folder = print::keptNotesFolder(rig.session()), note = QDir(folder).filePath(keptAs.arg(id));
        QVERIFY(QDir().mkpath(folder) && QFile(note).open(QIODevice::WriteOnly));
        rig.desktop.opens = desktopOpens;
        rig.open("Acme");
        rig.previous()->activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == rig.previous());
        rig.choose(2);
        QTest::keyClick(rig.grid(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(rig.desktop.opened, message.startsWith("No") ? QStringList() : QStringList{note});
        QCOMPARE(rig.messages.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY(rig.messages.last().text.startsWith(message) && rig.messages.last().title == "Show Note");
        QVERIFY(rig.previous()->isVisible());
    }
};

QTEST_MAIN(PreviousContractsWindowTest)
#include "tst_PreviousContractsWindow.moc"
