#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"
#include "contract/LoanTermsWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "store/Connection.h"
#include "people/TestProgram.h"
#include "ui/StoreGuard.h"

#include <QSqlRecord>
#include <QTableWidget>
#include <QtTest>

#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace {
using Act = std::function<void(TestProgram&)>;
using Shown = FakeMessageBoxService::Shown;

// A started program with one agent, one customer and one contract of that customer.
std::unique_ptr<TestProgram> started()
{
    auto program = std::make_unique<TestProgram>();
    insertRows(program->makeDatabase(), "Agent", {"Company", "Name"}, {{"Acme", "Jo"}});
    insertRows(program->defaultDbPath(), "Customer", {"Name", "DBA"}, {{"Ann", "Ann's"}});
    store::Connection(program->defaultDbPath()).run("INSERT INTO Policies (DBA, Company) VALUES ('Ann''s', 'Co')");
    if (!program->start())
        qFatal("start-up failed");
    return program;
}

// Everything the user could see or the file could hold: which windows show, the lists, the
// grid, the schedule's first policy field, and every row of every table.
QStringList snapshot(TestProgram& program)
{
    const AppWindows& w = program.app->windows();
    QStringList seen;
    for (QWidget* window : {static_cast<QWidget*>(w.frmAgent), static_cast<QWidget*>(w.frmAddAgent),
                            static_cast<QWidget*>(w.frmAddCust), static_cast<QWidget*>(w.frmPrevious),
                            static_cast<QWidget*>(w.frmPolicies1), static_cast<QWidget*>(w.frmPreview)})
        seen << window->objectName() + (window->isVisible() ? " shown" : " hidden");
    seen << linesOf(program.agents()) << linesOf(program.customers());
    const auto* grid = program.control<QTableWidget>(w.frmPrevious, "fgRecords");
    for (int row = 0; row < grid->rowCount(); ++row)
        seen << grid->item(row, 0)->text();
    seen << program.control<QLineEdit>(w.frmPolicies1, "txtPolicy1_0")->text();
    store::Connection connection(program.defaultDbPath());
    QSqlQuery tables = connection.run("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (tables.next()) {
        QSqlQuery rows = connection.run(QString("SELECT * FROM \"%1\"").arg(tables.value(0).toString()));
        while (rows.next())
            for (int i = 0; i < rows.record().count(); ++i)
                seen << rows.value(i).toString();
    }
    return seen;
}

void openPrevious(TestProgram& program)
{
    program.session().SelectedName = "Ann's";
    program.app->windows().frmPrevious->showFromSchedule();
}

// Each message: first what became of the user's work, then the store's code and text.
QString after(const QString& fate, const QString& store) { return fate + '\n' + store; }
const QString kNoAgent = after(ui::kNothingChanged, "Error 1: no such table: Agent");
const QString kNoCustomer = after(ui::kNothingChanged, "Error 1: no such table: Customer");
const QString kNoPolicies = after(ui::kNothingChanged, "Error 1: no such table: Policies");
const QString kRefused = "Error 1811: disk is full";
QString refuse(const QString& when, const QString& table)
{
    return QString("CREATE TRIGGER refuse BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'disk is full'); END").arg(when, table);
}
QString gone(const QString& table) { return QString("ALTER TABLE %1 RENAME TO Gone").arg(table); }
} // namespace

class StoreFailuresTest : public QObject {
    Q_OBJECT
private slots:
    // During work every failure is shown with the store's code and text, the program goes on,
    // and the windows, their contents and the file are as they were before the user acted.
    void failureDuringWorkChangesNothing_data()
    {
        QTest::addColumn<Act>("prepare");
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<Act>("act");
        QTest::addColumn<QString>("message");
        const Act nothing = [](TestProgram&) {};
        const auto press = [](const char* button) {
            return Act([button](TestProgram& p) { p.click(p.main(), button); });
        };
        const auto pressInPrevious = [](const char* button) {
            return Act([button](TestProgram& p) { p.click(p.app->windows().frmPrevious, button); });
        };
        QTest::newRow("agent list refill") << nothing << gone("Agent")
                                           << Act([](TestProgram& p) { p.main()->FillAgentList(); }) << kNoAgent;
        QTest::newRow("customer list refill") << nothing << gone("Customer")
                                              << Act([](TestProgram& p) { p.main()->FillCustomerList(); }) << kNoCustomer;
        QTest::newRow("edit agent") << nothing << gone("Agent") << press("cmdEditAgent") << kNoAgent;
        QTest::newRow("edit customer") << nothing << gone("Customer") << press("cmdEditCust") << kNoCustomer;
        QTest::newRow("delete agent") << nothing << refuse("DELETE", "Agent") << press("cmdDeleteAgent") << after(ui::kNothingDeleted, kRefused);
        QTest::newRow("delete customer") << nothing << refuse("DELETE", "Customer") << press("cmdDeleteCust") << after(ui::kNothingDeleted, kRefused);
        QTest::newRow("next") << nothing << gone("Customer") << press("cmdNext") << kNoCustomer;
        QTest::newRow("previous contracts") << nothing << gone("Policies") << press("cmdPrevContract") << kNoPolicies;
        QTest::newRow("copy") << Act(openPrevious) << refuse("INSERT", "Policies") << pressInPrevious("cmdCopy") << after(ui::kNothingCopied, kRefused);
        QTest::newRow("delete") << Act(openPrevious) << refuse("DELETE", "Policies") << pressInPrevious("cmdDelete") << after(ui::kNothingDeleted, kRefused);
        QTest::newRow("edit") << Act(openPrevious) << gone("Policies") << pressInPrevious("cmdEdit") << kNoPolicies;
    }
    void failureDuringWorkChangesNothing()
    {
        QFETCH(Act, prepare);
        QFETCH(QString, breakage);
        QFETCH(Act, act);
        QFETCH(QString, message);
        auto program = started();
        prepare(*program);
        store::Connection(program->defaultDbPath()).run(breakage);
        const QStringList before = snapshot(*program);
        act(*program);
        QCOMPARE(program->messages.shown, (QList<Shown>{{message, ui::MessageIcon::Critical, "QUILLON"}}));
        QVERIFY(!program->session().ended);
        QCOMPARE(snapshot(*program), before);
    }

    // OK in the agent dialog: the dialog stays open with what was typed, nothing is stored.
    void refusedOkKeepsTheDialogOpen()
    {
        auto program = started();
        store::Connection(program->defaultDbPath()).run(refuse("INSERT", "Agent"));
        QWidget* dialog = program->app->windows().frmAddAgent;
        bool openAfterOk = false;
        QString typed;
        TestProgram::whileOpen([&] { program->click(program->main(), "cmdNewAgent"); }, [&] {
            program->type(dialog, "txtName", "New Agent");
            program->click(dialog, "cmdOK");
            openAfterOk = dialog->isVisible();
            typed = program->control<QLineEdit>(dialog, "txtName")->text();
            program->click(dialog, "cmdCancel");
        });
        QVERIFY(openAfterOk);
        QCOMPARE(typed, QString("New Agent"));
        QCOMPARE(program->messages.shown, (QList<Shown>{{after(ui::kNothingStored, kRefused), ui::MessageIcon::Critical, "QUILLON"}}));
        QCOMPARE(columnOf(program->defaultDbPath(), "Agent", "Name"), QStringList{"Jo"});
    }

    // "<< Previous" while another program holds the file: after the wait the lock is reported,
    // the reopened contract stays on screen as typed.
    void heldLockIsWaitedForThenReported_data()
    {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<bool>("fails");
        QTest::newRow("released within the wait") << 500 << false;
        QTest::newRow("held longer than the wait") << 2500 << true;
    }
    void heldLockIsWaitedForThenReported()
    {
        QFETCH(int, holdMs);
        QFETCH(bool, fails);
        store::setFileLockWait(2000);
        auto cleanUp = qScopeGuard([] { store::setFileLockWait(0); });
        auto program = started();
        PolicyScheduleWindow* schedule = program->app->windows().frmPolicies1;
        schedule->setBackCaption("<< Previous");
        program->session().SelectedName = "Ann's";
        program->main()->hide();
        schedule->show();
        program->type(schedule, "txtPolicy1_0", "typed policy");

        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(program->defaultDbPath().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        std::thread holder([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        });
        QElapsedTimer waited;
        waited.start();
        program->click(schedule, "cmdBack");
        const qint64 ms = waited.elapsed();
        holder.join();
        sqlite3_close(other);

        QCOMPARE(program->app->windows().frmPrevious->isVisible(), !fails);
        QCOMPARE(schedule->isVisible(), fails);
        QCOMPARE(program->control<QLineEdit>(schedule, "txtPolicy1_0")->text(), QString("typed policy"));
        QVERIFY(!program->session().ended);
        if (fails) {
            QCOMPARE(program->messages.shown, (QList<Shown>{{after(ui::kNothingChanged, "Error 5: database is locked"), ui::MessageIcon::Critical, "QUILLON"}}));
            QVERIFY2(ms >= 1900 && ms < 2500, qPrintable(QString::number(ms)));
        } else {
            QVERIFY(program->messages.shown.isEmpty());
        }
    }
};

QTEST_MAIN(StoreFailuresTest)
#include "tst_StoreFailures.moc"
