#include "contract/ContractWindows.h"

// What Next >> of the policy schedule accepts, marks and refuses, the Section 4
// boxes, and what a new contract starts from.
class PolicyScheduleWindowTest : public QObject {
    Q_OBJECT
private slots:
    void nextRefusesUnusableFields_data();
    void nextRefusesUnusableFields();
    void scheduleRules_data();
    void scheduleRules();
    void resetClearsThePreviousContract();
};

namespace {

QStringList yellowFields(const ContractWindows& w)
{
    QStringList yellow;
    for (QLineEdit* field : w.schedule->findChildren<QLineEdit*>())
        if (fieldcolour::of(field) == fieldcolour::kInvalid)
            yellow << field->objectName();
    yellow.sort();
    return yellow;
}

} // namespace

void PolicyScheduleWindowTest::nextRefusesUnusableFields_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("yellow");

    const QString amount = "Amount must be indicated as a number (0.00)";
    const QString inception = "Inception date must be a date (01/01/2008)";
    QTest::newRow("ticked tax left empty") << QStringList{"tick chkTax"} << amount << QStringList{"txtTax"};
    QTest::newRow("every bad amount at once")
        << QStringList{"set txtPremium1_0 x", "set txtPremium3_2 1.2.3", "tick chkOther", "set txtOther o", "set txtPremium2_0 5"}
        << amount << QStringList{"txtOther", "txtPremium1_0", "txtPremium3_2"};
    QTest::newRow("premium beyond what an amount holds") << QStringList{"set txtPremium1_0 1000000000000000"} << amount
                                                         << QStringList{"txtPremium1_0"};
    QTest::newRow("sum beyond what an amount holds")
        << QStringList{"set txtPremium1_0 900000000000000", "set txtPremium1_1 900000000000000"} << amount << QStringList{};
    QTest::newRow("inception not a date")
        << QStringList{"set txtPremium1_0 100", "set txtInception1_1 next week", "set txtInception2_0 01/10/24"}
        << inception << QStringList{"txtInception1_1"};
    QTest::newRow("bad amount and bad inception") << QStringList{"set txtPremium1_0 ten", "set txtInception1_0 soon"}
                                                  << amount << QStringList{"txtInception1_0", "txtPremium1_0"};
}

void PolicyScheduleWindowTest::nextRefusesUnusableFields()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, message);
    QFETCH(QStringList, yellow);

    ContractWindows w;
    CurrentContract& contract = w.session.CurrentContract;
    contract.Section1 = 123;
    contract.EarliestInception = QDate(2020, 2, 2);
    contract.AprKept = false;
    w.run(steps << "next");
    const QStringList expected{"message=" + message, "messages=1", "frmPolicies1=shown", "frmPreview=hidden"};
    QCOMPARE(w.seen(expected), expected);
    QCOMPARE(yellowFields(w), yellow);
    // Nothing of the contract changes.
    QCOMPARE(contract.Section1, 123.0);
    QCOMPARE(contract.EarliestInception, QDate(2020, 2, 2));
    QVERIFY(!contract.AprKept);
}

void PolicyScheduleWindowTest::scheduleRules_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("an emptied yellow premium stays yellow and passes")
        << QStringList{"set txtPremium2_0 abc", "next", "set txtPremium2_0 ", "set txtPremium1_0 100", "next"}
        << QStringList{"txtPremium2_0.colour=yellow", "frmPreview=shown", "messages=1"};
    QTest::newRow("a ticked amount counts") << QStringList{"click chkFees", "set txtFees 25", "next"}
                                            << QStringList{"lblSec4=25.00", "messages=0"};
    QTest::newRow("unticking empties the amount")
        << QStringList{"click chkFees", "set txtFees 25", "click chkFees", "next"}
        << QStringList{"txtFees=", "lblSec4=0.00", "messages=0"};
    QTest::newRow("ticked again, the empty amount is refused")
        << QStringList{"click chkFees", "set txtFees 25", "click chkFees", "click chkFees", "next"}
        << QStringList{"txtFees=", "txtFees.colour=yellow", "messages=1"};
    QTest::newRow("amounts without their box are neither counted nor tested")
        << QStringList{"set txtFees 25", "set txtSurcharge lots", "next"} << QStringList{"lblSec4=0.00", "messages=0"};
    QTest::newRow("clicking an amount ticks its box and whitens it")
        << QStringList{"set txtPremium1_0 bad", "tick chkFees", "tick chkOther", "next", "click txtFees", "click txtTax"}
        << QStringList{"chkFees=checked", "chkTax=checked", "txtFees.colour=white", "txtOther.colour=yellow",
                       "txtPremium1_0.colour=yellow"};
    QTest::newRow("<< Back of a new contract leads to the main window")
        << QStringList{"set txtPolicy1_0 P-1", "caption << Back", "click cmdBack"}
        << QStringList{"frmPolicies1=hidden", "frmAgent=shown", "frmPrevious=hidden", "txtPolicy1_0=P-1"};
    QTest::newRow("<< Previous of a reopened one leads to the list")
        << QStringList{"caption << Previous", "click cmdBack"}
        << QStringList{"frmPolicies1/cmdBack=<< Previous", "frmPolicies1=hidden", "frmAgent=hidden", "frmPrevious=shown"};
    QTest::newRow("close box ends the program") << QStringList{"close frmPolicies1"} << QStringList{"ended=yes"};
    // The previous contract's date (or the zero date) must not reach the next note.
    QTest::newRow("no inception date: due a month from today")
        << QStringList{"set txtInception1_0 12/15/2024", "next", "reset", "next"}
        << QStringList{"dtpFirstInstllmnt=4/14/2025"};
}

void PolicyScheduleWindowTest::scheduleRules()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    ContractWindows w;
    w.run(steps);
    QCOMPARE(w.seen(expected), expected);
}

void PolicyScheduleWindowTest::resetClearsThePreviousContract()
{
    ContractWindows w;
    for (QLineEdit* field : w.schedule->findChildren<QLineEdit*>())
        field->setText("x");
    for (QCheckBox* box : w.schedule->findChildren<QCheckBox*>())
        box->setChecked(true);
    w.run({"next", "set txtLoanAut LA-1"}); // every amount turns yellow
    w.session.CurrentContract.LoanAuthorization = "LA-1";

    w.schedule->Reset();
    QStringList texts;
    for (QLineEdit* field : w.schedule->findChildren<QLineEdit*>())
        texts << field->text();
    QCOMPARE(texts.join(""), QString());
    QCOMPARE(yellowFields(w), QStringList());
    for (QCheckBox* box : w.schedule->findChildren<QCheckBox*>())
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    QCOMPARE(w.session.CurrentContract.LoanAuthorization, QString());

    // The next customer's loan carries nothing over.
    w.run({"set txtPremium1_0 100", "next"});
    const QStringList expected{"lblTotalSections=100.00", "txtLoanAut="};
    QCOMPARE(w.seen(expected), expected);
}

QTEST_MAIN(PolicyScheduleWindowTest)
#include "tst_PolicyScheduleWindow.moc"
