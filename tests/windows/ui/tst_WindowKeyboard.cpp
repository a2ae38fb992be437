#include "app/AppWindows.h"
#include "support/TestProgram.h"
#include "windows/contract/LoanTermsWindow.h"
#include "windows/contract/PolicyScheduleWindow.h"
#include "windows/history/PreviousContractsWindow.h"
#include "windows/people/AgentDialog.h"
#include "windows/people/CustomerDialog.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QRadioButton>
#include <QtTest>

namespace {

// A started program with one agent and one customer, both chosen.
std::unique_ptr<TestProgram> started() { return TestProgram::startedWith({{"Acme", "Al"}}, {{"Ann Lee", "Lee Farms"}}); }

void pressEnter(QWidget* control, Qt::Key key = Qt::Key_Return)
{
    control->setFocus();
    QTest::keyClick(control, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier); // as the keypad's Enter comes
}

// The control a window gives the keyboard to while it is the active window.
QString focusedIn(const QWidget* window)
{
    const QWidget* widget = window->focusWidget();
    return widget ? widget->objectName() : QStringLiteral("<none>");
}

// A key pressed on the control that holds a window's focus; Tab and Shift+Tab give the controls reached.
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

QString announced(QWidget* control)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

class WindowKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    // Enter on Cancel presses Cancel, Enter in a dialog field is OK; a screen reader hears a name for every field, list, box, option
    // and the grid, taken from the caption beside it (a schedule field's with its section and row).
    void enterInDialogFieldAndNamedControls()
    {
        auto program = started();
        for (const char* target : {"cmdCancel", "txtCity"})
            program->inPartyDialog(false, "New", [&](QWidget* dialog) {
                program->type(dialog, "txtDBA", target);
                pressEnter(program->control<QWidget>(dialog, target));
                dialog->hide(); // never leave the test blocked
            });
        QCOMPARE(linesOf(program->customers()), (QStringList{"Lee Farms", "txtCity"}));
        const AppWindows& w = program->windows();
        for (QWidget* window : std::initializer_list<QWidget*>{w.mainWindow, w.customerDialog, w.agentDialog, w.schedule, w.loanTerms, w.previousContracts})
            for (QWidget* control : window->findChildren<QWidget*>())
                // The inner edit of a date picker is the picker's own.
                if (!control->objectName().isEmpty() && !qobject_cast<QAbstractSpinBox*>(control->parentWidget()) &&
                    (qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractItemView*>(control) || qobject_cast<QCheckBox*>(control) ||
                     qobject_cast<QRadioButton*>(control) || qobject_cast<QAbstractSpinBox*>(control)))
                    QVERIFY2(!announced(control).isEmpty(), qPrintable(window->objectName() + "/" + control->objectName() + " has no name"));
        QCOMPARE(announced(program->control<QWidget>(w.schedule, "txtPremium1_0")), QString("Premium/ Amount, Section 1, row 1"));
    }

    // Previous Contracts by keyboard alone: Tab and Shift+Tab between the grid and the buttons, Enter
    // on a button presses it, Enter on the grid opens its contract, ready for typing.
    void previousContractsByKeyboard()
    {
        auto program = started();
        insertRows(program->session().database(), "Policies", {"DBA", "PolicyNo1"}, {{"Lee Farms", "P-1"}, {"Lee Farms", "P-2"}});
        auto* previous = program->windows().previousContracts;
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
        QCOMPARE(road, (QStringList{"fgRecords", "cmdEdit", "cmdCopy", "cmdDelete", "cmdDone", "fgRecords", "fgRecords", "3", "3"}));
        QCOMPARE(back, (QStringList{"cmdDone", "cmdDelete", "cmdCopy"}));
        QWidget* schedule = program->windows().schedule;
        QVERIFY(schedule->isVisible());
        QCOMPARE(program->control<QLineEdit>(schedule, "txtPolicy1_0")->text(), QString("P-2"));
        QCOMPARE(focusedIn(schedule), QString("txtPolicy1_0"));
    }

    // The road of a contract by Enter (Return or the keypad's) on the focused buttons alone; every new
    // contract starts empty in Section 1's first policy number, whichever button ended the last one.
    void contractRoadByEnter()
    {
        auto program = started();
        QWidget* policies = program->windows().schedule;
        QWidget* review = program->windows().loanTerms;
        QStringList starts;
        const auto startedAt = [&] { starts << (policies->isVisible() ? focusedIn(policies) : QString("hidden")); };
        pressEnter(program->control<QWidget>(program->main(), "cmdNext"));
        startedAt();
        program->type(policies, "txtPremium1_0", "1000");
        pressEnter(program->control<QWidget>(policies, "cmdNext"), Qt::Key_Enter);
        pressEnter(program->control<QWidget>(review, "cmdBack"));
        QVERIFY(policies->isVisible() && !review->isVisible());
        pressEnter(program->control<QWidget>(policies, "cmdNext"));
        pressEnter(program->control<QWidget>(review, "cmdPrint"), Qt::Key_Enter);
        startedAt();
        pressEnter(program->control<QWidget>(policies, "cmdBack"));
        QVERIFY(program->main()->isVisible() && !policies->isVisible());
        pressEnter(program->control<QWidget>(program->main(), "cmdNext"));
        startedAt();
        QCOMPARE(starts, QStringList(3, "txtPolicy1_0"));
        QCOMPARE(program->printers.jobs.size(), 1);
        QCOMPARE(program->control<QLineEdit>(policies, "txtPremium1_0")->text(), QString());
    }
};

QTEST_MAIN(WindowKeyboardTest)
#include "tst_WindowKeyboard.moc"
