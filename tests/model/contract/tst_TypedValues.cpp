#include "model/contract/DateText.h"
#include "model/contract/FixedAmount.h"
#include "model/contract/FormatAmount.h"
#include "model/contract/NumberText.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max(), kMin = std::numeric_limits<qint64>::min();

void addRows(const QList<std::pair<QString, QString>>& rows)
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    for (const auto& [text, expected] : rows)
        QTest::newRow(qPrintable('"' + text.left(30) + '"')) << text << expected;
}

} // namespace

// What typed money and date texts are worth, and how amounts are shown. Each
// table pairs a typed text with what it gives ("no": refused).
class TypedValuesTest : public QObject {
    Q_OBJECT
private slots:
    void amountText_data()
    {
        // Numbers, in ten-thousandths rounded half to even at the fourth decimal, up to the 64-bit range.
        addRows({{"1,234.50", "12345000"}, {"$1,234.50", "12345000"}, {" 12 ", "120000"}, {"-5", "-50000"},
                 {"-$1,234.5", "-12345000"}, {"5.", "50000"}, {".5", "5000"}, {"0.00005", "0"}, {"0.00015", "2"},
                 {"0.00025", "2"}, {"0.000050001", "1"}, {"-0.00015", "-2"}, {"0.99995", "10000"},
                 {"900719925474.0995", QString::number((qint64(1) << 53) + 3)}, // beyond exact doubles
                 {"922337203685477.5807", QString::number(kMax)}, {"-922337203685477.5808", QString::number(kMin)},
                 {"922337203685477.58065", QString::number(kMax - 1)}, {"922337203685477.5808", "no"},
                 {"922337203685477.58075", "no"}, {"-922337203685477.5809", "no"}, {"2000000000000000", "no"}, {QString(400, u'9'), "no"},
                 // Not numbers.
                 {"", "no"}, {"12a", "no"}, {"1.2.3", "no"}, {"abc", "no"}, {".", "no"}, {"-", "no"}, {"$-5", "no"},
                 {"1 234", "no"}, {"12,34", "no"}, {"1,23.", "no"}, {"1,2345", "no"}, {"1234,567", "no"}, {"12e3", "no"}, {QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92"), "no"}});
    }
    void amountText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const std::optional<FixedAmount> amount = FixedAmount::fromText(text);
        QCOMPARE(isNumericText(text), expected != "no");
        QCOMPARE(amount ? QString::number(amount->units()) : "no", expected);
    }
    void sumsStayInRange()
    {
        QCOMPARE(FixedAmount::fromUnits(kMax - 1).plus(FixedAmount::fromUnits(1)).value_or(FixedAmount()).units(), kMax);
        QCOMPARE(FixedAmount::fromUnits(kMax).plus(FixedAmount::fromUnits(kMin)).value_or(FixedAmount()).units(), -1);
        QVERIFY(!FixedAmount::fromUnits(kMax).plus(FixedAmount::fromUnits(1)));
        QVERIFY(!FixedAmount::fromUnits(kMin).plus(FixedAmount::fromUnits(-1)));
    }
    void formatAmount_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");  // 15 significant digits, shortest, no exponent
        QTest::addColumn<QString>("shown"); // cut, never rounded, to two decimals

        QTest::newRow("a hair below 212") << 211.99999999999997 << "212" << "212.00";
        QTest::newRow("installment 242.60 / 8") << 30.325 << "30.325" << "30.32";
        QTest::newRow("a hair above 30.325") << std::nextafter(30.325, 100.0) << "30.325" << "30.32";
        QTest::newRow("finance charge of 234.56") << 234.56 * 0.05 + 20 << "31.728" << "31.72";
        QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3" << "0.30";
        QTest::newRow("negative keeps its sign") << -31.728 << "-31.728" << "-31.72";
        QTest::newRow("negative zero") << -0.0 << "0" << "0.00";
        QTest::newRow("tiny installment") << 3.05e-7 << "0.000000305" << "0.00";
        QTest::newRow("huge") << 123456789012345678.0 << "123456789012346000" << "123456789012346000.00";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "0" << "0.00";
    }
    void formatAmount()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(numberToText(value), text);
        QCOMPARE(FormatAmount(value), shown);
        QCOMPARE(FormatAmountText(text), shown);
        QCOMPARE(shownValue(value), shown.toDouble()); // later terms are built from what is shown
        QCOMPARE(FormatAmountText(""), QString("0.00"));
    }
    void readDate_data()
    {
        // US order; two-digit years 00-29 are 2000-2029, 30-99 are 1930-1999. A date text
        // also gives its first installment a calendar month on (a lacking day: the month's last).
        addRows({{"01/10/2024", "2024-01-10 2024-02-10"}, {"12/15/24", "2024-12-15 2025-01-15"}, {"3-10-24", "2024-03-10 2024-04-10"},
                 {"011024", "2024-01-10 2024-02-10"}, {"2024-03-10", "2024-03-10 2024-04-10"}, {" 1/5/24 ", "2024-01-05 2024-02-05"},
                 {"1/1/29", "2029-01-01 2029-02-01"}, {"1/1/30", "1930-01-01 1930-02-01"}, {"022900", "2000-02-29 2000-03-29"},
                 {"1/31/2024", "2024-01-31 2024-02-29"}, {"1/29/2023", "2023-01-29 2023-02-28"}, {"3/31/2024", "2024-03-31 2024-04-30"},
                 {"2/29/2023", "no"}, {"2/29/1900", "no"}, {"25/12/2024", "no"}, {"1/1/024", "no"}, {"1/10-2024", "no"},
                 {"1.10.2024", "no"}, {"2024/03/10", "no"}, {"2024-3-10", "no"}, {"131024", "no"}, {"", "no"},
                 {QString::fromUtf8("\xef\xbc\x91/1/2024"), "no"},
                 // Four-digit years are 1900 to 2099: 1024 is a slip for 2024.
                 {"01/01/1024", "no"}, {"12/31/1899", "no"}, {"1/1/2100", "no"}, {"1899-12-31", "no"},
                 {"1/1/1900", "1900-01-01 1900-02-01"}, {"12/31/2099", "2099-12-31 2100-01-31"}});
    }
    void readDate()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const std::optional<QDate> date = readUsDate(text);
        QCOMPARE(date ? date->toString(Qt::ISODate) + ' ' + firstInstallmentDate(*date).toString(Qt::ISODate) : "no", expected);
    }
    void desktopLanguageDoesNotMatter()
    {
        // Amounts are read, and dates shown, the same in every language.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const std::optional<double> amount = ::textToDouble("-$1,234.50");
        const QStringList shown{usDate(QDate(2026, 12, 6)), usDateTime(QDateTime(QDate(2026, 12, 6), QTime(12, 53, 52))),
                                usDateTime(QDateTime(QDate(2025, 1, 15), QTime(0, 5, 7)))};
        QLocale::setDefault(QLocale::c());
        QCOMPARE(amount, std::optional<double>(-1234.5));
        QCOMPARE(shown, (QStringList{"12/6/2026", "12/6/2026 12:53:52 PM", "1/15/2025 12:05:07 AM"}));
    }
    void inceptionsOfASchedule()
    {
        // Empty inceptions are neither dates nor faults; the credit starts on the earliest date.
        const QStringList typed{"05/05/24", "", "soon", "040124", "06/01/24"};
        QCOMPARE(earliestDate(typed), QDate(2024, 4, 1));
        QCOMPARE(unreadableDates(typed), QList<int>{2});
    }
};

QTEST_GUILESS_MAIN(TypedValuesTest)
#include "tst_TypedValues.moc"
