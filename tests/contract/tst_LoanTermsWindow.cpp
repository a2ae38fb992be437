#include "contract/ContractWindows.h"
#include "contract/FieldColour.h"
#include "ui/Twips.h"

#include <QTest>

// What the review window shows once Next >> has handed over a schedule, and
// how the terms follow the user's edits.
class LoanTermsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void showsTermsOfSchedule_data();
    void showsTermsOfSchedule();
    void downPaymentEdits_data();
    void downPaymentEdits();
    void financeChargeEdits_data();
    void financeChargeEdits();
    void installmentEdits_data();
    void installmentEdits();
    void aprFollowsTermsChanges_data();
    void aprFollowsTermsChanges();
    void aprKeptAgainForNextContract();
    void personalLoanHasNoApr();
    void firstInstallmentDate_data();
    void firstInstallmentDate();
    void unusableTextIsMarkedAndRefused_data();
    void unusableTextIsMarkedAndRefused();
    void backKeepsTerms();
    void closeBoxEndsProgram();
};

void LoanTermsWindowTest::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("loan authorization caption")
        << "lblLoanAutCaption" << "Loan Authorization # (if required)" << QRect(2820, 240, 3015, 255);
    QTest::newRow("amount financed caption")
        << "lblAmtFinCaption" << "Amount Financed  The amount of credit provided to you or on your behalf."
        << QRect(60, 720, 2175, 1035);
    QTest::newRow("finance charge caption")
        << "lblFinChargeCaption" << "Finance Charge  The dollar amount the credit will cost you."
        << QRect(2340, 720, 1995, 1035);
    QTest::newRow("total of payments caption")
        << "lblTotalPaymentsCaption"
        << "Total of Payments  Amount paid after making all payments as scheduled."
        << QRect(4440, 720, 2235, 1035);
    QTest::newRow("APR caption")
        << "lblAPRCaption" << "Annual Percentage Rate (APR)  The cost of your credit as a yearly rate."
        << QRect(6780, 720, 2055, 1035);
    QTest::newRow("first installment caption")
        << "lblFirstInstallmentCaption" << "First Installment Due    30 Days from Inception."
        << QRect(3480, 2160, 2115, 555);
    QTest::newRow("date picker") << "dtpFirstInstllmnt" << "" << QRect(3600, 2580, 1335, 375);
    QTest::newRow("commercial") << "optCommercial" << "Commercial/Agricultural" << QRect(6300, 2820, 2655, 195);
    QTest::newRow("down payment caption")
        << "lblDownCaption"
        << "Down Payment (25% of Section 1 + 30% of Section 2 + 33% of Section 3 + Section 4)"
        << QRect(4440, 5700, 3675, 555);
    QTest::newRow("down payment") << "txtDown" << "" << QRect(5400, 6120, 1215, 375);
    QTest::newRow("save and print") << "cmdPrint" << "Save / Print" << QRect(4800, 6720, 1215, 495);
}

void LoanTermsWindowTest::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);

    ContractWindows w;
    QCOMPARE(w.review->windowTitle(), QString("Review Totals"));
    QCOMPARE(w.review->size(), ui::twipsSize(8880, 7275));
    auto* widget = w.in<QWidget>(w.review.get(), name);
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        text = button->text();
    QCOMPARE(text, caption);
    if (!twips.isNull())
        QCOMPARE(widget->geometry(), ui::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    auto* picker = w.in<QDateEdit>(w.review.get(), "dtpFirstInstllmnt");
    QVERIFY(picker->calendarPopup());
    QCOMPARE(picker->displayFormat(), QString("M/d/yyyy"));
}

void LoanTermsWindowTest::showsTermsOfSchedule_data()
{
    QTest::addColumn<QStringList>("premiums"); // Sections 1, 2, 3 and a ticked tax
    QTest::addColumn<QStringList>("sections"); // lblSec1..4, lblTotalSections
    QTest::addColumn<QStringList>("terms");    // txtDown, lblAmtFin, txtFinCharge, lblTotalPayments, lblAmtInstall
    QTest::addColumn<QString>("apr");

    QTest::newRow("one hundred in each section and a ticked tax")
        << QStringList{"100", "100", "100", "10"}
        << QStringList{"100.00", "100.00", "100.00", "10.00", "310.00"}
        << QStringList{"98.00", "212.00", "30.60", "242.60", "30.32"} << "10.50";
    QTest::newRow("one thousand in each section and a ticked tax")
        << QStringList{"1000", "1000", "1000", "100"}
        << QStringList{"1000.00", "1000.00", "1000.00", "100.00", "3100.00"}
        << QStringList{"980.00", "2120.00", "126.00", "2246.00", "280.75"} << "10.50";
    QTest::newRow("finance charge with three decimals is cut")
        << QStringList{"0.08", "335", "", ""}
        << QStringList{"0.08", "335.00", "0.00", "0.00", "335.08"}
        << QStringList{"100.52", "234.56", "31.72", "266.28", "33.28"} << "10.50";
    QTest::newRow("exactly 10000 financed takes 4 % but the higher rate")
        << QStringList{"12008", "1420", "", ""}
        << QStringList{"12008.00", "1420.00", "0.00", "0.00", "13428.00"}
        << QStringList{"3428.00", "10000.00", "420.00", "10420.00", "1302.50"} << "10.50";
    QTest::newRow("one cent above 10000 takes 4 % and the lower rate")
        << QStringList{"12008.06", "1419.95", "", ""}
        << QStringList{"12008.06", "1419.95", "0.00", "0.00", "13428.01"}
        << QStringList{"3428.00", "10000.01", "420.00", "10420.01", "1302.50"} << "7.95";
    QTest::newRow("premiums typed with dollar sign and thousands separator")
        << QStringList{"$1,000.00", "1,000", "", ""}
        << QStringList{"1000.00", "1000.00", "0.00", "0.00", "2000.00"}
        << QStringList{"550.00", "1450.00", "92.50", "1542.50", "192.81"} << "10.50";
}

void LoanTermsWindowTest::showsTermsOfSchedule()
{
    QFETCH(QStringList, premiums);
    QFETCH(QStringList, sections);
    QFETCH(QStringList, terms);
    QFETCH(QString, apr);

    ContractWindows w;
    w.fillSchedule(premiums[0], premiums[1], premiums[2], premiums[3]);
    w.clickNext();

    QVERIFY(w.messages.shown.isEmpty());
    QVERIFY(!w.schedule->isVisible());
    QVERIFY(w.review->isVisible());
    const QStringList sectionLabels{"lblSec1", "lblSec2", "lblSec3", "lblSec4", "lblTotalSections"};
    for (int i = 0; i < sectionLabels.size(); ++i)
        QCOMPARE(w.shown(sectionLabels[i]), sections[i]);
    const QStringList termControls{"txtDown", "lblAmtFin", "txtFinCharge", "lblTotalPayments", "lblAmtInstall"};
    for (int i = 0; i < termControls.size(); ++i)
        QCOMPARE(w.shown(termControls[i]), terms[i]);
    QCOMPARE(w.shown("txtNumInstall"), QString("8"));
    QCOMPARE(w.shown("lblAPR"), apr);
    QCOMPARE(w.session.CurrentContract.APR, apr);
}

void LoanTermsWindowTest::downPaymentEdits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leave");
    QTest::addColumn<QStringList>("terms"); // txtDown, lblAmtFin, txtFinCharge, lblTotalPayments, lblAmtInstall

    QTest::newRow("down payment of 100.00")
        << "100.00" << false << QStringList{"100.00", "210.00", "30.50", "240.50", "30.06"};
    QTest::newRow("whole number is put in two-decimal form on leaving")
        << "100" << true << QStringList{"100.00", "210.00", "30.50", "240.50", "30.06"};
    QTest::newRow("three decimals are cut on leaving")
        << "100.999" << true << QStringList{"100.99", "209.01", "30.45", "239.46", "29.93"};
    QTest::newRow("emptied and left becomes zero")
        << "" << true << QStringList{"0.00", "310.00", "35.50", "345.50", "43.18"};
    QTest::newRow("emptied while typing changes nothing")
        << "" << false << QStringList{"", "212.00", "30.60", "242.60", "30.32"};
    QTest::newRow("down payment above the grand total")
        << "400" << true << QStringList{"400.00", "-90.00", "15.50", "-74.50", "-9.31"};
}

void LoanTermsWindowTest::downPaymentEdits()
{
    QFETCH(QString, typed);
    QFETCH(bool, leave);
    QFETCH(QStringList, terms);

    ContractWindows w;
    w.fillSchedule("100", "100", "100", "10");
    w.clickNext();
    QLineEdit* down = w.reviewField("txtDown");
    ContractWindows::type(down, typed);
    if (leave)
        ContractWindows::leave(down);

    const QStringList termControls{"txtDown", "lblAmtFin", "txtFinCharge", "lblTotalPayments", "lblAmtInstall"};
    for (int i = 0; i < termControls.size(); ++i)
        QCOMPARE(w.shown(termControls[i]), terms[i]);
    QCOMPARE(fieldcolour::of(down), fieldcolour::kValid);
}

void LoanTermsWindowTest::financeChargeEdits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leave");
    QTest::addColumn<QStringList>("terms"); // txtFinCharge, lblTotalPayments, lblAmtInstall, lblAmtFin

    // Rewriting the field under the caret would turn a typed 35 into 53.00.
    QTest::newRow("typed key by key stays as typed")
        << "35" << false << QStringList{"35", "247.00", "30.87", "212.00"};
    QTest::newRow("put in two-decimal form on leaving")
        << "35" << true << QStringList{"35.00", "247.00", "30.87", "212.00"};
    QTest::newRow("three decimals are cut on leaving")
        << "35.678" << true << QStringList{"35.67", "247.67", "30.95", "212.00"};
    QTest::newRow("emptied and left becomes zero")
        << "" << true << QStringList{"0.00", "212.00", "26.50", "212.00"};
}

void LoanTermsWindowTest::financeChargeEdits()
{
    QFETCH(QString, typed);
    QFETCH(bool, leave);
    QFETCH(QStringList, terms);

    ContractWindows w;
    w.fillSchedule("100", "100", "100", "10");
    w.clickNext();
    QLineEdit* charge = w.reviewField("txtFinCharge");
    ContractWindows::type(charge, typed);
    if (leave)
        ContractWindows::leave(charge);

    const QStringList controls{"txtFinCharge", "lblTotalPayments", "lblAmtInstall", "lblAmtFin"};
    for (int i = 0; i < controls.size(); ++i)
        QCOMPARE(w.shown(controls[i]), terms[i]);
}

void LoanTermsWindowTest::installmentEdits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("installment");

    QTest::newRow("ten installments") << "10" << "24.26";
    QTest::newRow("one installment") << "1" << "242.60";
    QTest::newRow("half rounds to even") << "2.5" << "121.30";
    QTest::newRow("largest number") << "32767" << "0.00";
}

void LoanTermsWindowTest::installmentEdits()
{
    QFETCH(QString, typed);
    QFETCH(QString, installment);

    ContractWindows w;
    w.fillSchedule("100", "100", "100", "10");
    w.clickNext();
    ContractWindows::type(w.reviewField("txtNumInstall"), typed);
    QCOMPARE(w.shown("lblAmtInstall"), installment);
    QCOMPARE(w.shown("lblTotalPayments"), QString("242.60"));
}

void LoanTermsWindowTest::aprFollowsTermsChanges_data()
{
    // Steps: "type <field> <text>" types key by key, "leave <field>" moves on.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("apr");

    QTest::newRow("leaving both fields untouched keeps the rate")
        << QStringList{"leave txtFinCharge", "leave txtNumInstall"} << "10.50";
    QTest::newRow("ten installments not yet left keep the rate")
        << QStringList{"type txtNumInstall 10"} << "10.50";
    QTest::newRow("ten installments left empty the rate")
        << QStringList{"type txtNumInstall 10", "leave txtNumInstall"} << "";
    QTest::newRow("ten and back to eight keeps the rate")
        << QStringList{"type txtNumInstall 10", "type txtNumInstall 8", "leave txtNumInstall"} << "10.50";
    QTest::newRow("changed finance charge left empties the rate")
        << QStringList{"type txtFinCharge 50", "leave txtFinCharge"} << "";
    QTest::newRow("changed down payment alone keeps the rate")
        << QStringList{"type txtDown 100.00", "leave txtDown"} << "10.50";
    QTest::newRow("changed down payment changed the charge shown")
        << QStringList{"type txtDown 100.00", "leave txtDown", "leave txtNumInstall"} << "";
    QTest::newRow("once emptied the rate stays empty for the contract")
        << QStringList{"type txtFinCharge 50", "leave txtFinCharge", "type txtFinCharge 30.60",
                       "leave txtFinCharge"}
        << "";
}

void LoanTermsWindowTest::aprFollowsTermsChanges()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, apr);

    ContractWindows w;
    w.fillSchedule("100", "100", "100", "10");
    w.clickNext();
    for (const QString& step : steps) {
        const QStringList words = step.split(' ');
        QLineEdit* field = w.reviewField(words[1]);
        if (words[0] == "type")
            ContractWindows::type(field, words[2]);
        else
            ContractWindows::leave(field);
    }
    QCOMPARE(w.shown("lblAPR"), apr);
    QCOMPARE(w.session.CurrentContract.APR, apr);
}

void LoanTermsWindowTest::aprKeptAgainForNextContract()
{
    // One edited contract must not strip the rate from the notes that follow it.
    ContractWindows w;
    w.fillSchedule("100", "100", "100", "10");
    w.clickNext();
    ContractWindows::type(w.reviewField("txtFinCharge"), "50");
    ContractWindows::leave(w.reviewField("txtFinCharge"));
    QCOMPARE(w.shown("lblAPR"), QString());

    QTest::mouseClick(w.in<QPushButton>(w.review.get(), "cmdBack"), Qt::LeftButton);
    QVERIFY(w.schedule->isVisible());
    w.schedule->Reset();
    w.fillSchedule("1000", "1000", "1000", "100");
    w.clickNext();
    QCOMPARE(w.shown("lblAPR"), QString("10.50"));
    ContractWindows::leave(w.reviewField("txtFinCharge"));
    QCOMPARE(w.shown("lblAPR"), QString("10.50"));
}

void LoanTermsWindowTest::personalLoanHasNoApr()
{
    ContractWindows w;
    auto* personal = w.main->findChild<QRadioButton*>("optPersonal");
    if (!personal)
        QSKIP("the main window's classification buttons are not built in this tree");
    personal->setChecked(true);
    w.fillSchedule("20000", "", "");
    w.clickNext();
    QVERIFY(w.in<QRadioButton>(w.review.get(), "optPersonal")->isChecked());
    QVERIFY(!w.in<QRadioButton>(w.review.get(), "optCommercial")->isChecked());
    QCOMPARE(w.shown("lblAPR"), QString());
    QCOMPARE(w.shown("lblAmtFin"), QString("15000.00"));
}

void LoanTermsWindowTest::firstInstallmentDate_data()
{
    QTest::addColumn<QStringList>("inceptions"); // Section 1, 2 and 3 first rows
    QTest::addColumn<QDate>("due");

    QTest::newRow("December rolls into January")
        << QStringList{"12/15/2024", "", ""} << QDate(2025, 1, 15);
    QTest::newRow("March to April") << QStringList{"03/10/2024", "", ""} << QDate(2024, 4, 10);
    QTest::newRow("earliest of three sections")
        << QStringList{"01/10/24", "03/15/24", "02/01/24"} << QDate(2024, 2, 10);
    QTest::newRow("earliest in Section 3") << QStringList{"05/05/24", "", "04/01/24"} << QDate(2024, 5, 1);
    QTest::newRow("six digits read as month, day, year")
        << QStringList{"070424", "", ""} << QDate(2024, 8, 4);
    QTest::newRow("January 31 gives the last of February")
        << QStringList{"1/31/2024", "", ""} << QDate(2024, 2, 29);
}

void LoanTermsWindowTest::firstInstallmentDate()
{
    QFETCH(QStringList, inceptions);
    QFETCH(QDate, due);

    ContractWindows w;
    w.fillSchedule("100", "100", "100");
    w.field("txtInception1_0")->setText(inceptions[0]);
    w.field("txtInception2_0")->setText(inceptions[1]);
    w.field("txtInception3_0")->setText(inceptions[2]);
    w.clickNext();
    QCOMPARE(w.in<QDateEdit>(w.review.get(), "dtpFirstInstllmnt")->date(), due);
    QCOMPARE(w.field("txtInception1_0")->text(), inceptions[0]);
}

void LoanTermsWindowTest::unusableTextIsMarkedAndRefused_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    const QString amount = "Amount must be indicated as a number (0.00)";
    const QString installments = "Number of Installments must be a whole number greater than 0.";
    QTest::newRow("down payment in words") << "txtDown" << "ninety" << amount;
    QTest::newRow("finance charge with two points") << "txtFinCharge" << "1.2.3" << amount;
    QTest::newRow("no installments") << "txtNumInstall" << "0" << installments;
    QTest::newRow("installments left empty") << "txtNumInstall" << "" << installments;
    QTest::newRow("negative installments") << "txtNumInstall" << "-3" << installments;
    QTest::newRow("installments beyond the largest") << "txtNumInstall" << "32768" << installments;
    QTest::newRow("installments in words") << "txtNumInstall" << "ten" << installments;
}

void LoanTermsWindowTest::unusableTextIsMarkedAndRefused()
{
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(QString, message);

    ContractWindows w;
    w.fillSchedule("100", "100", "100", "10");
    w.clickNext();
    QLineEdit* field = w.reviewField(control);
    field->setText(typed); // pasted in one go
    ContractWindows::leave(field);

    QCOMPARE(fieldcolour::of(field), fieldcolour::kInvalid);
    // The dependent terms keep their last values.
    QCOMPARE(w.shown("lblAmtFin"), QString("212.00"));
    QCOMPARE(w.shown("lblTotalPayments"), QString("242.60"));
    QCOMPARE(w.shown("lblAmtInstall"), QString("30.32"));

    w.clickSavePrint();
    QCOMPARE(w.messages.shown.size(), 1);
    QCOMPARE(w.messages.last().text, message);
    QCOMPARE(w.messages.last().icon, ui::MessageIcon::Critical);
    QCOMPARE(w.messages.last().title, QString("QUILLON"));
    QVERIFY(w.review->isVisible());
    QCOMPARE(w.storedRows().size(), 0);

    // Corrected, the field is white again and the contract can be saved.
    ContractWindows::type(field, control == "txtNumInstall" ? "8" : "30.60");
    QCOMPARE(fieldcolour::of(field), fieldcolour::kValid);
    w.clickSavePrint();
    QCOMPARE(w.messages.shown.size(), 1);
    QCOMPARE(w.storedRows().size(), 1);
}

void LoanTermsWindowTest::backKeepsTerms()
{
    ContractWindows w;
    w.fillSchedule("100", "100", "100", "10");
    w.clickNext();
    ContractWindows::type(w.reviewField("txtDown"), "100.00");
    QTest::mouseClick(w.in<QPushButton>(w.review.get(), "cmdBack"), Qt::LeftButton);
    QVERIFY(!w.review->isVisible());
    QVERIFY(w.schedule->isVisible());
    QCOMPARE(w.storedRows().size(), 0);

    // Next >> again works the terms out afresh from the schedule.
    w.clickNext();
    QCOMPARE(w.shown("txtDown"), QString("98.00"));
    QCOMPARE(w.shown("lblAmtFin"), QString("212.00"));
    QCOMPARE(w.shown("lblAmtInstall"), QString("30.32"));
}

void LoanTermsWindowTest::closeBoxEndsProgram()
{
    ContractWindows w;
    w.clickNext();
    QVERIFY(w.review->close());
    QVERIFY(w.session.ended);
    QCOMPARE(w.storedRows().size(), 0);
}

QTEST_MAIN(LoanTermsWindowTest)
#include "tst_LoanTermsWindow.moc"
