#include "contract/DateText.h"
#include "contract/FixedAmount.h"
#include "contract/FormatAmount.h"
#include "contract/NumberText.h"

#include <QtTest>

#include <cmath>
#include <limits>

// What typed money and date texts are worth, and how amounts are shown.
class TypedValuesTest : public QObject {
    Q_OBJECT
private slots:
    void amountText_data();
    void amountText();
    void sumsStayInRange();
    void textToDouble_data();
    void textToDouble();
    void installmentCount_data();
    void installmentCount();
    void formatAmount_data();
    void formatAmount();
    void formatAmountText_data();
    void formatAmountText();
    void readDate_data();
    void readDate();
    void firstInstallment_data();
    void firstInstallment();
    void usForms();
};

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max(), kMin = std::numeric_limits<qint64>::min();
}

void TypedValuesTest::amountText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("units"); // ten-thousandths, or "no" for not a number

    QTest::newRow("thousands separator and cents") << "1,234.50" << "12345000";
    QTest::newRow("dollar sign") << "$1,234.50" << "12345000";
    QTest::newRow("blanks around") << " 12 " << "120000";
    QTest::newRow("minus") << "-5" << "-50000";
    QTest::newRow("minus before dollar") << "-$1,234.5" << "-12345000";
    QTest::newRow("point without decimals") << "5." << "50000";
    QTest::newRow("only decimals") << ".5" << "5000";
    QTest::newRow("half to even stays at zero") << "0.00005" << "0";
    QTest::newRow("half to even rounds odd up") << "0.00015" << "2";
    QTest::newRow("half to even keeps even") << "0.00025" << "2";
    QTest::newRow("just above half rounds up") << "0.000050001" << "1";
    QTest::newRow("negative half to even") << "-0.00015" << "-2";
    QTest::newRow("rounding carries into the whole") << "0.99995" << "10000";
    QTest::newRow("beyond exact doubles") << "900719925474.0995" << QString::number((qint64(1) << 53) + 3);
    QTest::newRow("largest") << "922337203685477.5807" << QString::number(kMax);
    QTest::newRow("most negative") << "-922337203685477.5808" << QString::number(kMin);
    QTest::newRow("half rounding down to even stays in range") << "922337203685477.58065" << QString::number(kMax - 1);
    QTest::newRow("one unit above the largest") << "922337203685477.5808" << "no";
    QTest::newRow("half rounding up leaves the range") << "922337203685477.58075" << "no";
    QTest::newRow("one unit below the most negative") << "-922337203685477.5809" << "no";
    QTest::newRow("four hundred digits") << QString(400, u'9') << "no";
    QTest::newRow("empty") << "" << "no";
    QTest::newRow("letter after digits") << "12a" << "no";
    QTest::newRow("two points") << "1.2.3" << "no";
    QTest::newRow("word") << "abc" << "no";
    QTest::newRow("lone point") << "." << "no";
    QTest::newRow("lone minus") << "-" << "no";
    QTest::newRow("dollar then sign") << "$-5" << "no";
    QTest::newRow("blank inside") << "1 234" << "no";
    QTest::newRow("comma as decimal point") << "12,34" << "no";
    QTest::newRow("group of four after comma") << "1,2345" << "no";
    QTest::newRow("exponent") << "12e3" << "no";
    QTest::newRow("full-width digits") << QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92") << "no";
}

void TypedValuesTest::amountText()
{
    QFETCH(QString, text);
    QFETCH(QString, units);
    const std::optional<FixedAmount> amount = FixedAmount::fromText(text);
    QCOMPARE(isNumericText(text), units != "no");
    QCOMPARE(amount ? QString::number(amount->units()) : "no", units);
    if (amount) // the nearest double to the four-decimal value, not one rounded twice
        QCOMPARE(amount->toDouble(), (units + "e-4").toDouble());
}

void TypedValuesTest::sumsStayInRange()
{
    QCOMPARE(FixedAmount::fromUnits(kMax - 1).plus(FixedAmount::fromUnits(1)).value_or(FixedAmount()).units(), kMax);
    QCOMPARE(FixedAmount::fromUnits(kMax).plus(FixedAmount::fromUnits(kMin)).value_or(FixedAmount()).units(), -1);
    QVERIFY(!FixedAmount::fromUnits(kMax).plus(FixedAmount::fromUnits(1)));
    QVERIFY(!FixedAmount::fromUnits(kMin).plus(FixedAmount::fromUnits(-1)));
}

void TypedValuesTest::textToDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value"); // "no" for not a number

    QTest::newRow("grouped with dollar and minus") << "-$1,234.50" << "-1234.5";
    QTest::newRow("nearest double of a tenth") << "0.1" << "0.1";
    QTest::newRow("beyond the amount range") << "1,000,000,000,000,000,000" << "1e18";
    QTest::newRow("beyond a double") << "1" + QString(400, u'0') << "no";
    QTest::newRow("comma as decimal point") << "12,34" << "no";
}

void TypedValuesTest::textToDouble()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    // The desktop's language must not change how money is read.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::optional<double> result = ::textToDouble(text);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(result.has_value(), value != "no");
    if (result)
        QCOMPARE(*result, value.toDouble());
}

void TypedValuesTest::installmentCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("count"); // "no" for not a 16-bit whole number

    QTest::newRow("eight") << "8" << "8";
    QTest::newRow("half rounds to even below") << "2.5" << "2";
    QTest::newRow("half rounds to even above") << "3.5" << "4";
    QTest::newRow("negative half to even") << "-2.5" << "-2";
    QTest::newRow("a hair above half") << "2.5000000000000000001" << "3";
    QTest::newRow("grouped") << "1,000" << "1000";
    QTest::newRow("rounds down to the largest") << "32767.4" << "32767";
    QTest::newRow("rounds past the largest") << "32767.5" << "no";
    QTest::newRow("half below the most negative stays even") << "-32768.5" << "-32768";
    QTest::newRow("below the most negative") << "-32769" << "no";
    QTest::newRow("empty") << "" << "no";
}

void TypedValuesTest::installmentCount()
{
    QFETCH(QString, text);
    QFETCH(QString, count);
    const std::optional<std::int16_t> result = textToInt16(text);
    QCOMPARE(result ? QString::number(*result) : "no", count);
}

void TypedValuesTest::formatAmount_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");  // 15 significant digits, shortest, no exponent
    QTest::addColumn<QString>("shown"); // cut, never rounded, to two decimals

    QTest::newRow("a hair below 212") << 211.99999999999997 << "212" << "212.00";
    QTest::newRow("installment of 242.60 / 8") << 30.325 << "30.325" << "30.32";
    QTest::newRow("a hair above 30.325") << std::nextafter(30.325, 100.0) << "30.325" << "30.32";
    QTest::newRow("finance charge of 234.56") << 234.56 * 0.05 + 20 << "31.728" << "31.72";
    QTest::newRow("binary noise below a cent") << 0.1 + 0.2 << "0.3" << "0.30";
    QTest::newRow("negative keeps its sign") << -212.5 << "-212.5" << "-212.50";
    QTest::newRow("negative zero") << -0.0 << "0" << "0.00";
    QTest::newRow("tiny installment") << 3.05e-7 << "0.000000305" << "0.00";
    QTest::newRow("huge, no exponent") << 1e20 << "100000000000000000000" << "100000000000000000000.00";
    QTest::newRow("sixteen digits rounded to fifteen") << 123456789012345678.0 << "123456789012346000"
                                                       << "123456789012346000.00";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "0" << "0.00";
}

void TypedValuesTest::formatAmount()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(numberToText(value), text);
    QCOMPARE(FormatAmount(value), shown);
    QCOMPARE(shownValue(value), shown.toDouble()); // later terms are built from what is shown
}

void TypedValuesTest::formatAmountText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("empty becomes zero") << "" << "0.00";
    QTest::newRow("one decimal padded") << "242.6" << "242.60";
    QTest::newRow("four decimals cut") << "12.3456" << "12.34";
    QTest::newRow("negative cut towards zero") << "-31.728" << "-31.72";
}

void TypedValuesTest::formatAmountText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(FormatAmountText(text), shown);
}

void TypedValuesTest::readDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // invalid: not a date

    QTest::newRow("slashes, four-digit year") << "01/10/2024" << QDate(2024, 1, 10);
    QTest::newRow("slashes, two-digit year") << "12/15/24" << QDate(2024, 12, 15);
    QTest::newRow("dashes, one-digit month") << "3-10-24" << QDate(2024, 3, 10);
    QTest::newRow("six digits") << "011024" << QDate(2024, 1, 10);
    QTest::newRow("year first") << "2024-03-10" << QDate(2024, 3, 10);
    QTest::newRow("blanks around") << " 1/5/24 " << QDate(2024, 1, 5);
    QTest::newRow("year 29 is 2029") << "1/1/29" << QDate(2029, 1, 1);
    QTest::newRow("year 30 is 1930") << "1/1/30" << QDate(1930, 1, 1);
    QTest::newRow("leap day in 2000") << "022900" << QDate(2000, 2, 29);
    QTest::newRow("leap day in a common year") << "2/29/2023" << QDate();
    QTest::newRow("leap day in 1900") << "2/29/1900" << QDate();
    QTest::newRow("day and month swapped") << "25/12/2024" << QDate();
    QTest::newRow("three-digit year") << "1/1/024" << QDate();
    QTest::newRow("mixed separators") << "1/10-2024" << QDate();
    QTest::newRow("dots") << "1.10.2024" << QDate();
    QTest::newRow("year first with slashes") << "2024/03/10" << QDate();
    QTest::newRow("year first, one-digit month") << "2024-3-10" << QDate();
    QTest::newRow("six digits, bad month") << "131024" << QDate();
    QTest::newRow("full-width digits") << QString::fromUtf8("\xef\xbc\x91/1/2024") << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TypedValuesTest::readDate()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(readUsDate(text).value_or(QDate()), date);
}

void TypedValuesTest::firstInstallment_data()
{
    QTest::addColumn<QDate>("inception");
    QTest::addColumn<QDate>("due");

    QTest::newRow("December into January") << QDate(2024, 12, 15) << QDate(2025, 1, 15);
    QTest::newRow("January 31, leap year") << QDate(2024, 1, 31) << QDate(2024, 2, 29);
    QTest::newRow("January 29, common year") << QDate(2023, 1, 29) << QDate(2023, 2, 28);
    QTest::newRow("March 31") << QDate(2024, 3, 31) << QDate(2024, 4, 30);
}

void TypedValuesTest::firstInstallment()
{
    QFETCH(QDate, inception);
    QFETCH(QDate, due);
    QCOMPARE(firstInstallmentDate(inception), due);
}

void TypedValuesTest::usForms()
{
    // The desktop's language must not change the form dates are shown in.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString date = usDate(QDate(2026, 12, 6));
    const QString evening = usDateTime(QDateTime(QDate(2026, 12, 6), QTime(20, 53, 52)));
    const QString midnight = usDateTime(QDateTime(QDate(2025, 1, 15), QTime(0, 5, 7)));
    QLocale::setDefault(QLocale::c());
    QCOMPARE(date, QString("12/6/2026"));
    QCOMPARE(evening, QString("12/6/2026 8:53:52 PM"));
    QCOMPARE(midnight, QString("1/15/2025 12:05:07 AM"));
}

QTEST_GUILESS_MAIN(TypedValuesTest)
#include "tst_TypedValues.moc"
