#include "support/TestProgram.h"
#include "windows/contract/PolicyScheduleWindow.h"
#include "windows/people/AgentDialog.h"
#include "windows/people/CustomerDialog.h"

#include <QDialog>
#include <QScrollBar>
#include <QtTest>

namespace {
using Rows = QList<QList<QVariant>>;
using Action = std::function<void(TestProgram&)>;

// What the user does through the windows, or another program straight in the file. kept: the
// table's Name (agents) or DBA (customers) column afterwards, when the case says what it must be.
struct Case { bool agent; QList<Action> steps; bool followed; int customers = 5; QStringList kept = {}; };

const Rows kThreeAgents{{"Co0", "A0"}, {"Co1", "A1"}, {QVariant(), "A2"}};
const Rows kFiveCustomers{{"N0", "C0"}, {"N1", "C1"}, {"N2", "C2"}, {"N3", "C3"}, {"N4", "C4"}};
int formsOpened = 0;

people::KeyedList* listOf(TestProgram& p, bool agent) { return agent ? p.agents() : p.customers(); }

Action inDialog(bool agent, const char* verb, int position, const QString& text = QString())
{
    return [=](TestProgram& p) {
        listOf(p, agent)->setCurrentRow(position);
        p.inPartyDialog(agent, verb, [&](QWidget* window) {
            if (!text.isNull())
                p.type(window, agent ? "txtCoName" : "txtDBA", text);
            p.click(window, "cmdOK");
        });
    };
}
Action userAdds(bool agent, const QString& text) { return inDialog(agent, "New", -1, text); }
Action userEdits(bool agent, int position, const QString& text = QString()) { return inDialog(agent, "Edit", position, text); }
// A main-window button pressed on the line at position; a form it opens is counted and closed.
Action userPresses(bool agent, const char* button, int position)
{
    return [=](TestProgram& p) {
        listOf(p, agent)->setCurrentRow(position);
        QTimer::singleShot(0, [&p] {
            for (QDialog* form : {static_cast<QDialog*>(p.app->windows().agentDialog), static_cast<QDialog*>(p.app->windows().customerDialog)})
                if (form->isVisible())
                    ++formsOpened, form->reject();
        });
        p.click(p.main(), button);
        QCoreApplication::processEvents();
    };
}
Action userDeletes(bool agent, int position) { return userPresses(agent, agent ? "cmdDeleteAgent" : "cmdDeleteCust", position); }
Action refill(bool agent)
{
    return [=](TestProgram& p) { agent ? p.main()->FillAgentList() : p.main()->FillCustomerList(); };
}
// A statement run by another program on its own connection; ? is the key of the row at position.
Action otherRuns(const QString& sql, int position = -1)
{
    return [=](TestProgram& p) {
        store::Connection other(p.session().database());
        const QString table = sql.contains("Agent") ? "Agent" : "Customer";
        QSqlQuery keys = other.run(QString("SELECT RowKey FROM %1 ORDER BY RowKey LIMIT 1 OFFSET ?").arg(table),
                                   {std::max(position, 0)});
        const QVariant key = keys.next() ? keys.value(0) : QVariant();
        keys = QSqlQuery();
        other.transaction([&] { position < 0 ? void(other.run(sql)) : void(other.run(sql, {key})); });
    };
}
// Another program gives row 1 another name and puts the change count back, as a file replaced by
// another one with the same keys and counts would.
QList<Action> replacedUnder(const QString& table, const QString& column)
{
    return {otherRuns(QString("UPDATE %1 SET %2 = 'Zed Hauling' WHERE RowKey = ?").arg(table, column), 1),
            otherRuns(QString("UPDATE ListChanges SET Changes = Changes - 1 WHERE TableName = '%1'").arg(table))};
}

// Find Next from the last line chooses, for every text (and its first letter) the list held before or
// holds now, the first line holding it, letter case aside, or nothing when none does: whatever Find
// keeps agrees with the lines, both before the rows written since are folded in (the file's check still
// running) and after.
void findAgreesWithTheLines(TestProgram& p, bool agent, const Rows& before)
{
    people::KeyedList* list = listOf(p, agent);
    const QStringList lines = linesOf(list);
    QStringList texts;
    for (const QList<QVariant>& row : before)
        texts << row.value(1).toString();
    for (const QString& text : texts + lines)
        texts << text.left(1);
    for (const bool foldPending : {false, true})
        for (const QString& text : texts + lines) {
            if (text.isEmpty())
                continue;
            const auto first = std::find_if(lines.begin(), lines.end(), [&](const QString& line) { return line.contains(text, Qt::CaseInsensitive); });
            list->setCurrentRow(list->count() - 1);
            QCOMPARE(list->chooseNextContaining(text.toUpper(), foldPending), first != lines.end());
            QCOMPARE(list->currentRow(), first != lines.end() ? int(first - lines.begin()) : list->count() - 1);
        }
}

// Each line with the key it leads to.
QList<QPair<qint64, QString>> shown(const people::KeyedList* list)
{
    QList<QPair<qint64, QString>> rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append({list->keyAt(i).value_or(-1), list->lineText(i)});
    return rows;
}
// Forty customers, "Business 0" to "Business 39", more than the customer list shows at once.
std::unique_ptr<TestProgram> startedWithFortyCustomers()
{
    Rows many;
    for (int n = 0; n < 40; ++n)
        many << QList<QVariant>{QString("N%1").arg(n), QString("Business %1").arg(n)};
    return TestProgram::startedWith({}, many);
}

} // namespace
Q_DECLARE_METATYPE(Case)

class ListRefillTest : public QObject {
    Q_OBJECT
private slots:
    // After every kind of change the list shows exactly what a whole read shows (the program started
    // again), line n leading to row n, with the last line selected. The program's own write, when it is
    // the only change since the last fill, changes just its line; a change by another program makes the
    // next fill read everything again. Edit, Next >> or Delete on a line whose row another program
    // deleted or replaced reads the list again; no form opens and no row is touched.
    void listEqualsAWholeRead_data()
    {
        QTest::addColumn<Case>("row");
        const bool customer = false, agent = true;
        QTest::newRow("adding a customer") << Case{customer, {userAdds(customer, "C5")}, true};
        QTest::newRow("editing a middle customer") << Case{customer, {userEdits(customer, 2, "Middle")}, true};
        QTest::newRow("editing without changing anything") << Case{customer, {userEdits(customer, 1)}, true};
        QTest::newRow("deleting the first customer") << Case{customer, {userDeletes(customer, 0)}, true};
        QTest::newRow("deleting the last customer") << Case{customer, {userDeletes(customer, 4)}, true};
        QTest::newRow("deleting the only customer") << Case{customer, {userDeletes(customer, 0)}, true, 1};
        QTest::newRow("adding, editing and deleting in turn")
            << Case{customer, {userAdds(customer, "C5"), userDeletes(customer, 0), userEdits(customer, 3, "X"),
                               userDeletes(customer, 4), userAdds(customer, "C6")}, true};
        QTest::newRow("a fill with nothing changed") << Case{customer, {refill(customer)}, true};
        QTest::newRow("another program adds a customer without DBA")
            << Case{customer, {otherRuns("INSERT INTO Customer (Name) VALUES ('Ann Lee')"), refill(customer)}, false};
        QTest::newRow("another program empties a DBA, then the user adds")
            << Case{customer, {otherRuns("UPDATE Customer SET DBA = NULL WHERE RowKey = ?", 1), userAdds(customer, "C5")}, false};
        QTest::newRow("another program changes a DBA, then the user edits another")
            << Case{customer, {otherRuns("UPDATE Customer SET DBA = 'Theirs' WHERE RowKey = ?", 3), userEdits(customer, 1, "Mine")}, false};
        QTest::newRow("another program deletes the customer the user then deletes")
            << Case{customer, {otherRuns("DELETE FROM Customer WHERE RowKey = ?", 2), userDeletes(customer, 2)}, false};
        QTest::newRow("many: adding") << Case{customer, {userAdds(customer, "New")}, true, 150};
        QTest::newRow("many: deleting the first, editing one far up")
            << Case{customer, {userDeletes(customer, 0), userEdits(customer, 3, "Far up")}, true, 150};
        QTest::newRow("many: another program adds, then the user edits")
            << Case{customer, {otherRuns("INSERT INTO Customer (DBA) VALUES ('Theirs')"), userEdits(customer, 140, "Mine")}, false, 150};
        QTest::newRow("another program adds a customer without DBA, then the user deletes")
            << Case{customer, {otherRuns("INSERT INTO Customer (Name) VALUES ('Ann Lee')"), userDeletes(customer, 0)}, false};
        QTest::newRow("editing the agent without company") << Case{agent, {userEdits(agent, 2, "Now Co")}, true};
        QTest::newRow("another program takes an agent's company away")
            << Case{agent, {otherRuns("UPDATE Agent SET Company = NULL WHERE RowKey = ?", 0), refill(agent)}, false};
        QTest::newRow("Edit on a customer another program deleted")
            << Case{customer, {otherRuns("DELETE FROM Customer WHERE RowKey = ?", 1), userPresses(customer, "cmdEditCust", 1)},
                    false, 5, {"C0", "C2", "C3", "C4"}};
        QTest::newRow("Next with the agent gone")
            << Case{agent, {otherRuns("DELETE FROM Agent WHERE RowKey = ?", 1), userPresses(agent, "cmdNext", 1)},
                    false, 5, {"A0", "A2"}};
        QTest::newRow("Edit, file replaced under the agent")
            << Case{agent, replacedUnder("Agent", "Name") << userPresses(agent, "cmdEditAgent", 1), false, 5,
                    {"A0", "Zed Hauling", "A2"}};
        QTest::newRow("Next, file replaced under the customer")
            << Case{customer, replacedUnder("Customer", "DBA") << userPresses(customer, "cmdNext", 1), false, 5,
                    {"C0", "Zed Hauling", "C2", "C3", "C4"}};
        QTest::newRow("Delete, file replaced under the customer")
            << Case{customer, replacedUnder("Customer", "DBA") << userDeletes(customer, 1), false, 5,
                    {"C0", "Zed Hauling", "C2", "C3", "C4"}};
    }
    void listEqualsAWholeRead()
    {
        QFETCH(Case, row);
        // The first of the five customers, or more than the list reads at once ("many").
        Rows customers = kFiveCustomers.mid(0, row.customers);
        for (int n = 0; row.customers > 5 && n < row.customers; ++n)
            customers << QList<QVariant>{QString("N%1").arg(n), QString("Many %1").arg(n)};
        auto program = TestProgram::startedWith(kThreeAgents, customers);
        people::KeyedList* list = listOf(*program, row.agent);
        QSignalSpy resets(list->model(), &QAbstractItemModel::modelReset);
        formsOpened = 0;
        for (const Action& step : row.steps)
            step(*program);

        QCOMPARE(resets.isEmpty(), row.followed);
        QCOMPARE(list->currentRow(), list->count() - 1);
        QCOMPARE(list->selectedPosition(), list->count() - 1);
        findAgreesWithTheLines(*program, row.agent, row.agent ? kThreeAgents : customers);
        const store::Place db = program->session().database();
        QVERIFY(!columnOf(db, "Customer", "DBA").contains("<null>"));
        if (!row.kept.isEmpty())
            QCOMPARE(columnOf(db, row.agent ? "Agent" : "Customer", row.agent ? "Name" : "DBA"), row.kept);
        QCOMPARE(formsOpened, 0);
        QVERIFY(program->messages.shown.isEmpty());
        QVERIFY(!program->session().ended && !program->app->windows().schedule->isVisible());
        const auto lines = shown(list);
        QVERIFY(program->start());
        QCOMPARE(lines, shown(listOf(*program, row.agent)));
        QCOMPARE(lines.size(), qsizetype(columnOf(db, row.agent ? "Agent" : "Customer", "RowKey").size()));
    }

    // A million lines scrolled to the end, the middle, the top and anywhere: the top line shows its
    // row; typed letters, in any case, choose the next line they start, round past the last line.
    void millionLinesScrolled()
    {
        if (testdb::onServer())
            QSKIP("the lines are read alike from both stores; one is enough for a million rows");
        TestProgram program;
        const store::Place db = program.makeDatabase();
        store::Connection connection(db);
        connection.transaction([&] { connection.run("INSERT INTO Customer (DBA) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL "
                                                    "SELECT i + 1 FROM n WHERE i < 999999) SELECT 'Line ' || i FROM n"); });
        QVERIFY(program.start());
        people::KeyedList* list = program.customers();
        QCOMPARE(list->count(), 1000000);
        QScrollBar* bar = list->verticalScrollBar();
        for (const int top : {bar->maximum(), bar->maximum() / 2, 0, 123457}) {
            bar->setValue(top);
            QCOMPARE(list->indexAt(QPoint(1, 1)).data().toString(), QString("Line %1").arg(top));
        }
        list->setFocus();
        QTest::keyClicks(list, "LINE 99999");
        QCOMPARE(list->currentRow(), 99999);
    }

    // A typed letter, capital or not, chooses the next line that starts with it (the line right after the
    // chosen one first), going round past the last line; a letter beyond ASCII is compared as typed,
    // letter case aside, and never matches its plain letter. Both stores compare alike.
    void typedLetterChoosesTheNextLineStartingSo()
    {
        Rows customers;
        for (char c = 'a'; c <= 'z'; ++c)
            customers << QList<QVariant>{"", QChar(c).toUpper() + QString("ead")} << QList<QVariant>{"", c + QString("ate")};
        customers << QList<QVariant>{"", "\u00c9lan"} << QList<QVariant>{"", "\u00e9mile"};
        auto program = TestProgram::startedWith({}, customers);
        people::KeyedList* list = program->customers();
        const int interval = QApplication::keyboardInputInterval();
        QApplication::setKeyboardInputInterval(1);
        const auto typed = [&](int from, const QString& key) {
            QTest::qWait(3); // longer than the interval, so every key starts a search of its own
            list->setCurrentRow(from);
            list->keyboardSearch(key);
            return list->currentRow();
        };
        for (int letter = 0; letter < 26; ++letter) {
            const QString capital = QString(QChar('A' + letter));
            QCOMPARE(typed(2 * letter, capital), 2 * letter + 1);
            QCOMPARE(typed(2 * letter + 1, capital.toLower()), 2 * letter);
        }
        QCOMPARE(typed(52, "E"), 8);
        QCOMPARE(typed(52, "\u00c9"), 53);
        QCOMPARE(typed(53, "\u00c9"), 52);
        QCOMPARE(typed(10, "q"), 32);
        QApplication::setKeyboardInputInterval(interval);
    }

    // The keys and a click choose the line the user means, and the chosen line is wholly in view:
    // Home, End, the arrows stopping at either end, a page down and back up, a click on a scrolled list.
    void keysAndClickChooseTheMeantLine()
    {
        auto program = startedWithFortyCustomers();
        people::KeyedList* list = program->customers();
        QVERIFY(QTest::qWaitForWindowExposed(program->main()));
        const int lineHeight = list->visualRect(list->model()->index(0, 0)).height();
        const int fit = list->viewport()->height() / lineHeight;
        QVERIFY(fit > 1 && fit < 20);
        list->setFocus();
        const auto chosenAfter = [&](Qt::Key key) {
            QTest::keyClick(list, key);
            const QRect line = list->visualRect(list->model()->index(list->currentRow(), 0));
            return list->viewport()->rect().contains(line) && list->selectedPosition() == list->currentRow()
                       ? list->currentRow()
                       : -1;
        };
        const std::pair<Qt::Key, int> road[] = {{Qt::Key_Home, 0},        {Qt::Key_Up, 0},     {Qt::Key_Down, 1},
                                                {Qt::Key_Up, 0},          {Qt::Key_PageDown, fit}, {Qt::Key_PageUp, 0},
                                                {Qt::Key_End, 39},        {Qt::Key_Down, 39},  {Qt::Key_PageUp, 39 - fit}};
        for (const auto& [key, row] : road)
            QCOMPARE(chosenAfter(key), row);

        list->verticalScrollBar()->setValue(5);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 2 * lineHeight + lineHeight / 2));
        QCOMPARE(list->currentRow(), 7);
        QCOMPARE(list->selectedText(), QString("Business 7"));
    }

    // A list longer than its box shows the chosen last line, with its top line whole, at start-up and after a change.
    void chosenLineInViewTopLineWhole()
    {
        auto program = startedWithFortyCustomers();
        people::KeyedList* list = program->customers();
        QVERIFY(QTest::qWaitForWindowExposed(program->main()));
        for (const Action& step : {Action([](TestProgram&) {}), userDeletes(false, 0)}) {
            step(*program);
            QVERIFY(list->viewport()->rect().contains(list->visualRect(list->model()->index(list->count() - 1, 0))));
            QCOMPARE(list->visualRect(list->indexAt(QPoint(1, 1))).top(), 0);
        }
    }
};

QTEST_MAIN(ListRefillTest)
#include "tst_ListRefill.moc"
