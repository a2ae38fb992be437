#include "app/AppWindows.h"
#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "people/TestProgram.h"
#include "support/FakePrinterDialogService.h"
#include "ui/Twips.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

namespace {

// A started program with one agent and one customer, both chosen.
std::unique_ptr<TestProgram> started()
{
    auto program = std::make_unique<TestProgram>();
    const store::Place db = program->makeDatabase();
    insertRows(db, "Agent", {"Company", "Name"}, {{"Acme", "Al"}});
    insertRows(db, "Customer", {"Name", "DBA"}, {{"Ann Lee", "Lee Farms"}});
    if (!program->start())
        qFatal("start-up failed");
    // Ending the program is recorded, not done: a real ending stops every later event loop of the test.
    program->session().quit = [] {};
    return program;
}

void pressEnter(QWidget* control, Qt::Key key = Qt::Key_Return)
{
    control->setFocus();
    QTest::keyClick(control, key);
}

QWidget* schedule(TestProgram& p) { return p.app->windows().frmPolicies1; }

// The control a window gives the keyboard to while it is the active window.
QString focusedIn(const QWidget* window)
{
    const QWidget* widget = window->focusWidget();
    return widget ? widget->objectName() : QStringLiteral("<none>");
}

// A key pressed on the control that holds a window's focus; Tab and Shift+Tab
// give the controls reached, one after another.
void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window->focusWidget(), key, modifiers);
}
QStringList tabbed(QWidget* window, int times, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QStringList reached;
    for (int i = 0; i < times; ++i) {
        press(window, Qt::Key_Tab, modifiers);
        reached << focusedIn(window);
    }
    return reached;
}
QWidget* review(TestProgram& p) { return p.app->windows().frmPreview; }

// Main window -> policy schedule with a premium typed -> loan terms.
void toReview(TestProgram& p)
{
    p.click(p.main(), "cmdNext");
    p.type(schedule(p), "txtPremium1_0", "1000");
    p.click(schedule(p), "cmdNext");
}

QString announced(QWidget* control)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}

// Every control a screen reader must name in a window: those with a system
// name; the unnamed inner parts of a date picker or a list are theirs.
QList<QWidget*> namedControls(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const bool innerEdit = qobject_cast<QLineEdit*>(widget) && qobject_cast<QAbstractSpinBox*>(widget->parentWidget());
        if (!innerEdit && !widget->objectName().isEmpty() && (qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
                           qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget) ||
                           qobject_cast<QAbstractSpinBox*>(widget)))
            controls << widget;
    }
    return controls;
}

struct KeyRow {
    std::function<void(TestProgram&)> before; // brings the window up
    std::function<QWidget*(TestProgram&)> window;
    const char* button;
    std::function<bool(TestProgram&)> done; // true once the button's action has happened
};

} // namespace
Q_DECLARE_METATYPE(KeyRow)
Q_DECLARE_METATYPE(Qt::Key)

class WindowKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    // The lists answer the keys as lists do; Tab goes on to the next control.
    void listKeysMoveTheChoice_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("chosen");
        QTest::newRow("Home, the first line") << QList<int>{Qt::Key_Home} << 0;
        QTest::newRow("End after Home, the last line") << QList<int>{Qt::Key_Home, Qt::Key_End} << 5;
        QTest::newRow("Up, the line above") << QList<int>{Qt::Key_Up} << 4;
        QTest::newRow("Down on the last line stays") << QList<int>{Qt::Key_Down} << 5;
        QTest::newRow("Page Up, the top") << QList<int>{Qt::Key_PageUp, Qt::Key_PageUp} << 0;
        QTest::newRow("Right and Left stay") << QList<int>{Qt::Key_Up, Qt::Key_Right, Qt::Key_Left} << 4;
        QTest::newRow("a letter, going round to the line it starts") << QList<int>{Qt::Key_C} << 2;
        QTest::newRow("a letter no line starts with stays") << QList<int>{Qt::Key_Up, Qt::Key_Z} << 4;
    }
    void listKeysMoveTheChoice()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, chosen);
        auto program = std::make_unique<TestProgram>();
        insertRows(program->makeDatabase(), "Agent", {"Company", "Name"},
                   {{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}, {"E", "5"}, {"F", "6"}});
        QVERIFY(program->start());
        people::KeyedList* list = program->agents();
        program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main()));
        list->setFocus();
        for (const int key : keys)
            QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(list->selectedPosition(), chosen);
        QCOMPARE(list->currentRow(), chosen);
        QTest::keyClick(list, Qt::Key_Tab);
        QVERIFY(!list->hasFocus());
        QCOMPARE(list->selectedPosition(), chosen);
    }

    // Enter (and Return) on a focused button does what a click does.
    void enterPressesFocusedButton_data()
    {
        QTest::addColumn<KeyRow>("row");
        QTest::addColumn<Qt::Key>("key");
        const auto none = [](TestProgram&) {};
        const auto main = [](TestProgram& p) -> QWidget* { return p.main(); };
        const QList<std::pair<const char*, KeyRow>> rows = {
            {"main window Next >>", {none, main, "cmdNext", [](TestProgram& p) { return schedule(p)->isVisible() && !p.main()->isVisible(); }}},
            {"main window Exit", {none, main, "cmdCancel", [](TestProgram& p) { return p.session().ended; }}},
            {"main window Delete agent", {none, main, "cmdDeleteAgent", [](TestProgram& p) { return p.agents()->count() == 0; }}},
            {"policy schedule << Back", {[](TestProgram& p) { p.click(p.main(), "cmdNext"); }, schedule, "cmdBack",
                                         [](TestProgram& p) { return p.main()->isVisible() && !schedule(p)->isVisible(); }}},
            {"policy schedule Next >>", {[](TestProgram& p) { p.click(p.main(), "cmdNext"); p.type(schedule(p), "txtPremium1_0", "1000"); },
                                         schedule, "cmdNext", [](TestProgram& p) { return review(p)->isVisible(); }}},
            {"loan terms << Back", {toReview, review, "cmdBack",
                                    [](TestProgram& p) { return schedule(p)->isVisible() && !review(p)->isVisible(); }}},
        };
        for (const auto& [name, row] : rows) {
            QTest::newRow(qPrintable(QString(name) + ", Return")) << row << Qt::Key_Return;
            QTest::newRow(qPrintable(QString(name) + ", keypad Enter")) << row << Qt::Key_Enter;
        }
    }
    void enterPressesFocusedButton()
    {
        QFETCH(KeyRow, row);
        QFETCH(Qt::Key, key);
        auto program = started();
        row.before(*program);
        QWidget* window = row.window(*program);
        QVERIFY(!row.done(*program));
        pressEnter(program->control<QPushButton>(window, row.button), key);
        QVERIFY(row.done(*program));
    }

    // In the modal windows: Enter in a dialog field is OK, Enter on Cancel or Done closes.
    void enterInModalWindows_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("agents");
        QTest::addColumn<int>("customers");
        QTest::newRow("Enter in a customer field stores the customer")
            << "cmdNewCust" << "frmAddCust" << "txtCity" << "New Co" << 1 << 2;
        QTest::newRow("Enter in an agent field stores the agent")
            << "cmdNewAgent" << "frmAddAgent" << "txtName" << "Bo" << 2 << 1;
        QTest::newRow("Enter on a focused OK stores the agent") << "cmdNewAgent" << "frmAddAgent" << "cmdOK" << "Bo" << 2 << 1;
        QTest::newRow("Enter on Cancel stores nothing") << "cmdNewCust" << "frmAddCust" << "cmdCancel" << "New Co" << 1 << 1;
        QTest::newRow("Enter on Done closes the previous contracts")
            << "cmdPrevContract" << "frmPrevious" << "cmdDone" << "" << 1 << 1;
    }
    void enterInModalWindows()
    {
        QFETCH(QString, opener);
        QFETCH(QString, window);
        QFETCH(QString, target);
        QFETCH(QString, typed);
        QFETCH(int, agents);
        QFETCH(int, customers);
        auto program = started();
        QWidget* modal = program->control(program->main(), qPrintable(window));
        bool closedByEnter = false;
        TestProgram::whileOpen([&] { program->click(program->main(), qPrintable(opener)); },
                               [&] {
                                   if (auto* first = modal->findChild<QLineEdit*>(window == "frmAddCust" ? "txtDBA" : "txtName"))
                                       first->setText(typed);
                                   pressEnter(program->control(modal, qPrintable(target)));
                                   closedByEnter = !modal->isVisible();
                                   modal->hide(); // never leave the test blocked
                               });
        QVERIFY(closedByEnter);
        QCOMPARE(program->agents()->count(), agents);
        QCOMPARE(program->customers()->count(), customers);
    }

    // A screen reader hears a name for every field, list, box, option and the grid.
    void everyControlHasAName()
    {
        auto program = started();
        toReview(*program);
        const AppWindows& w = program->app->windows();
        for (QWidget* window : {static_cast<QWidget*>(w.frmAgent), static_cast<QWidget*>(w.frmAddCust),
                                static_cast<QWidget*>(w.frmAddAgent), static_cast<QWidget*>(w.frmPolicies1),
                                static_cast<QWidget*>(w.frmPreview), static_cast<QWidget*>(w.frmPrevious)}) {
            const QList<QWidget*> controls = namedControls(window);
            QVERIFY(!controls.isEmpty());
            for (QWidget* control : controls)
                QVERIFY2(!announced(control).isEmpty(),
                         qPrintable(window->objectName() + "/" + control->objectName() + " has no name"));
        }
    }

    void namesComeFromCaptions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("customer's DBA") << "frmAddCust/txtDBA" << "Doing Business As";
        QTest::newRow("agent's phone") << "frmAddAgent/txtPhone" << "Phone";
        QTest::newRow("first premium") << "frmPolicies1/txtPremium1_0" << "Premium/ Amount, Section 1, row 1";
        QTest::newRow("last term of Section 3") << "frmPolicies1/txtTerm3_2" << "Policy Term in Months, Section 3, row 3";
        QTest::newRow("tax amount") << "frmPolicies1/txtTax" << "S/L TAX";
        QTest::newRow("description") << "frmPolicies1/txtDescription" << "Description";
        QTest::newRow("number of installments") << "frmPreview/txtNumInstall" << "Number of Installments";
        QTest::newRow("first installment date") << "frmPreview/dtpFirstInstllmnt" << "First Installment Due";
        QTest::newRow("agent list") << "frmAgent/lstAgent" << "Agents";
        QTest::newRow("option button") << "frmAgent/optPersonal" << "Personal/Consumer";
        QTest::newRow("the grid") << "frmPrevious/fgRecords" << "Previous Contracts";
    }
    void namesComeFromCaptions()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        auto program = started();
        const AppWindows& w = program->app->windows();
        const QHash<QString, QWidget*> windows{{"frmAgent", w.frmAgent}, {"frmAddCust", w.frmAddCust},
                                               {"frmAddAgent", w.frmAddAgent}, {"frmPolicies1", w.frmPolicies1},
                                               {"frmPreview", w.frmPreview}, {"frmPrevious", w.frmPrevious}};
        QWidget* widget = program->control(windows.value(control.section('/', 0, 0)), qPrintable(control.section('/', 1)));
        QCOMPARE(announced(widget), name);
    }

    // The option buttons keep their designed corner and are tall and wide enough for their indicator and caption.
    void optionButtonsShowWholeIndicator_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("main window, commercial") << "frmAgent" << "optCommercial" << 1673 << 4740;
        QTest::newRow("main window, personal") << "frmAgent" << "optPersonal" << 4013 << 4740;
        QTest::newRow("loan terms, personal") << "frmPreview" << "optPersonal" << 6300 << 2520;
        QTest::newRow("loan terms, commercial") << "frmPreview" << "optCommercial" << 6300 << 2820;
    }
    void optionButtonsShowWholeIndicator()
    {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QFETCH(int, left);
        QFETCH(int, top);
        auto program = started();
        QWidget* owner = window == "frmAgent" ? static_cast<QWidget*>(program->main()) : review(*program);
        auto* option = program->control<QRadioButton>(owner, qPrintable(name));
        QCOMPARE(option->pos(), QPoint(ui::toPixels({left}), ui::toPixels({top})));
        QVERIFY(option->height() >= option->sizeHint().height());
        QVERIFY(option->width() >= option->sizeHint().width());
    }

    // Previous Contracts by keyboard alone: Tab and Shift+Tab between the grid and the
    // buttons, the arrows in the grid, Enter on a button presses it, Enter on the
    // grid opens its contract.
    void previousContractsByKeyboard()
    {
        auto program = started();
        insertRows(program->session().database(), "Policies", {"DBA", "PolicyNo1"},
                   {{"Lee Farms", "P-1"}, {"Lee Farms", "P-2"}});
        auto* previous = program->app->windows().frmPrevious;
        QStringList road, back;
        TestProgram::whileOpen([&] { program->click(program->main(), "cmdPrevContract"); }, [&] {
            road << focusedIn(previous) << tabbed(previous, 5);
            back << tabbed(previous, 3, Qt::ShiftModifier);
            press(previous, Qt::Key_Return); // on Copy
            road << focusedIn(previous) << QString::number(previous->dataRows()) << QString::number(previous->chosenRow());
            press(previous, Qt::Key_Up);
            press(previous, Qt::Key_Up);
            press(previous, Qt::Key_Down);
            press(previous, Qt::Key_Enter);
            previous->hide(); // never leave the test blocked
        });
        QCOMPARE(road, (QStringList{"fgRecords", "cmdEdit", "cmdCopy", "cmdDelete", "cmdDone", "fgRecords",
                                    "fgRecords", "3", "3"}));
        QCOMPARE(back, (QStringList{"cmdDone", "cmdDelete", "cmdCopy"}));
        // The second contract is open on the schedule, ready for typing.
        QVERIFY(schedule(*program)->isVisible());
        QCOMPARE(program->control<QLineEdit>(schedule(*program), "txtPolicy1_0")->text(), QString("P-2"));
        QCOMPARE(focusedIn(schedule(*program)), QString("txtPolicy1_0"));
    }

    // Every new contract starts in Section 1's first policy number, whichever button ended the last one.
    void newContractStartsAtFirstPolicy()
    {
        auto program = started();
        FakePrinterDialogService printers;
        printers.confirmEveryJob();
        program->session().services.printers = &printers;
        QWidget* policies = schedule(*program);
        QStringList starts;
        const auto startedAt = [&] { starts << (policies->isVisible() ? focusedIn(policies) : QString("hidden")); };
        pressEnter(program->control(program->main(), "cmdNext"));
        startedAt();
        program->type(policies, "txtPremium1_0", "1000");
        pressEnter(program->control(policies, "cmdNext"));
        pressEnter(program->control(review(*program), "cmdPrint"));
        startedAt();
        pressEnter(program->control(policies, "cmdBack"));
        pressEnter(program->control(program->main(), "cmdNext"));
        startedAt();
        QCOMPARE(starts, QStringList(3, "txtPolicy1_0"));
        QCOMPARE(printers.jobs.size(), 1);
    }

    // F1 in the main window tells the version, the database and the settings file.
    void helpKeyShowsAbout()
    {
        auto program = started();
        program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main()));
        program->messages.clear();
        QTest::keyClick(program->main(), Qt::Key_F1);
        QCOMPARE(program->messages.shown.size(), 1);
        const auto& about = program->messages.last();
        QCOMPARE(about.title, QString("About QUILLON"));
        QCOMPARE(about.icon, ui::MessageIcon::Information);
        QVERIFY(about.text.startsWith("QUILLON\nVersion 8.0\n"));
        const Session& session = program->session();
        QVERIFY(about.text.contains("Database: " + (testdb::onServer() ? session.Server.displayName() : session.DBPath)));
        QVERIFY(about.text.contains("Settings file: " + program->session().IniPath));
    }
};

QTEST_MAIN(WindowKeyboardTest)
#include "tst_WindowKeyboard.moc"
