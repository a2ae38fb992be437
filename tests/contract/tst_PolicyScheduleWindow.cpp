#include "contract/ContractWindows.h"

// What Next >> of the policy schedule accepts, marks and refuses, the Section 4
// boxes, and what a new contract starts from.
class PolicyScheduleWindowTest : public QObject {
    Q_OBJECT
private slots:
    void scheduleRules_data();
    void scheduleRules() { ContractWindows().checkRow(); }
    void resetClearsThePreviousContract();
};

void PolicyScheduleWindowTest::scheduleRules_data()
{
    ContractWindows::addColumns();
    const QString amount = "messages=1; frmPreview=hidden; message=Amount must be indicated as a number (0.00); yellow=";
    auto add = ContractWindows::addRow;

    add("every bad amount at once, a ticked tax left empty among them",
        "set txtPremium1_0 x; set txtPremium3_2 1.2.3; tick chkOther; set txtOther o; tick chkTax; set txtPremium2_0 5; next",
        amount + "txtOther txtPremium1_0 txtPremium3_2 txtTax");
    add("bad amount and bad inception", "set txtPremium1_0 ten; set txtInception1_0 soon; next",
        amount + "txtInception1_0 txtPremium1_0");
    add("inception alone not a date", "set txtPremium1_0 100; set txtInception1_1 next week; set txtInception2_0 01/10/24; next",
        "messages=1; frmPreview=hidden; message=Inception date must be a date (01/01/2008); yellow=txtInception1_1");
    add("an emptied yellow premium stays yellow and passes",
        "set txtPremium2_0 abc; next; set txtPremium2_0 ; set txtPremium1_0 100; next",
        "txtPremium2_0.colour=yellow; frmPreview=shown; messages=1");

    add("unticking empties the amount", "click chkFees; set txtFees 25; click chkFees; next", "txtFees=; lblSec4=0.00; messages=0");
    add("ticked again, the empty amount is refused", "click chkFees; set txtFees 25; click chkFees; click chkFees; next",
        "txtFees=; txtFees.colour=yellow; messages=1");
    add("amounts without their box are neither counted nor tested", "set txtFees 25; set txtSurcharge lots; next",
        "lblSec4=0.00; messages=0");
    add("clicking an amount ticks its box and whitens it",
        "set txtPremium1_0 bad; tick chkFees; tick chkOther; next; click txtFees; click txtTax",
        "chkFees=checked; chkTax=checked; yellow=txtOther txtPremium1_0");

    add("<< Back of a new contract leads to the main window", "set txtPolicy1_0 P-1; caption << Back; click cmdBack",
        "frmPolicies1=hidden; frmAgent=shown; frmPrevious=hidden; txtPolicy1_0=P-1");
    add("<< Previous of a reopened one leads to the list", "caption << Previous; click cmdBack",
        "cmdBack=<< Previous; frmPolicies1=hidden; frmAgent=hidden; frmPrevious=shown");
    add("close box ends the program", "close frmPolicies1", "ended=yes");
    // The previous contract's date (or the zero date) must not reach the next note.
    add("no inception date: due a month from today", "set txtInception1_0 12/15/2024; next; reset; next",
        "dtpFirstInstllmnt=4/14/2025");
}

void PolicyScheduleWindowTest::resetClearsThePreviousContract()
{
    ContractWindows w;
    for (QLineEdit* field : w.schedule->findChildren<QLineEdit*>())
        field->setText("x");
    for (QCheckBox* box : w.schedule->findChildren<QCheckBox*>())
        box->setChecked(true);
    w.run({"next", "set txtLoanAut LA-1"}); // every amount turns yellow
    w.schedule->Reset();
    QStringList leftovers{w.valueOf("yellow"), w.valueOf("txtLoanAut")};
    for (QLineEdit* field : w.schedule->findChildren<QLineEdit*>())
        leftovers << field->text();
    for (QCheckBox* box : w.schedule->findChildren<QCheckBox*>())
        leftovers << (box->isChecked() ? box->objectName() : "");
    QCOMPARE(leftovers.join(""), QString());
}

QTEST_MAIN(PolicyScheduleWindowTest)
#include "tst_PolicyScheduleWindow.moc"
