#include "contract/CurrentContract.h"
#include "contract/FormatAmount.h"
#include "contract/LoanTerms.h"

#include <QtTest>

// The first loan terms worked out from the schedule's amounts.
class LoanTermsTest : public QObject {
    Q_OBJECT
private slots:
    void financeCharge_data();
    void financeCharge();
    void firstTerms_data();
    void firstTerms();
    void firstTermsAsShown();
    void refusedSumsLeaveTheContract_data();
    void refusedSumsLeaveTheContract();
    void sumsAtTheEdgeOfTheRange();
};

namespace {

CurrentContract contractWithLeftovers()
{
    CurrentContract contract;
    contract.Section1 = contract.Section2 = contract.Section3 = contract.Section4 = 11;
    contract.TotalSections = contract.Down = contract.Financed = contract.FinCharge = 22;
    contract.Payments = contract.InstallmentAmt = 33;
    contract.InstallmentNum = 12;
    contract.APR = "7.95";
    contract.EarliestInception = QDate(2020, 2, 2);
    contract.LoanAuthorization = "A-1";
    contract.AprKept = false;
    return contract;
}

} // namespace

void LoanTermsTest::financeCharge_data()
{
    QTest::addColumn<double>("financed");
    QTest::addColumn<double>("charge");

    QTest::newRow("small loan") << 2120.0 << 126.0;
    QTest::newRow("one cent below 10000") << 9999.99 << 519.9995;
    QTest::newRow("exactly 10000") << 10000.0 << 420.0;
    QTest::newRow("one cent above 10000") << 10000.01 << 420.0004;
    QTest::newRow("nothing financed") << 0.0 << 20.0;
    QTest::newRow("negative") << -750.0 << -17.5;
}

void LoanTermsTest::financeCharge()
{
    QFETCH(double, financed);
    QFETCH(double, charge);
    QCOMPARE(financeChargeFor(financed), charge);
}

void LoanTermsTest::firstTerms_data()
{
    QTest::addColumn<QStringList>("section1");
    QTest::addColumn<QStringList>("section2");
    QTest::addColumn<QStringList>("section3");
    QTest::addColumn<QStringList>("section4");
    // Section1..4, TotalSections, Down, Financed, FinCharge, Payments, InstallmentAmt
    QTest::addColumn<QList<double>>("terms");

    QTest::newRow("1000 in each section and a tax of 100")
        << QStringList{"1000"} << QStringList{"1000"} << QStringList{"1000"} << QStringList{"100"}
        << QList<double>{1000, 1000, 1000, 100, 3100, 980, 2120, 126, 2246, 280.75};
    QTest::newRow("100 in each section and a tax of 10")
        << QStringList{"100"} << QStringList{"100"} << QStringList{"100"} << QStringList{"10"}
        << QList<double>{100, 100, 100, 10, 310, 98, 212, 30.6, 242.6, 30.325};
    QTest::newRow("amount financed exactly 10000")
        << QStringList{"4000"} << QStringList{"10000"} << QStringList{} << QStringList{}
        << QList<double>{4000, 10000, 0, 0, 14000, 4000, 10000, 420, 10420, 1302.5};
    QTest::newRow("everything empty")
        << QStringList{} << QStringList{} << QStringList{} << QStringList{}
        << QList<double>{0, 0, 0, 0, 0, 0, 0, 20, 20, 2.5};
    QTest::newRow("several rows, typed with dollar and separators")
        << QStringList{"$1,234.50", " 765.50 ", "1000"} << QStringList{"-$100"} << QStringList{}
        << QStringList{"10", "5.25", "0.75", "4"}
        << QList<double>{3000, -100, 0, 20, 2920, 740, 2180, 129, 2309, 288.625};
    QTest::newRow("each premium rounded to four decimals before adding")
        << QStringList{"0.00005", "0.00005", "0.00015", "99.9998"} << QStringList{} << QStringList{}
        << QStringList{} << QList<double>{100, 0, 0, 0, 100, 25, 75, 23.75, 98.75, 12.34375};
    QTest::newRow("only Section 4 is all down payment")
        << QStringList{} << QStringList{} << QStringList{} << QStringList{"100"}
        << QList<double>{0, 0, 0, 100, 100, 100, 0, 20, 20, 2.5};
    QTest::newRow("credits beyond the premiums give no installment")
        << QStringList{"-1000"} << QStringList{} << QStringList{} << QStringList{"100"}
        << QList<double>{-1000, 0, 0, 100, -900, -150, -750, -17.5, -767.5, 0};
}

void LoanTermsTest::firstTerms()
{
    QFETCH(QStringList, section1);
    QFETCH(QStringList, section2);
    QFETCH(QStringList, section3);
    QFETCH(QStringList, section4);
    QFETCH(QList<double>, terms);

    CurrentContract contract = contractWithLeftovers();
    QVERIFY(workOutFirstTerms({section1, section2, section3, section4}, contract));
    const QList<double> worked{contract.Section1, contract.Section2, contract.Section3,
                               contract.Section4, contract.TotalSections, contract.Down,
                               contract.Financed, contract.FinCharge, contract.Payments,
                               contract.InstallmentAmt};
    QCOMPARE(worked, terms);
    QCOMPARE(contract.InstallmentNum, std::int16_t(8));
    QVERIFY(contract.AprKept);
    // Only the terms are worked out; the rest belongs to other steps.
    QCOMPARE(contract.APR, QString("7.95"));
    QCOMPARE(contract.EarliestInception, QDate(2020, 2, 2));
    QCOMPARE(contract.LoanAuthorization, QString("A-1"));
}

void LoanTermsTest::firstTermsAsShown()
{
    // The exact doubles may carry binary noise; what the user sees must not.
    CurrentContract contract;
    QVERIFY(workOutFirstTerms({{"100"}, {"100"}, {"100"}, {"10"}}, contract));
    QCOMPARE(FormatAmount(contract.Down), QString("98.00"));
    QCOMPARE(FormatAmount(contract.Financed), QString("212.00"));
    QCOMPARE(FormatAmount(contract.FinCharge), QString("30.60"));
    QCOMPARE(FormatAmount(contract.Payments), QString("242.60"));
    QCOMPARE(FormatAmount(contract.InstallmentAmt), QString("30.32"));
}

void LoanTermsTest::refusedSumsLeaveTheContract_data()
{
    QTest::addColumn<QStringList>("section1");
    QTest::addColumn<QStringList>("section2");

    QTest::newRow("one section beyond the range")
        << QStringList{"922337203685477.5807", "0.0001"} << QStringList{};
    QTest::newRow("sections fit, grand total does not")
        << QStringList{"900000000000000"} << QStringList{"100000000000000"};
    QTest::newRow("below the most negative")
        << QStringList{"-922337203685477.5808", "-0.0001"} << QStringList{};
    QTest::newRow("a text that is not a number") << QStringList{"12,34"} << QStringList{};
}

void LoanTermsTest::refusedSumsLeaveTheContract()
{
    QFETCH(QStringList, section1);
    QFETCH(QStringList, section2);
    CurrentContract contract = contractWithLeftovers();
    QVERIFY(!workOutFirstTerms({section1, section2, {}, {}}, contract));
    const CurrentContract before = contractWithLeftovers();
    QCOMPARE(contract.Section1, before.Section1);
    QCOMPARE(contract.TotalSections, before.TotalSections);
    QCOMPARE(contract.Down, before.Down);
    QCOMPARE(contract.Payments, before.Payments);
    QCOMPARE(contract.InstallmentNum, before.InstallmentNum);
    QCOMPARE(contract.AprKept, before.AprKept);
}

void LoanTermsTest::sumsAtTheEdgeOfTheRange()
{
    CurrentContract contract;
    QVERIFY(workOutFirstTerms({{"922337203685477.5806", "0.0001"}, {}, {}, {}}, contract));
    QCOMPARE(contract.TotalSections, QString("922337203685477.5807").toDouble());
    QCOMPARE(FormatAmount(contract.TotalSections), QString("922337203685478.00"));

    QVERIFY(workOutFirstTerms({{"-922337203685477.5808"}, {}, {}, {}}, contract));
    QCOMPARE(contract.Section1, -922337203685477.5808);
    QCOMPARE(contract.InstallmentAmt, 0.0);
}

QTEST_GUILESS_MAIN(LoanTermsTest)
#include "tst_LoanTerms.moc"
