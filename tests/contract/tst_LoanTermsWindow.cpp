#include "contract/ContractWindows.h"

// The loan terms the review window shows once Next >> has handed over a
// schedule, and how they follow the user's edits.
class LoanTermsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void termsFollowTheUser_data();
    void termsFollowTheUser();
    void datePicker();
};

namespace {

// One premium in the first row of Sections 1 to 3 (empty skips) and a ticked tax, then Next >>.
QStringList next(const QString& s1, const QString& s2 = {}, const QString& s3 = {}, const QString& tax = {})
{
    QStringList steps{"set txtPremium1_0 " + s1, "set txtPremium2_0 " + s2, "set txtPremium3_0 " + s3};
    if (!tax.isEmpty())
        steps << "tick chkTax" << "set txtTax " + tax;
    return steps << "next";
}

// "a|b|c" as expected values of the named controls, in order.
QStringList zip(const QStringList& names, const QString& values)
{
    QStringList entries;
    const QStringList split = values.split('|');
    for (int i = 0; i < split.size(); ++i)
        entries << names[i] + '=' + split[i];
    return entries;
}
QStringList terms(const QString& values)
{
    return zip({"txtDown", "lblAmtFin", "txtFinCharge", "lblTotalPayments", "lblAmtInstall", "lblAPR"}, values);
}
QStringList sections(const QString& values)
{
    return zip({"lblSec1", "lblSec2", "lblSec3", "lblSec4", "lblTotalSections"}, values);
}

} // namespace

void LoanTermsWindowTest::termsFollowTheUser_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    const QStringList hundred = next("100", "100", "100", "10");
    const QString amount = "message=Amount must be indicated as a number (0.00)";
    const QString count = "message=Number of Installments must be a whole number greater than 0.";
    const QStringList refused{"messages=1", "frmPreview=shown", "rows=0", "lblAmtFin=212.00",
                              "lblTotalPayments=242.60", "lblAmtInstall=30.32"};

    QTest::newRow("100 in each section and a tax of 10")
        << hundred << sections("100.00|100.00|100.00|10.00|310.00") + terms("98.00|212.00|30.60|242.60|30.32|10.50")
                          + QStringList{"txtNumInstall=8", "frmPolicies1=hidden", "messages=0"};
    QTest::newRow("1000 in each section and a tax of 100")
        << next("1000", "1000", "1000", "100")
        << sections("1000.00|1000.00|1000.00|100.00|3100.00") + terms("980.00|2120.00|126.00|2246.00|280.75|10.50");
    QTest::newRow("amount financed 234.56, finance charge cut") << next("0.08", "335")
                                                                << terms("100.52|234.56|31.72|266.28|33.28|10.50");
    QTest::newRow("exactly 10000 financed: 4 % and the higher rate")
        << next("12008", "1420") << terms("3428.00|10000.00|420.00|10420.00|1302.50|10.50");
    QTest::newRow("10000.01 financed: 4 % and the lower rate")
        << next("12008.06", "1419.95") << terms("3428.00|10000.01|420.00|10420.01|1302.50|7.95");
    QTest::newRow("credits beyond the premiums: no finance charge")
        << next("-1000", "", "", "100") << terms("-150.00|-750.00|0.00|-750.00");
    QTest::newRow("personal loan has no rate")
        << QStringList{"tick frmAgent/optPersonal"} + next("20000")
        << QStringList{"lblAPR=", "lblAmtFin=15000.00", "optPersonal=checked", "optCommercial=unchecked"};

    QTest::newRow("down payment of 100.00") << hundred + QStringList{"type txtDown 100.00"}
                                            << terms("100.00|210.00|30.50|240.50|30.06") + QStringList{"txtDown.colour=white"};
    QTest::newRow("down payment cut on leaving") << hundred + QStringList{"type txtDown 100.999", "leave txtDown"}
                                                 << terms("100.99|209.01|30.45|239.46|29.93");
    QTest::newRow("down payment emptied and left is zero") << hundred + QStringList{"type txtDown ", "leave txtDown"}
                                                           << terms("0.00|310.00|35.50|345.50|43.18");
    QTest::newRow("down payment emptied while typing changes nothing") << hundred + QStringList{"type txtDown "}
                                                                       << terms("|212.00|30.60|242.60|30.32");
    QTest::newRow("down payment above the grand total") << hundred + QStringList{"type txtDown 400", "leave txtDown"}
                                                        << terms("400.00|-90.00|0.00|-90.00|-11.25");

    // Rewriting the field under the caret would turn a typed 35 into 53.00.
    QTest::newRow("finance charge stays as typed") << hundred + QStringList{"type txtFinCharge 35"}
                                                   << terms("98.00|212.00|35|247.00|30.87");
    QTest::newRow("finance charge left in two-decimal form")
        << hundred + QStringList{"type txtFinCharge 35.678", "leave txtFinCharge"} << terms("98.00|212.00|35.67|247.67|30.95");
    QTest::newRow("ten installments") << hundred + QStringList{"type txtNumInstall 10"}
                                      << QStringList{"lblAmtInstall=24.26", "lblTotalPayments=242.60"};
    QTest::newRow("installments changed but not left keep the rate")
        << hundred + QStringList{"type txtNumInstall 10"} << QStringList{"lblAPR=10.50"};
    QTest::newRow("installments changed and left empty the rate")
        << hundred + QStringList{"type txtNumInstall 10", "leave txtNumInstall"} << QStringList{"lblAPR="};
    QTest::newRow("installments changed back keep the rate")
        << hundred + QStringList{"type txtNumInstall 10", "type txtNumInstall 8", "leave txtNumInstall"}
        << QStringList{"lblAPR=10.50"};
    QTest::newRow("down payment alone keeps the rate")
        << hundred + QStringList{"type txtDown 100.00", "leave txtDown"} << QStringList{"lblAPR=10.50"};
    QTest::newRow("down payment changed the charge shown")
        << hundred + QStringList{"type txtDown 100.00", "leave txtDown", "leave txtNumInstall"} << QStringList{"lblAPR="};
    QTest::newRow("once emptied the rate stays empty for the contract")
        << hundred + QStringList{"type txtFinCharge 50", "leave txtFinCharge", "type txtFinCharge 30.60", "leave txtFinCharge"}
        << QStringList{"lblAPR="};
    // One edited contract must not strip the rate from the notes that follow it.
    QTest::newRow("the next contract has its rate again")
        << hundred + QStringList{"type txtFinCharge 50", "leave txtFinCharge", "click cmdBack", "reset"}
               + next("1000", "1000", "1000", "100") + QStringList{"leave txtFinCharge"}
        << QStringList{"lblAPR=10.50"};

    QTest::newRow("<< Back keeps the schedule and stores nothing")
        << hundred + QStringList{"type txtDown 100.00", "click cmdBack"}
        << QStringList{"frmPreview=hidden", "frmPolicies1=shown", "rows=0", "txtPremium1_0=100"};
    QTest::newRow("Next >> again works the terms out afresh")
        << hundred + QStringList{"type txtDown 100.00", "click cmdBack", "next"} << terms("98.00|212.00|30.60|242.60|30.32");
    QTest::newRow("close box ends the program")
        << hundred + QStringList{"close frmPreview"} << QStringList{"ended=yes", "rows=0"};

    QTest::newRow("December inception rolls into January")
        << QStringList{"set txtInception1_0 12/15/2024"} + hundred << QStringList{"dtpFirstInstllmnt=1/15/2025"};
    QTest::newRow("earliest inception of three sections, left as typed")
        << QStringList{"set txtInception1_0 05/05/24", "set txtInception2_0 060124", "set txtInception3_0 04/01/24"}
               + hundred
        << QStringList{"dtpFirstInstllmnt=5/1/2024", "txtInception2_0=060124"};
    QTest::newRow("down payment in words is refused")
        << hundred + QStringList{"set txtDown ninety", "leave txtDown", "save"}
        << refused + QStringList{amount, "txtDown.colour=yellow"};
    QTest::newRow("finance charge with two points is refused")
        << hundred + QStringList{"set txtFinCharge 1.2.3", "leave txtFinCharge", "save"}
        << refused + QStringList{amount, "txtFinCharge.colour=yellow"};
    for (const char* typed : {"0", "", "32768"})
        QTest::addRow("installments \"%s\" refused", typed)
            << hundred + QStringList{"set txtNumInstall " + QString(typed), "leave txtNumInstall", "save"}
            << refused + QStringList{count, "txtNumInstall.colour=yellow"};
    QTest::newRow("corrected, the field is white again and saves")
        << hundred + QStringList{"set txtNumInstall 0", "leave txtNumInstall", "save", "type txtNumInstall 8", "save"}
        << QStringList{"txtNumInstall.colour=white", "messages=1", "rows=1"};
}

void LoanTermsWindowTest::termsFollowTheUser()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    ContractWindows w;
    w.run(steps);
    QCOMPARE(w.seen(expected), expected);
}

void LoanTermsWindowTest::datePicker()
{
    ContractWindows w;
    auto* picker = w.in<QDateEdit>(w.review.get(), "dtpFirstInstllmnt");
    QVERIFY(picker->calendarPopup());
    QCOMPARE(picker->displayFormat(), QString("M/d/yyyy"));
}

QTEST_MAIN(LoanTermsWindowTest)
#include "tst_LoanTermsWindow.moc"
