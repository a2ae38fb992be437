#include "app/AppWindows.h"
#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "people/TestProgram.h"
#include "support/FakePrinterDialogService.h"

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
    auto program = TestProgram::startedWith({{"Acme", "Al"}}, {{"Ann Lee", "Lee Farms"}});
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

} // namespace

class WindowKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    // In the modal windows: Enter in a dialog field is OK, Enter on Cancel or Done closes.
    void enterInModalWindows_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("customers");
        QTest::newRow("Enter in a customer field stores the customer") << "cmdNewCust" << "frmAddCust" << "txtCity" << 2;
        QTest::newRow("Enter on Cancel stores nothing") << "cmdNewCust" << "frmAddCust" << "cmdCancel" << 1;
        QTest::newRow("Enter on Done closes the previous contracts") << "cmdPrevContract" << "frmPrevious" << "cmdDone" << 1;
    }
    void enterInModalWindows()
    {
        QFETCH(QString, opener);
        QFETCH(QString, window);
        QFETCH(QString, target);
        QFETCH(int, customers);
        auto program = started();
        QWidget* modal = program->control(program->main(), qPrintable(window));
        bool closedByEnter = false;
        TestProgram::whileOpen([&] { program->click(program->main(), qPrintable(opener)); }, [&] {
            if (auto* dba = modal->findChild<QLineEdit*>("txtDBA"))
                dba->setText("New Co");
            pressEnter(program->control(modal, qPrintable(target)));
            closedByEnter = !modal->isVisible();
            modal->hide(); // never leave the test blocked
        });
        QVERIFY(closedByEnter);
        QCOMPARE(program->customers()->count(), customers);
    }

    // A screen reader hears a name for every field, list, box, option and the grid, taken from the
    // caption beside it (a schedule field's with its section and row).
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
        const QStringList names{announced(program->control(w.frmAddCust, "txtDBA")),
                                announced(program->control(w.frmPolicies1, "txtPremium1_0")),
                                announced(program->control(w.frmPreview, "dtpFirstInstllmnt")),
                                announced(program->control(w.frmAgent, "lstAgent")),
                                announced(program->control(w.frmPrevious, "fgRecords"))};
        QCOMPARE(names, (QStringList{"Doing Business As", "Premium/ Amount, Section 1, row 1", "First Installment Due",
                                     "Agents", "Previous Contracts"}));
    }

    // The option buttons are tall and wide enough for their indicator and caption.
    void optionButtonsShowWholeIndicator()
    {
        auto program = started();
        const QList<QRadioButton*> options = program->main()->findChildren<QRadioButton*>() +
                                             review(*program)->findChildren<QRadioButton*>();
        QCOMPARE(options.size(), 4);
        for (const QRadioButton* option : options)
            QVERIFY2(option->height() >= option->sizeHint().height() && option->width() >= option->sizeHint().width(),
                     qPrintable(option->objectName()));
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

    // The road of a contract by Enter (Return or the keypad's) on the focused buttons alone; every new
    // contract starts empty in Section 1's first policy number, whichever button ended the last one.
    void contractRoadByEnter()
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
        pressEnter(program->control(policies, "cmdNext"), Qt::Key_Enter);
        pressEnter(program->control(review(*program), "cmdBack"));
        QVERIFY(policies->isVisible() && !review(*program)->isVisible());
        pressEnter(program->control(policies, "cmdNext"));
        pressEnter(program->control(review(*program), "cmdPrint"), Qt::Key_Enter);
        startedAt();
        pressEnter(program->control(policies, "cmdBack"));
        QVERIFY(program->main()->isVisible() && !policies->isVisible());
        pressEnter(program->control(program->main(), "cmdNext"));
        startedAt();
        QCOMPARE(starts, QStringList(3, "txtPolicy1_0"));
        QCOMPARE(printers.jobs.size(), 1);
        QCOMPARE(program->control<QLineEdit>(policies, "txtPremium1_0")->text(), QString());
    }

    // F1 in the main window tells the version, the database and the settings file.
    void helpKeyShowsAbout()
    {
        auto program = started();
        program->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->main()));
        QTest::keyClick(program->main(), Qt::Key_F1);
        QCOMPARE(program->messages.shown.size(), 1);
        QCOMPARE(program->messages.last().title, QString("About QUILLON"));
        QVERIFY(program->messages.last().text.startsWith("QUILLON\nVersion 8.0\n"));
        QVERIFY(program->messages.last().text.contains("Settings file: " + program->session().IniPath));
    }
};

QTEST_MAIN(WindowKeyboardTest)
#include "tst_WindowKeyboard.moc"
