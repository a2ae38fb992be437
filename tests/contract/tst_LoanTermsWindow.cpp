#include "contract/ContractWindows.h"

// The loan terms the review window shows once Next >> has handed over a
// schedule, and how they follow the user's edits.
class LoanTermsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void termsFollowTheUser_data();
    void termsFollowTheUser() { ContractWindows().checkRow(); }
    void datePicker();
    void sameTermsOnEveryPass_data();
    void sameTermsOnEveryPass();
    void oneContractWindowAtATime();
};

namespace {

// One premium in the first row of Sections 1 to 3 and a ticked tax, then Next >>.
QString next(const QString& s1, const QString& s2 = {}, const QString& s3 = {}, const QString& tax = {})
{
    const QString ticked = tax.isEmpty() ? "" : "tick chkTax; set txtTax " + tax + "; ";
    return "set txtPremium1_0 " + s1 + "; set txtPremium2_0 " + s2 + "; set txtPremium3_0 " + s3 + "; " + ticked + "next; ";
}

// "a|b|c" as what the named controls show, in order.
QString zip(const QStringList& names, const QString& values)
{
    QStringList entries;
    for (const QString& value : values.split('|'))
        entries << names[entries.size()] + '=' + value;
    return entries.join("; ");
}
QString terms(const QString& values)
{
    return zip({"txtDown", "lblAmtFin", "txtFinCharge", "lblTotalPayments", "lblAmtInstall", "lblAPR"}, values);
}

} // namespace

void LoanTermsWindowTest::termsFollowTheUser_data()
{
    ContractWindows::addColumns();
    const QString hundred = next("100", "100", "100", "10");
    const QString sections = "lblSec1; lblSec2; lblSec3; lblSec4; lblTotalSections";
    const QString refused = "; messages=1; frmPreview=shown; rows=0; lblAmtFin=212.00; lblTotalPayments=242.60; lblAmtInstall=30.32";
    const QString amount = "message=Amount must be indicated as a number (0.00)" + refused;
    const QString count = "message=Number of Installments must be a whole number greater than 0." + refused;
    auto add = ContractWindows::addRow;

    add("100 in each section and a tax of 10", hundred,
        zip(sections.split("; "), "100.00|100.00|100.00|10.00|310.00") + "; " + terms("98.00|212.00|30.60|242.60|30.32|10.50")
            + "; txtNumInstall=8; frmPolicies1=hidden; messages=0");
    add("1000 in each section and a tax of 100", next("1000", "1000", "1000", "100"),
        zip(sections.split("; "), "1000.00|1000.00|1000.00|100.00|3100.00") + "; "
            + terms("980.00|2120.00|126.00|2246.00|280.75|10.50"));
    add("amount financed 234.56, finance charge cut", next("0.08", "335"), terms("100.52|234.56|31.72|266.28|33.28|10.50"));
    add("exactly 10000 financed: 4 %, higher rate", next("12008", "1420"), terms("3428.00|10000.00|420.00|10420.00|1302.50|10.50"));
    add("10000.01 financed: 4 %, lower rate", next("12008.06", "1419.95"), terms("3428.00|10000.01|420.00|10420.01|1302.50|7.95"));
    add("credits beyond the premiums: no finance charge", next("-1000", "", "", "100"), terms("-150.00|-750.00|0.00|-750.00"));
    // With no inception the credit starts today, 3/14/2025, and the first installment is due on 4/14/2025.
    const QString personal = "tick frmAgent/optPersonal; " + hundred;
    add("personal loan has its own rate", "tick frmAgent/optPersonal; " + next("20000"),
        "lblAPR=10.91; lblAmtFin=15000.00; optPersonal=checked; optCommercial=unchecked");
    add("personal rate follows the down payment", personal + "type txtDown 100.00", "lblAPR=37.39");
    add("personal rate follows the finance charge", personal + "type txtFinCharge 35", "lblAPR=42.31");
    add("personal rate follows the installments, left", personal + "type txtNumInstall 10; leave txtNumInstall", "lblAPR=30.36");
    add("personal rate follows the first installment", personal + "date dtpFirstInstllmnt 3/29/2025", "lblAPR=42.05");
    add("personal with the first installment on the day of the credit refused",
        personal + "date dtpFirstInstllmnt 3/14/2025; save",
        "lblAPR=; rows=0; message=The Annual Percentage Rate (APR) of this Personal/Consumer loan cannot be worked out: "
        "the First Installment Due must be after 3/14/2025, the day the credit starts.");
    add("personal with nothing financed refused", personal + "type txtDown 310; leave txtDown; save",
        "lblAPR=; rows=0; message=The Annual Percentage Rate (APR) of this Personal/Consumer loan cannot be worked out: "
        "there is no Amount Financed.");
    add("switched to personal", hundred + "tick optPersonal", "lblAPR=37.16");
    add("switched back to commercial", personal + "tick optCommercial; save", "lblAPR=10.50; row1.APR=10.50; row1.Classification=Commercial");

    add("down payment of 100.00", hundred + "type txtDown 100.00", terms("100.00|210.00|30.50|240.50|30.06") + "; txtDown.colour=white");
    add("down payment cut on leaving", hundred + "type txtDown 100.999; leave txtDown", terms("100.99|209.01|30.45|239.46|29.93"));
    add("down payment emptied and left is zero", hundred + "type txtDown ; leave txtDown", terms("0.00|310.00|35.50|345.50|43.18"));
    add("down payment emptied while typing changes nothing", hundred + "type txtDown ", terms("|212.00|30.60|242.60|30.32"));
    add("down payment above the grand total", hundred + "type txtDown 400; leave txtDown", terms("400.00|-90.00|0.00|-90.00|-11.25"));
    // Rewriting the field under the caret would turn a typed 35 into 53.00.
    add("finance charge stays as typed", hundred + "type txtFinCharge 35", terms("98.00|212.00|35|247.00|30.87"));
    add("finance charge cut on leaving", hundred + "type txtFinCharge 35.678; leave txtFinCharge", terms("98.00|212.00|35.67|247.67|30.95"));
    add("ten installments", hundred + "type txtNumInstall 10", "lblAmtInstall=24.26; lblTotalPayments=242.60; lblAPR=10.50");

    add("installments changed and left empty the rate", hundred + "type txtNumInstall 10; leave txtNumInstall", "lblAPR=");
    add("installments changed back keep the rate", hundred + "type txtNumInstall 10; type txtNumInstall 8; leave txtNumInstall",
        "lblAPR=10.50");
    add("down payment alone keeps the rate", hundred + "type txtDown 100.00; leave txtDown", "lblAPR=10.50");
    add("down payment changed the charge shown", hundred + "type txtDown 100.00; leave txtDown; leave txtNumInstall", "lblAPR=");
    add("once emptied the rate stays empty for the contract",
        hundred + "type txtFinCharge 50; leave txtFinCharge; type txtFinCharge 30.60; leave txtFinCharge", "lblAPR=");
    // One edited contract must not strip the rate from the notes that follow it.
    add("the next contract has its rate again", hundred + "type txtFinCharge 50; leave txtFinCharge; click frmPreview/cmdBack; reset; "
        + next("1000", "1000", "1000", "100") + "leave txtFinCharge", "lblAPR=10.50");

    add("<< Back keeps the schedule and stores nothing", hundred + "type txtDown 100.00; click frmPreview/cmdBack",
        "frmPreview=hidden; frmPolicies1=shown; rows=0; txtPremium1_0=100");
    add("Next >> again works the terms out afresh", hundred + "type txtDown 100.00; click frmPreview/cmdBack; next",
        terms("98.00|212.00|30.60|242.60|30.32"));
    add("close box ends the program", hundred + "close frmPreview", "ended=yes; rows=0");
    add("December inception rolls into January", "set txtInception1_0 12/15/2024; " + hundred, "dtpFirstInstllmnt=1/15/2025");
    add("earliest inception of three sections, left as typed",
        "set txtInception1_0 05/05/24; set txtInception2_0 060124; set txtInception3_0 04/01/24; " + hundred,
        "dtpFirstInstllmnt=5/1/2024; txtInception2_0=060124");

    add("down payment in words is refused", hundred + "set txtDown ninety; leave txtDown; save", amount + "; txtDown.colour=yellow");
    add("finance charge with two points is refused", hundred + "set txtFinCharge 1.2.3; leave txtFinCharge; save",
        amount + "; txtFinCharge.colour=yellow");
    add("no installments refused", hundred + "set txtNumInstall 0; leave txtNumInstall; save", count + "; txtNumInstall.colour=yellow");
    add("empty installments refused", hundred + "set txtNumInstall ; leave txtNumInstall; save", count);
    add("installments beyond 32767 refused", hundred + "set txtNumInstall 32768; leave txtNumInstall; save", count);
    add("corrected, the field is white again and saves",
        hundred + "set txtNumInstall 0; leave txtNumInstall; save; type txtNumInstall 8; save",
        "txtNumInstall.colour=white; messages=1; rows=1");
}

void LoanTermsWindowTest::datePicker()
{
    ContractWindows w;
    auto* picker = w.in<QDateEdit>(w.review, "dtpFirstInstllmnt");
    QVERIFY(picker->calendarPopup());
    QCOMPARE(picker->displayFormat(), QString("M/d/yyyy"));
}

void LoanTermsWindowTest::sameTermsOnEveryPass_data()
{
    QTest::addColumn<QString>("premium");
    QTest::addColumn<QString>("stored"); // Down, Financed, FinCharge, Payments, InstallmentAmt, APR
    QTest::newRow("333.33") << "333.33" << "83.33|250.00|32.50|282.50|35.31|10.50";
    QTest::newRow("1000.26") << "1000.26" << "250.06|750.20|57.51|807.71|100.96|10.50";
    QTest::newRow("13333.34, just above 10000 financed") << "13333.34" << "3333.33|10000.01|420.00|10420.01|1302.50|7.95";
    QTest::newRow("with separators") << "$1,000.26" << "250.06|750.20|57.51|807.71|100.96|10.50";
}

// One contract shown, taken back and shown twice more, saved; then the next
// customer with the same premium: both stored rows carry the same terms.
void LoanTermsWindowTest::sameTermsOnEveryPass()
{
    QFETCH(QString, premium);
    QFETCH(QString, stored);
    ContractWindows w;
    w.run(QString("set txtPremium1_0 %1; next; click frmPreview/cmdBack; next; click frmPreview/cmdBack; next; save; "
                  "reset; set txtPremium1_0 %1; next; save").arg(premium).split("; "));
    const QList<QMap<QString, QString>> rows = w.storedRows();
    QCOMPARE(rows.size(), 2);
    QMap<QString, QString> first = rows[0], second = rows[1];
    for (const char* column : {"ID", "Run"})
        first.remove(column), second.remove(column);
    QCOMPARE(first, second);
    QStringList terms;
    for (const char* column : {"Down", "Financed", "FinCharge", "Payments", "InstallmentAmt", "APR"})
        terms << first.value(column);
    QCOMPARE(terms.join('|'), stored);
}

void LoanTermsWindowTest::oneContractWindowAtATime()
{
    ContractWindows w;
    w.run(next("100").split("; ", Qt::SkipEmptyParts));
    QVERIFY(w.review->isVisible());
    // The main window's Next >> shows a fresh schedule: the old terms must not stay open.
    w.schedule->show();
    QVERIFY(!w.review->isVisible());
    w.run({"next"});
    QVERIFY(w.review->isVisible() && !w.schedule->isVisible());
    w.previous->show();
    QVERIFY(!w.review->isVisible() && !w.schedule->isVisible());
    w.schedule->show();
    QVERIFY(!w.previous->isVisible() && !w.review->isVisible());
}

QTEST_MAIN(LoanTermsWindowTest)
#include "tst_LoanTermsWindow.moc"
