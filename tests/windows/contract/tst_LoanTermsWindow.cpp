#include "support/TestProgram.h"

namespace {

// One premium in the first row of Sections 1 to 3 and a ticked tax, then Next >>.
QString next(const QString& s1, const QString& s2 = {}, const QString& s3 = {}, const QString& tax = {})
{
    const QString ticked = tax.isEmpty() ? "" : "tick chkTax; set txtTax " + tax + "; ";
    return "set txtPremium1_0 " + s1 + "; set txtPremium2_0 " + s2 + "; set txtPremium3_0 " + s3 + "; " + ticked + "next; ";
}

} // namespace

// The loan terms the review window shows once Next >> has handed over a schedule, and how they follow
// the user's edits. The rules' arithmetic is tested in the terms review's table; these rows show what
// the window adds: labels and fields filled, edits wired, colours, messages, the classification and
// date controls, and what is then stored or refused; and what the schedule's Next >> refuses and marks.
class LoanTermsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void termsFollowTheUser() { NewContract().checkRow(); }
    void termsFollowTheUser_data()
    {
        NewContract::addColumns();
        const QString hundred = next("100", "100", "100", "10");
        // Refused terms: nothing stored, nothing printed, nothing shown of what follows from them.
        const QString kept = "; messages=1; frmPreview=shown; rows=0; jobs=0";
        const QString noRate = "lblAPR=; rows=0; message=The Annual Percentage Rate (APR) of this Personal/Consumer loan cannot "
                               "be worked out: ";
        auto add = NewContract::addRow;

        add("100 in each section and a tax of 10", hundred,
            "lblSec1=100.00; lblSec2=100.00; lblSec3=100.00; lblSec4=10.00; lblTotalSections=310.00; txtDown=98.00; "
            "lblAmtFin=212.00; txtFinCharge=30.60; lblTotalPayments=242.60; lblAmtInstall=30.32; lblAPR=10.50; txtNumInstall=8; "
            "frmPolicies1=hidden; messages=0");
        // With no inception the credit starts today, 3/14/2025, and the first installment is due on 4/14/2025.
        const QString personal = "tick frmAgent/optPersonal; " + hundred;
        add("personal loan chosen in the main window", "tick frmAgent/optPersonal; " + next("20000"),
            "lblAPR=7.85; optPersonal=checked; optCommercial=unchecked");
        add("personal rate follows the first installment", personal + "date dtpFirstInstllmnt 3/29/2025", "lblAPR=10.78");
        add("personal with the first installment on the day of the credit refused",
            personal + "date dtpFirstInstllmnt 3/14/2025; save",
            noRate + "the First Installment Due must be after 3/14/2025, the day the credit starts.");
        add("personal with nothing financed refused", personal + "type txtDown 310; leave txtDown; save",
            noRate + "there is no Amount Financed.");

        add("down payment one cent above the grand total", hundred + "type txtDown 310.01; leave txtDown; save",
            "message=Down Payment must be a number from 0.00 to 310.00 (the Grand Total)." + kept
                + "; txtDown=310.01; txtDown.colour=yellow; lblAmtFin=; txtFinCharge=; lblTotalPayments=; lblAmtInstall=");
        add("finance charge too large to show", hundred + "type txtFinCharge 100000000; save",
            "message=Finance Charge must be a number from 0.00 to 99999999.99." + kept
                + "; txtFinCharge.colour=yellow; lblAmtFin=212.00; lblTotalPayments=; lblAmtInstall=");
        add("down payment in words is refused", hundred + "set txtDown ninety; leave txtDown; save",
            "message=Amount must be indicated as a number (0.00)" + kept + "; txtDown.colour=yellow");
        add("no installments refused, then corrected",
            hundred + "set txtNumInstall 0; leave txtNumInstall; save; type txtNumInstall 8; save",
            "message=Number of Installments must be a whole number from 1 to 32767.; messages=1; "
            "txtNumInstall.colour=white; rows=1");
        // Rewriting the field under the caret would turn a typed 35 into 53.00.
        add("finance charge stays as typed", hundred + "type txtFinCharge 35",
            "txtFinCharge=35; lblTotalPayments=247.00; lblAmtInstall=30.87");
        add("another program chosen while typing is no leaving", hundred + "type txtFinCharge 35; away txtFinCharge", "txtFinCharge=35");
        // One edited contract must not strip the rate, nor leave its inception date, to the next.
        add("the next contract starts afresh", "set txtInception1_0 12/15/2024; " + hundred + "type txtFinCharge 50; leave txtFinCharge; "
            "click frmPreview/cmdBack; click cmdBack; click frmAgent/cmdNext; " + next("1000", "1000", "1000", "100") + "leave txtFinCharge",
            "lblAPR=10.50; dtpFirstInstllmnt=4/14/2025");

        add("<< Back keeps the schedule and stores nothing", hundred + "type txtDown 100.00; click frmPreview/cmdBack",
            "frmPreview=hidden; frmPolicies1=shown; rows=0; txtPremium1_0=100");
        const QString discard = "message=The contract on screen has not been saved. Discard it and end the program? (not an error)";
        add("close box on unsaved terms, discarded", hundred + "answer yes; close frmPreview", discard + "; ended=yes; rows=0");
        add("close box on an unsaved schedule kept", "set txtPremium1_0 100; close frmPolicies1",
            discard + "; ended=no; frmPolicies1=shown; txtPremium1_0=100");
        add("close box on terms edited after Save / Print kept", hundred + "save; next; type txtDown 100; close frmPreview",
            discard + "; ended=no; frmPreview=shown; txtDown=100; lblAmtFin=210.00; rows=1");
        add("close box on an empty schedule ends the program", "close frmPolicies1", "messages=0; ended=yes");
        add("close box after Save / Print ends the program", hundred + "save; close frmPolicies1", "messages=0; ended=yes; rows=1");
        const QString refused = "messages=1; frmPreview=hidden; message=Amount must be indicated as a number (0.00); yellow=";
        add("schedule with every bad amount and a bad date at once, a ticked tax left empty among them",
            "set txtPremium1_0 x; set txtPremium3_2 1.2.3; tick chkOther; set txtOther o; tick chkTax; set txtPremium2_0 5; "
            "set txtInception1_0 soon; next",
            refused + "txtInception1_0 txtOther txtPremium1_0 txtPremium3_2 txtTax");
        add("schedule with an inception alone not a date", "set txtPremium1_0 100; set txtInception1_1 next week; next",
            "messages=1; frmPreview=hidden; message=Inception date must be a date (01/01/2008); yellow=txtInception1_1");
        add("clicking an amount ticks its box and whitens it", "set txtPremium1_0 bad; tick chkOther; next; click txtFees; click txtOther",
            "chkFees=checked; yellow=txtPremium1_0");
        add("unticking empties the amount", "click chkFees; set txtFees 25; click chkFees; next", "txtFees=; lblSec4=0.00; messages=0");
        // Totals the review could not show are refused where the amounts are typed.
        const QString range = " from 0.00 to 99999999.99.; messages=1; frmPreview=hidden; yellow=";
        add("a premium that takes Section 1 below zero", "set txtPremium1_0 100; set txtPremium1_1 -500; next",
            "message=Premium in Section 1 must leave the Section 1 total" + range + "txtPremium1_1");
        add("a premium too large for its box", next("999999999999"),
            "message=Premium in Section 1 must leave the Section 1 total" + range + "txtPremium1_0");
        add("a tax that takes Section 4 below zero", next("100", "", "", "-5"),
            "message=S/L TAX in Section 4 must leave the Section 4 total" + range + "txtTax");
        add("sections that fit with a Grand Total that does not", next("60000000", "50000000"),
            "message=Premium in Section 2 must leave the Grand Total" + range + "txtPremium2_0");
        add("the largest amount a box shows passes", next("99999999.99"), "lblTotalSections=99999999.99; messages=0");

        // A refusal only says why: what is on screen stays, marks and all.
        add("refused Save keeps a finance charge typed beside a refused down payment",
            hundred + "type txtDown 400; type txtFinCharge 35; leave txtFinCharge; save",
            "message=Down Payment must be a number from 0.00 to 310.00 (the Grand Total)." + kept
                + "; txtFinCharge=35.00; txtFinCharge.colour=white; txtDown.colour=yellow; lblAmtFin=; lblAPR=");
        add("refused Save takes no mark away", hundred + "type txtFinCharge 100000000; type txtDown x; save",
            "message=Amount must be indicated as a number (0.00); txtFinCharge=; txtFinCharge.colour=yellow");
        add("preview of refused terms says why and draws nothing",
            hundred + "type txtDown 400; click frmPreview/cmdPreview; type txtDown 100; click frmPreview/cmdPreview",
            "message=Down Payment must be a number from 0.00 to 310.00 (the Grand Total).; messages=1; previews=1; rows=0");

        add("line breaks and tabs pasted become blanks, in the schedule and in the review",
            "paste txtPolicy1_0 AB\\n1\\t2; paste txtDescription Tow\\nfee; " + hundred + "paste txtLoanAut LA\\n7; save",
            "txtPolicy1_0=AB 1 2; row1.PolicyNo1=AB 1 2; row1.Description=Tow fee; row1.LoanAuthorization=LA 7");
        // Each column of the printed schedule holds so many characters before the next one begins.
        const QString digits = QString("1234567890").repeated(5);
        QStringList pastes, held;
        for (const auto& [field, characters] : QList<std::pair<QString, int>>{
                 {"txtPolicy2_2", 7}, {"txtCompany2_2", 23}, {"txtPremium2_2", 15}, {"txtCoverage2_2", 7},
                 {"txtInception2_2", 11}, {"txtExpiration2_2", 10}, {"txtTerm2_2", 6}, {"txtOther", 10},
                 {"txtDescription", 46}}) {
            pastes << "paste " + field + " " + digits;
            held << field + "=" + digits.left(characters);
        }
        add("each schedule field takes what its printed column holds", pastes.join("; "), held.join("; "));
        add("earliest inception, left as typed", "set txtInception1_0 12/15/24; set txtInception2_0 010125; " + hundred,
            "dtpFirstInstllmnt=1/15/2025; txtInception2_0=010125");
    }
};

QTEST_MAIN(LoanTermsWindowTest)
#include "tst_LoanTermsWindow.moc"
