#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "history/PreviousContractsWindow.h"
#include "store/Connection.h"
#include "support/TestProgram.h"
#include "ui/StoreGuard.h"

#include <QSqlRecord>
#include <QTableWidget>
#include <QtTest>

#include <sqlite3.h>


namespace {
using Act = std::function<void(TestProgram&)>;
using Shown = FakeMessageBoxService::Shown;

// Everything the user could see or the file could hold: which windows show, the lists, the
// grid, the schedule's first policy field, and every row of every table.
QStringList snapshot(TestProgram& program)
{
    const AppWindows& w = program.app->windows();
    QStringList seen;
    for (QWidget* window : QList<QWidget*>{w.frmAgent, w.frmAddAgent, w.frmAddCust, w.frmPrevious,
                                                            w.frmPolicies1, w.frmPreview})
        seen << window->objectName() + (window->isVisible() ? " shown" : " hidden");
    seen << linesOf(program.agents()) << linesOf(program.customers());
    const auto* grid = program.control<QTableWidget>(w.frmPrevious, "fgRecords");
    for (int row = 0; row < grid->rowCount(); ++row)
        seen << grid->item(row, 0)->text();
    seen << program.control<QLineEdit>(w.frmPolicies1, "txtPolicy1_0")->text();
    store::Connection connection(program.defaultDbPath());
    QSqlQuery tables = connection.run("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    while (tables.next())
        for (QSqlQuery rows = connection.run("SELECT * FROM \"" + tables.value(0).toString() + '"'); rows.next();)
            for (int i = 0; i < rows.record().count(); ++i)
                seen << rows.value(i).toString();
    return seen;
}
std::unique_ptr<TestProgram> started()
{
    auto program = TestProgram::startedWith({{"Acme", "Jo"}}, {{"Ann", "Ann's"}});
    store::Connection(program->defaultDbPath()).run("INSERT INTO Policies (DBA, Company) VALUES ('Ann''s', 'Co')");
    return program;
}
const QString kRefused = "Error 1811: disk is full";
QString refuse(const QString& when, const QString& table)
{
    return QString("CREATE TRIGGER refuse BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'disk is full'); END").arg(when, table);
}
QString gone(const QString& table) { return QString("ALTER TABLE %1 RENAME TO Gone").arg(table); }
QString unread(const QString& table) { return ui::kNothingChanged + "\nError 1: no such table: " + table; }
} // namespace

class StoreFailuresTest : public QObject {
    Q_OBJECT
private slots:
    // Every failure is shown with what became of the user's work, then the store's code and text; the
    // program goes on, and the windows, their contents and the file are as they were before the user acted.
    void failureChangesNothing_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<Act>("act");
        QTest::addColumn<QString>("message");
        const auto inMain = [](const char* button) { return Act([=](TestProgram& p) { p.click(p.main(), button); }); };
        const auto inPrevious = [](const char* button) {
            return Act([=](TestProgram& p) { p.click(p.app->windows().frmPrevious, button); });
        };
        QTest::newRow("agent list refill") << gone("Agent") << Act([](TestProgram& p) { p.main()->FillAgentList(); }) << unread("Agent");
        QTest::newRow("customer list refill") << gone("Customer") << Act([](TestProgram& p) { p.main()->FillCustomerList(); }) << unread("Customer");
        QTest::newRow("edit agent") << gone("Agent") << inMain("cmdEditAgent") << unread("Agent");
        QTest::newRow("edit customer") << gone("Customer") << inMain("cmdEditCust") << unread("Customer");
        QTest::newRow("delete agent") << refuse("DELETE", "Agent") << inMain("cmdDeleteAgent") << ui::kNothingDeleted + "\n" + kRefused;
        QTest::newRow("delete customer") << refuse("DELETE", "Customer") << inMain("cmdDeleteCust") << ui::kNothingDeleted + "\n" + kRefused;
        QTest::newRow("next") << gone("Customer") << inMain("cmdNext") << unread("Customer");
        QTest::newRow("previous contracts") << gone("Policies") << inMain("cmdPrevContract") << unread("Policies");
        QTest::newRow("in previous contracts, copy") << refuse("INSERT", "Policies") << inPrevious("cmdCopy") << ui::kNothingCopied + "\n" + kRefused;
        QTest::newRow("in previous contracts, delete") << refuse("DELETE", "Policies") << inPrevious("cmdDelete") << ui::kNothingDeleted + "\n" + kRefused;
        QTest::newRow("in previous contracts, edit") << gone("Policies") << inPrevious("cmdEdit") << unread("Policies");
        // OK in the agent dialog: the dialog stays open with what was typed.
        QTest::newRow("new agent OK") << refuse("INSERT", "Agent") << Act([](TestProgram& p) {
            p.inPartyDialog(true, "New", [&](QWidget* dialog) {
                p.type(dialog, "txtName", "New Agent");
                p.click(dialog, "cmdOK");
                QVERIFY(dialog->isVisible());
                QCOMPARE(p.control<QLineEdit>(dialog, "txtName")->text(), QString("New Agent"));
                p.click(dialog, "cmdCancel");
            });
        }) << ui::kNothingStored + "\n" + kRefused;
        // "<< Previous" while another program holds the file longer than the wait: the reopened contract
        // stays on screen as typed.
        QTest::newRow("file held past the wait") << QString() << Act([](TestProgram& p) {
            store::setFileLockWait(2000);
            auto cleanUp = qScopeGuard([] { store::setFileLockWait(0); });
            sqlite3* other = nullptr;
            QCOMPARE(sqlite3_open(p.defaultDbPath().toUtf8().constData(), &other), SQLITE_OK);
            QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
            QElapsedTimer waited;
            waited.start();
            p.click(p.app->windows().frmPolicies1, "cmdBack");
            QVERIFY2(waited.elapsed() >= 1900 && waited.elapsed() < 2500, qPrintable(QString::number(waited.elapsed())));
            sqlite3_close(other);
        }) << ui::kNothingChanged + "\nError 5: database is locked";
    }
    void failureChangesNothing()
    {
        QFETCH(QString, breakage);
        QFETCH(Act, act);
        auto program = started();
        program->session().SelectedName = "Ann's";
        if (QByteArray(QTest::currentDataTag()).startsWith("in previous"))
            program->app->windows().frmPrevious->showFromSchedule();
        if (QByteArray(QTest::currentDataTag()).startsWith("file held")) {
            PolicyScheduleWindow* schedule = program->app->windows().frmPolicies1;
            schedule->setBackCaption("<< Previous");
            program->main()->hide();
            schedule->show();
            program->type(schedule, "txtPolicy1_0", "typed policy");
        }
        if (!breakage.isEmpty())
            store::Connection(program->defaultDbPath()).run(breakage);
        const QStringList before = snapshot(*program);
        act(*program);
        QTEST(program->messages.shown.value(0).text, "message");
        QCOMPARE(program->messages.shown, (QList<Shown>{{program->messages.shown.value(0).text, ui::MessageIcon::Critical, "QUILLON"}}));
        QVERIFY(!program->session().ended);
        QCOMPARE(snapshot(*program), before);
    }
};

QTEST_MAIN(StoreFailuresTest)
#include "tst_StoreFailures.moc"
