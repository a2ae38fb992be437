#include "contract/FixedAmount.h"
#include "contract/NumberText.h"

#include <QtTest>

#include <limits>

// Typed money text: which texts are numbers, and what they are worth as a
// four-decimal amount, a double and a count of installments.
class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void numberTest_data();
    void numberTest();
    void amountFromText_data();
    void amountFromText();
    void sumsStayInRange_data();
    void sumsStayInRange();
    void amountAsDouble_data();
    void amountAsDouble();
    void textToDouble_data();
    void textToDouble();
    void textToDoubleIgnoresDesktopLocale();
    void installmentCount_data();
    void installmentCount();
};

void NumberTextTest::numberTest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");

    QTest::newRow("thousands separator and cents") << "1,234.50" << true;
    QTest::newRow("dollar sign") << "$1,234.50" << true;
    QTest::newRow("blanks around") << " 12 " << true;
    QTest::newRow("minus") << "-5" << true;
    QTest::newRow("minus before dollar") << "-$1,234.50" << true;
    QTest::newRow("point without decimals") << "5." << true;
    QTest::newRow("millions grouped") << "1,234,567.89" << true;
    QTest::newRow("many leading zeros") << "000000000000000000001" << true;
    QTest::newRow("largest amount") << "922337203685477.5807" << true;
    QTest::newRow("most negative amount") << "-922337203685477.5808" << true;
    QTest::newRow("half rounding down to even stays in range") << "922337203685477.58065" << true;

    QTest::newRow("empty") << "" << false;
    QTest::newRow("letter after digits") << "12a" << false;
    QTest::newRow("two points") << "1.2.3" << false;
    QTest::newRow("word") << "abc" << false;
    QTest::newRow("lone point") << "." << false;
    QTest::newRow("lone minus") << "-" << false;
    QTest::newRow("dollar then sign") << "$-5" << false;
    QTest::newRow("sign after digits") << "5-" << false;
    QTest::newRow("blank inside") << "1 234" << false;
    QTest::newRow("comma as decimal point") << "12,34" << false;
    QTest::newRow("group of four after comma") << "1,2345" << false;
    QTest::newRow("first group of four") << "1234,567" << false;
    QTest::newRow("leading comma") << ",123" << false;
    QTest::newRow("comma among decimals") << "1,234.5,6" << false;
    QTest::newRow("european grouping") << "1.234,56" << false;
    QTest::newRow("exponent") << "12e3" << false;
    QTest::newRow("full-width digits") << QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92") << false;
    QTest::newRow("arabic-indic digit") << QString::fromUtf8("\xd9\xa3") << false;
    QTest::newRow("one unit above the largest amount") << "922337203685477.5808" << false;
    QTest::newRow("half rounding up to even leaves the range") << "922337203685477.58075" << false;
    QTest::newRow("one unit below the most negative") << "-922337203685477.5809" << false;
    QTest::newRow("sixteen whole digits") << "1000000000000000" << false;
    QTest::newRow("four hundred digits") << QString(400, u'9') << false;
}

void NumberTextTest::numberTest()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QCOMPARE(isNumericText(text), isNumber);
    QCOMPARE(FixedAmount::fromText(text).has_value(), isNumber);
}

void NumberTextTest::amountFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("units");

    QTest::newRow("four decimals kept") << "12.3456" << qint64(123456);
    QTest::newRow("grouped with dollar") << "$1,234.5" << qint64(12345000);
    QTest::newRow("only decimals") << ".5" << qint64(5000);
    QTest::newRow("negative zero") << "-0" << qint64(0);
    QTest::newRow("half to even stays at zero") << "0.00005" << qint64(0);
    QTest::newRow("half to even rounds odd up") << "0.00015" << qint64(2);
    QTest::newRow("half to even keeps even") << "0.00025" << qint64(2);
    QTest::newRow("just above half rounds up") << "0.000050001" << qint64(1);
    QTest::newRow("just below half rounds down") << "2.00004999" << qint64(20000);
    QTest::newRow("negative half to even") << "-0.00015" << qint64(-2);
    QTest::newRow("rounding carries into the whole") << "0.99995" << qint64(10000);
    QTest::newRow("largest") << "922337203685477.5807" << std::numeric_limits<qint64>::max();
    QTest::newRow("most negative") << "-922337203685477.5808" << std::numeric_limits<qint64>::min();
}

void NumberTextTest::amountFromText()
{
    QFETCH(QString, text);
    QFETCH(qint64, units);
    const std::optional<FixedAmount> amount = FixedAmount::fromText(text);
    QVERIFY(amount.has_value());
    QCOMPARE(amount->units(), units);
}

void NumberTextTest::sumsStayInRange_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<qint64>("sum");

    constexpr qint64 max = std::numeric_limits<qint64>::max();
    constexpr qint64 min = std::numeric_limits<qint64>::min();
    QTest::newRow("ordinary") << qint64(10000000) << qint64(1005000) << true << qint64(11005000);
    QTest::newRow("up to the largest") << max - 1 << qint64(1) << true << max;
    QTest::newRow("one past the largest") << max << qint64(1) << false << qint64(0);
    QTest::newRow("largest twice") << max << max << false << qint64(0);
    QTest::newRow("one below the most negative") << min << qint64(-1) << false << qint64(0);
    QTest::newRow("largest and most negative") << max << min << true << qint64(-1);
}

void NumberTextTest::sumsStayInRange()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(bool, fits);
    QFETCH(qint64, sum);
    const std::optional<FixedAmount> result = FixedAmount::fromUnits(a).plus(FixedAmount::fromUnits(b));
    QCOMPARE(result.has_value(), fits);
    if (fits)
        QCOMPARE(result->units(), sum);
}

void NumberTextTest::amountAsDouble_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("decimal");

    QTest::newRow("one unit") << qint64(1) << "0.0001";
    QTest::newRow("cents") << qint64(12345000) << "1234.5";
    QTest::newRow("negative") << qint64(-123456) << "-12.3456";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
    QTest::newRow("just beyond exact doubles") << (qint64(1) << 53) + 3 << "900719925474.0995";
}

void NumberTextTest::amountAsDouble()
{
    QFETCH(qint64, units);
    QFETCH(QString, decimal);
    // The nearest double to the decimal value, not one rounded twice.
    QCOMPARE(FixedAmount::fromUnits(units).toDouble(), decimal.toDouble());
}

void NumberTextTest::textToDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("grouped with cents") << "1,234.50" << true << 1234.5;
    QTest::newRow("dollar and minus") << "-$1,234.50" << true << -1234.5;
    QTest::newRow("nearest double of a tenth") << "0.1" << true << 0.1;
    QTest::newRow("only decimals") << ".25" << true << 0.25;
    QTest::newRow("blanks around") << " 98.00 " << true << 98.0;
    QTest::newRow("beyond the amount range") << "1,000,000,000,000,000,000" << true << 1e18;
    QTest::newRow("beyond a double") << "1" + QString(400, u'0') << false << 0.0;
    QTest::newRow("comma as decimal point") << "12,34" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void NumberTextTest::textToDouble()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> result = ::textToDouble(text);
    QCOMPARE(result.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*result, value);
}

void NumberTextTest::textToDoubleIgnoresDesktopLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::optional<double> value = ::textToDouble("1,234.50");
    QLocale::setDefault(before);
    QVERIFY(value.has_value());
    QCOMPARE(*value, 1234.5);
}

void NumberTextTest::installmentCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isCount");
    QTest::addColumn<int>("count");

    QTest::newRow("eight") << "8" << true << 8;
    QTest::newRow("half rounds to even below") << "2.5" << true << 2;
    QTest::newRow("half rounds to even above") << "3.5" << true << 4;
    QTest::newRow("negative half to even") << "-2.5" << true << -2;
    QTest::newRow("a hair above half") << "2.5000000000000000001" << true << 3;
    QTest::newRow("just below half") << "2.49999" << true << 2;
    QTest::newRow("half rounds to zero") << "0.5" << true << 0;
    QTest::newRow("grouped") << "1,000" << true << 1000;
    QTest::newRow("largest") << "32767" << true << 32767;
    QTest::newRow("rounds down to the largest") << "32767.4" << true << 32767;
    QTest::newRow("half below the largest stays even") << "32766.5" << true << 32766;
    QTest::newRow("most negative") << "-32768" << true << -32768;
    QTest::newRow("half below the most negative stays even") << "-32768.5" << true << -32768;
    QTest::newRow("rounds past the largest") << "32767.5" << false << 0;
    QTest::newRow("below the most negative") << "-32769" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
}

void NumberTextTest::installmentCount()
{
    QFETCH(QString, text);
    QFETCH(bool, isCount);
    QFETCH(int, count);
    const std::optional<std::int16_t> result = textToInt16(text);
    QCOMPARE(result.has_value(), isCount);
    if (isCount)
        QCOMPARE(int(*result), count);
}

QTEST_GUILESS_MAIN(NumberTextTest)
#include "tst_NumberText.moc"
