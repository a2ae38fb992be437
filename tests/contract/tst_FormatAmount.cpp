#include "contract/FormatAmount.h"

#include <QtTest>

#include <cmath>
#include <limits>

// How amounts are shown: a double as 15-digit text, then cut to two decimals.
class FormatAmountTest : public QObject {
    Q_OBJECT
private slots:
    void doubleAsText_data();
    void doubleAsText();
    void amountText_data();
    void amountText();
    void amount_data();
    void amount();
    void shownValueIsWhatTheUserSees();
};

void FormatAmountTest::doubleAsText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("a hair below 212") << 211.99999999999997 << "212";
    QTest::newRow("a hair above 30.325") << std::nextafter(30.325, 100.0) << "30.325";
    QTest::newRow("sum with binary noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("no thousands separator") << 1234567.891 << "1234567.891";
    QTest::newRow("negative keeps its sign") << -31.728 << "-31.728";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("tiny installment") << 3.05e-7 << "0.000000305";
    QTest::newRow("tiny negative") << -3.05e-7 << "-0.000000305";
    QTest::newRow("huge without exponent") << 1e20 << "100000000000000000000";
    QTest::newRow("sixteen digits rounded to fifteen") << 123456789012345678.0 << "123456789012346000";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "0";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "0";
}

void FormatAmountTest::doubleAsText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numberToText(value), text);
}

void FormatAmountTest::amountText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("empty becomes zero") << "" << "0.00";
    QTest::newRow("whole number") << "212" << "212.00";
    QTest::newRow("one decimal padded") << "242.6" << "242.60";
    QTest::newRow("three decimals cut") << "31.728" << "31.72";
    QTest::newRow("cut, not rounded up") << "30.325" << "30.32";
    QTest::newRow("four decimals cut") << "12.3456" << "12.34";
    QTest::newRow("negative padded") << "-7.5" << "-7.50";
    QTest::newRow("negative cut towards zero") << "-31.728" << "-31.72";
    QTest::newRow("last point counts") << "1.2.345" << "1.2.34";
}

void FormatAmountTest::amountText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(FormatAmountText(text), shown);
}

void FormatAmountTest::amount_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("a hair below 212") << 211.99999999999997 << "212.00";
    QTest::newRow("installment 242.60 / 8") << 30.325 << "30.32";
    QTest::newRow("a hair above 30.325") << std::nextafter(30.325, 100.0) << "30.32";
    QTest::newRow("finance charge of 234.56") << 234.56 * 0.05 + 20 << "31.72";
    QTest::newRow("binary noise below a cent") << 0.1 + 0.2 << "0.30";
    QTest::newRow("negative") << -212.5 << "-212.50";
    QTest::newRow("tiny installment") << 3.05e-7 << "0.00";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "0.00";
}

void FormatAmountTest::amount()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    QCOMPARE(FormatAmount(value), shown);
}

void FormatAmountTest::shownValueIsWhatTheUserSees()
{
    QCOMPARE(shownValue(31.728), 31.72);
    QCOMPARE(shownValue(211.99999999999997), 212.0);
    QCOMPARE(shownValue(-0.005), 0.0);
    QCOMPARE(shownValue(1e20), 1e20);
}

QTEST_GUILESS_MAIN(FormatAmountTest)
#include "tst_FormatAmount.moc"
