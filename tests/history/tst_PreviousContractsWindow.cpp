#include "app/AppWindows.h"
#include "app/Session.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/ContractHistoryStore.h"
#include "history/HistoryFixture.h"
#include "history/PreviousContractsWindow.h"
#include "support/FakeServices.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// One run of the program with the previous-contracts window and the policy
// schedule to reopen into, over a fresh database.
struct Rig {
    TempDatabase db;
    FakeMessageBoxService messages;
    Session session;
    AppWindows windows;
    std::unique_ptr<PolicyScheduleWindow> schedule;
    std::unique_ptr<PreviousContractsWindow> window;

    Rig()
    {
        session.DBPath = db.path();
        session.services.messages = &messages;
        session.now = [] { return QDateTime(QDate(2027, 3, 4), QTime(15, 6, 7)); };
        schedule = std::make_unique<PolicyScheduleWindow>(session, windows);
        windows.frmPolicies1 = schedule.get();
        window = std::make_unique<PreviousContractsWindow>(session, windows);
        windows.frmPrevious = window.get();
    }

    // Saves n contracts for the customer; returns their IDs.
    QList<qint64> save(const QString& dba, int n)
    {
        QList<qint64> ids;
        for (int i = 1; i <= n; ++i)
            ids << db.insert(savedContract(dba, i));
        return ids;
    }

    void open(const QString& dba)
    {
        session.SelectedName = dba;
        window->showFromSchedule();
    }

    QTableWidget* grid() const { return window->findChild<QTableWidget*>("fgRecords"); }
    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(name); }

    // Data rows count from 1, as ContractRow does; the header is row 0.
    QString cell(int row, int column) const
    {
        const QTableWidgetItem* item = grid()->item(row - 1, column);
        return item ? item->text() : QString();
    }
    QStringList rowCells(int row) const
    {
        QStringList cells;
        for (int column = 0; column < history::kGridColumns; ++column)
            cells << cell(row, column);
        return cells;
    }
    int selectedRow() const
    {
        const QModelIndexList rows = grid()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() + 1 : 0;
    }
    QList<bool> editCopyDeleteEnabled() const
    {
        return {button("cmdEdit")->isEnabled(), button("cmdCopy")->isEnabled(),
                button("cmdDelete")->isEnabled()};
    }
    QPoint rowCentre(int row) const
    {
        return grid()->visualRect(grid()->model()->index(row - 1, 0)).center();
    }
    void chooseRow(int row) { QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, rowCentre(row)); }
};

const QList<bool> kEnabled{true, true, true};
const QList<bool> kDisabled{false, false, false};

} // namespace

class PreviousContractsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowLooksAsDesigned();
    void contractRowIsBroughtIntoRange_data();
    void contractRowIsBroughtIntoRange();
    void customerWithoutContractsThenAnother();
    void doneHidesAndTheNextShowingRereadsTheTable();
    void deleteSelectsTheRowAbove_data();
    void deleteSelectsTheRowAbove();
    void copyAddsTheDuplicateLastAndSelectsIt_data();
    void copyAddsTheDuplicateLastAndSelectsIt();
    void reopenPutsTheContractBackOnTheSchedule_data();
    void reopenPutsTheContractBackOnTheSchedule();
    void missingDatabaseFileEndsTheProgram();
};

void PreviousContractsWindowTest::windowLooksAsDesigned()
{
    Rig rig;
    rig.save("Acme", 1);
    rig.open("Acme");
    QCOMPARE(rig.window->windowTitle(), QString("Previous Contracts"));
    QCOMPARE(rig.window->findChild<QLabel*>("lblFor")->text(), QString("Acme"));
    QCOMPARE(rig.grid()->geometry(), QRect(4, 40, 630, 133));

    QStringList headers;
    QList<int> widths;
    for (int column = 0; column < history::kGridColumns; ++column) {
        headers << rig.grid()->horizontalHeaderItem(column)->text();
        widths << rig.grid()->columnWidth(column);
    }
    QCOMPARE(headers, (QStringList{"Company", "Agent", "Date Printed", "Amount Financed",
                                   "Finance Charge", "Total of Payments", "APR",
                                   "Number of Installments", "Amount of Installments",
                                   "Loan Authorization #", "Data ID"}));
    QCOMPARE(widths, (QList<int>{100, 100, 80, 100, 100, 100, 100, 120, 120, 120, 0}));
    const int leftCentred = Qt::AlignLeft | Qt::AlignVCenter;
    QCOMPARE(rig.grid()->horizontalHeaderItem(2)->textAlignment(), leftCentred);
    QCOMPARE(rig.grid()->item(0, 2)->textAlignment(), leftCentred);
}

void PreviousContractsWindowTest::contractRowIsBroughtIntoRange_data()
{
    QTest::addColumn<int>("contracts");
    QTest::addColumn<int>("rowBefore");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("rowAfter");
    QTest::addColumn<QList<bool>>("buttons");

    QTest::newRow("first showing selects the first row") << 3 << 0 << 1 << 1 << kEnabled;
    QTest::newRow("row 5 of a longer list, two contracts now") << 2 << 5 << 2 << 2 << kEnabled;
    QTest::newRow("one past the last row") << 2 << 3 << 2 << 2 << kEnabled;
    QTest::newRow("row within the list is kept") << 3 << 2 << 2 << 2 << kEnabled;
    QTest::newRow("customer without contracts") << 0 << 2 << 0 << 0 << kDisabled;
}

void PreviousContractsWindowTest::contractRowIsBroughtIntoRange()
{
    QFETCH(int, contracts);
    QFETCH(int, rowBefore);
    QFETCH(int, selected);
    QFETCH(int, rowAfter);
    QFETCH(QList<bool>, buttons);

    Rig rig;
    rig.save("Acme", contracts);
    rig.save("Other", 6);
    rig.session.ContractRow = std::int16_t(rowBefore);
    rig.open("Acme");
    QCOMPARE(rig.grid()->rowCount(), contracts);
    QCOMPARE(rig.selectedRow(), selected);
    QCOMPARE(int(rig.session.ContractRow), rowAfter);
    QCOMPARE(rig.editCopyDeleteEnabled(), buttons);
    QVERIFY(rig.button("cmdDone")->isEnabled());
}

void PreviousContractsWindowTest::customerWithoutContractsThenAnother()
{
    Rig rig;
    rig.save("Beta", 3);
    rig.session.ContractRow = 2;
    rig.open("Acme");
    QTest::mouseClick(rig.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(rig.editCopyDeleteEnabled(), kDisabled);
    QVERIFY(rig.window->isVisible());
    QVERIFY(!rig.schedule->isVisible());
    QCOMPARE(int(rig.session.ContractRow), 0);

    rig.open("Beta");
    QCOMPARE(rig.selectedRow(), 1);
    rig.window->EnableButtons(false);
    rig.chooseRow(3);
    QCOMPARE(rig.editCopyDeleteEnabled(), kEnabled);
    QCOMPARE(rig.selectedRow(), 3);
}

void PreviousContractsWindowTest::doneHidesAndTheNextShowingRereadsTheTable()
{
    Rig rig;
    const QList<qint64> ids = rig.save("Acme", 1);
    rig.open("Acme");
    QTest::mouseClick(rig.button("cmdDone"), Qt::LeftButton);
    QVERIFY(!rig.window->isVisible());

    const qint64 added = rig.db.insert(savedContract("Acme", 9));
    rig.session.SelectedName = "Acme";
    QTimer::singleShot(0, rig.button("cmdDone"), &QPushButton::click);
    rig.window->showModalFromMain();  // returns once Done hides it
    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.grid()->rowCount(), 2);
    QCOMPARE(rig.cell(1, history::kIdColumn), QString::number(ids[0]));
    QCOMPARE(rig.cell(2, history::kIdColumn), QString::number(added));
}

void PreviousContractsWindowTest::deleteSelectsTheRowAbove_data()
{
    QTest::addColumn<int>("contracts");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QList<int>>("left");  // rows (from 1) of the first listing still listed
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<bool>>("buttons");

    QTest::newRow("the only contract") << 1 << 1 << QList<int>{} << 0 << kDisabled;
    QTest::newRow("row 1 of 3") << 3 << 1 << QList<int>{2, 3} << 1 << kEnabled;
    QTest::newRow("row 2 of 3") << 3 << 2 << QList<int>{1, 3} << 1 << kEnabled;
    QTest::newRow("row 3 of 3") << 3 << 3 << QList<int>{1, 2} << 2 << kEnabled;
}

void PreviousContractsWindowTest::deleteSelectsTheRowAbove()
{
    QFETCH(int, contracts);
    QFETCH(int, chosen);
    QFETCH(QList<int>, left);
    QFETCH(int, selected);
    QFETCH(QList<bool>, buttons);

    Rig rig;
    const QList<qint64> ids = rig.save("Acme", contracts);
    rig.save("Beta", 2);
    rig.open("Acme");
    rig.chooseRow(chosen);
    QTest::mouseClick(rig.button("cmdDelete"), Qt::LeftButton);

    QStringList listed, expected;
    for (int row = 1; row <= rig.grid()->rowCount(); ++row)
        listed << rig.cell(row, history::kIdColumn);
    for (int row : left)
        expected << QString::number(ids[row - 1]);
    QCOMPARE(listed, expected);
    QCOMPARE(rig.selectedRow(), selected);
    QCOMPARE(int(rig.session.ContractRow), selected);
    QCOMPARE(rig.editCopyDeleteEnabled(), buttons);
    QVERIFY(rig.window->isVisible());
    QVERIFY(rig.messages.shown.isEmpty());
    QCOMPARE(rig.db.ids().size(), contracts - 1 + 2);
}

void PreviousContractsWindowTest::copyAddsTheDuplicateLastAndSelectsIt_data()
{
    QTest::addColumn<bool>("loanAuthorizationNull");
    QTest::newRow("row 1 of 3") << false;
    QTest::newRow("row 1 of 3 without loan authorization") << true;
}

void PreviousContractsWindowTest::copyAddsTheDuplicateLastAndSelectsIt()
{
    QFETCH(bool, loanAuthorizationNull);

    Rig rig;
    Columns first = savedContract("Acme", 1);
    if (loanAuthorizationNull)
        first.remove("LoanAuthorization");
    rig.db.insert(first);
    rig.save("Acme", 2);
    rig.session.ContractRow = 2;
    rig.open("Acme");
    rig.chooseRow(1);
    const QStringList original = rig.rowCells(1);
    QTest::mouseClick(rig.button("cmdCopy"), Qt::LeftButton);

    QCOMPARE(rig.grid()->rowCount(), 4);
    QCOMPARE(rig.selectedRow(), 4);
    QCOMPARE(int(rig.session.ContractRow), 4);
    QCOMPARE(rig.editCopyDeleteEnabled(), kEnabled);
    QStringList copy = rig.rowCells(4);
    QCOMPARE(copy[2], QString("3/4/2027 3:06:07 PM"));
    const qint64 copyId = copy[history::kIdColumn].toLongLong();
    QCOMPARE(copyId, rig.db.ids().last());
    QCOMPARE(rig.db.row(copyId).value("LoanAuthorization").isNull(), loanAuthorizationNull);
    copy[2] = original[2];
    copy[history::kIdColumn] = original[history::kIdColumn];
    QCOMPARE(copy, original);
}

void PreviousContractsWindowTest::reopenPutsTheContractBackOnTheSchedule_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Edit button") << "edit";
    QTest::newRow("double-click on the row") << "double-click";
    QTest::newRow("Edit while the main window waits") << "modal";
}

void PreviousContractsWindowTest::reopenPutsTheContractBackOnTheSchedule()
{
    QFETCH(QString, how);

    Rig rig;
    rig.save("Acme", 1);
    Columns chosen = savedContract("Acme", 2);
    chosen["PolicyNo5"] = "Truck-1";
    rig.db.insert(chosen);
    rig.save("Acme", 1);
    rig.session.CurAgent.Name = "Agent of another contract";
    rig.session.ContractRow = 2;
    if (how == "modal") {
        rig.session.SelectedName = "Acme";
        QTimer::singleShot(0, rig.button("cmdEdit"), &QPushButton::click);
        rig.window->showModalFromMain();  // returns once Edit hides the window
    } else {
        rig.open("Acme");
        rig.chooseRow(3);
        if (how == "double-click")
            QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, rig.rowCentre(2));
        else {
            rig.chooseRow(2);
            QTest::mouseClick(rig.button("cmdEdit"), Qt::LeftButton);
        }
    }

    QVERIFY(!rig.window->isVisible());
    QVERIFY(rig.schedule->isVisible());
    QCOMPARE(int(rig.session.ContractRow), 2);
    QCOMPARE(rig.schedule->findChild<QLineEdit*>("txtPolicy2_0")->text(), QString("Truck-1"));
    QCOMPARE((QStringList{rig.session.CurAgent.Name, rig.session.CurAgent.Company,
                          rig.session.CurCust.Name, rig.session.CurCust.DBA}),
             (QStringList{"Agent 2", "Company 2", "Customer 2", "Acme"}));

    // Coming back from the schedule, the reopened contract is selected again.
    rig.schedule->hide();
    rig.window->showFromSchedule();
    QCOMPARE(rig.selectedRow(), 2);
}

void PreviousContractsWindowTest::missingDatabaseFileEndsTheProgram()
{
    Rig rig;
    rig.save("Acme", 2);
    rig.open("Acme");
    rig.session.DBPath = rig.db.path() + ".gone";
    QTest::mouseClick(rig.button("cmdCopy"), Qt::LeftButton);
    QVERIFY(rig.session.ended);
    QCOMPARE(rig.messages.shown.size(), 1);
    QVERIFY(rig.messages.last().text.startsWith("Error 3024: "));
    QCOMPARE(rig.messages.last().icon, ui::MessageIcon::Critical);
    QCOMPARE(rig.messages.last().title, QString("QUILLON"));
    QCOMPARE(rig.db.ids().size(), 2);
}

QTEST_MAIN(PreviousContractsWindowTest)
#include "tst_PreviousContractsWindow.moc"
