#include "contract/DateText.h"

#include <QtTest>

// Dates typed in US order, the first installment date, and US date display.
class DateTextTest : public QObject {
    Q_OBJECT
private slots:
    void shortDate_data();
    void shortDate();
    void readDate_data();
    void readDate();
    void earliestOfSeveral_data();
    void earliestOfSeveral();
    void firstInstallment_data();
    void firstInstallment();
    void usForms_data();
    void usForms();
};

void DateTextTest::shortDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    QTest::newRow("six digits") << "011024" << "01/10/24";
    QTest::newRow("already with slashes") << "1/10/24" << "1/10/24";
    QTest::newRow("six characters with a dash") << "1-1-24" << "1-1-24";
    QTest::newRow("eight digits") << "01102024" << "01102024";
    QTest::newRow("empty") << "" << "";
}

void DateTextTest::shortDate()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(FormatShortDate(text), result);
}

void DateTextTest::readDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // invalid: not a date

    QTest::newRow("slashes, four-digit year") << "01/10/2024" << QDate(2024, 1, 10);
    QTest::newRow("slashes, two-digit year") << "12/15/24" << QDate(2024, 12, 15);
    QTest::newRow("dashes, two-digit year") << "3-10-24" << QDate(2024, 3, 10);
    QTest::newRow("six digits") << "011024" << QDate(2024, 1, 10);
    QTest::newRow("year first") << "2024-03-10" << QDate(2024, 3, 10);
    QTest::newRow("blanks around") << " 1/5/24 " << QDate(2024, 1, 5);
    QTest::newRow("year 00 is 2000") << "1/1/00" << QDate(2000, 1, 1);
    QTest::newRow("year 30 is 1930") << "1/1/30" << QDate(1930, 1, 1);
    QTest::newRow("leap day") << "2/29/2024" << QDate(2024, 2, 29);
    QTest::newRow("leap day in 2000") << "022900" << QDate(2000, 2, 29);

    QTest::newRow("leap day in a common year") << "2/29/2023" << QDate();
    QTest::newRow("leap day in 1900") << "2/29/1900" << QDate();
    QTest::newRow("month 13") << "13/1/2024" << QDate();
    QTest::newRow("day and month swapped") << "25/12/2024" << QDate();
    QTest::newRow("April 31") << "4/31/2024" << QDate();
    QTest::newRow("year zero") << "1/1/0000" << QDate();
    QTest::newRow("three-digit year") << "1/1/024" << QDate();
    QTest::newRow("mixed separators") << "1/10-2024" << QDate();
    QTest::newRow("dots") << "1.10.2024" << QDate();
    QTest::newRow("year first with slashes") << "2024/03/10" << QDate();
    QTest::newRow("year first, one-digit month") << "2024-3-10" << QDate();
    QTest::newRow("six digits, bad month") << "131024" << QDate();
    QTest::newRow("six letters") << "abcdef" << QDate();
    QTest::newRow("full-width digits") << QString::fromUtf8("\xef\xbc\x91/1/2024") << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void DateTextTest::readDate()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(readUsDate(text).value_or(QDate()), date);
}

void DateTextTest::earliestOfSeveral_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QDate>("earliest"); // invalid: none
    QTest::addColumn<QList<int>>("unreadable");

    QTest::newRow("one per section") << QStringList{"01/10/24", "03/15/24", "02/01/24"}
                                     << QDate(2024, 1, 10) << QList<int>{};
    QTest::newRow("six digits among others") << QStringList{"", "031524", "", "2/1/24"}
                                             << QDate(2024, 2, 1) << QList<int>{};
    QTest::newRow("across the century window") << QStringList{"1/1/29", "1/1/30"}
                                               << QDate(1930, 1, 1) << QList<int>{};
    QTest::newRow("non-dates skipped and reported") << QStringList{"soon", "5/1/24", "", "2/30/24"}
                                                    << QDate(2024, 5, 1) << QList<int>{0, 3};
    QTest::newRow("all empty") << QStringList{"", "", ""} << QDate() << QList<int>{};
    QTest::newRow("blank is not empty") << QStringList{" "} << QDate() << QList<int>{0};
    QTest::newRow("none") << QStringList{} << QDate() << QList<int>{};
}

void DateTextTest::earliestOfSeveral()
{
    QFETCH(QStringList, texts);
    QFETCH(QDate, earliest);
    QFETCH(QList<int>, unreadable);
    QCOMPARE(earliestDate(texts).value_or(QDate()), earliest);
    QCOMPARE(unreadableDates(texts), unreadable);
}

void DateTextTest::firstInstallment_data()
{
    QTest::addColumn<QDate>("inception");
    QTest::addColumn<QDate>("due");

    QTest::newRow("December into January") << QDate(2024, 12, 15) << QDate(2025, 1, 15);
    QTest::newRow("next month same day") << QDate(2024, 3, 10) << QDate(2024, 4, 10);
    QTest::newRow("January 31, leap year") << QDate(2024, 1, 31) << QDate(2024, 2, 29);
    QTest::newRow("January 31, common year") << QDate(2023, 1, 31) << QDate(2023, 2, 28);
    QTest::newRow("January 29, common year") << QDate(2023, 1, 29) << QDate(2023, 2, 28);
    QTest::newRow("March 31") << QDate(2024, 3, 31) << QDate(2024, 4, 30);
    QTest::newRow("December 31") << QDate(2024, 12, 31) << QDate(2025, 1, 31);
    QTest::newRow("no date") << QDate() << QDate();
}

void DateTextTest::firstInstallment()
{
    QFETCH(QDate, inception);
    QFETCH(QDate, due);
    QCOMPARE(firstInstallmentDate(inception), due);
}

void DateTextTest::usForms_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("dateTime");

    QTest::newRow("evening") << QDateTime(QDate(2026, 12, 6), QTime(20, 53, 52)) << "12/6/2026"
                             << "12/6/2026 8:53:52 PM";
    QTest::newRow("just after midnight") << QDateTime(QDate(2025, 1, 15), QTime(0, 5, 7)) << "1/15/2025"
                                         << "1/15/2025 12:05:07 AM";
    QTest::newRow("noon") << QDateTime(QDate(2024, 7, 4), QTime(12, 0, 0)) << "7/4/2024"
                          << "7/4/2024 12:00:00 PM";
    QTest::newRow("no date") << QDateTime() << "" << "";
}

void DateTextTest::usForms()
{
    QFETCH(QDateTime, when);
    QFETCH(QString, date);
    QFETCH(QString, dateTime);
    // The desktop's language must not change the form.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString shownDate = usDate(when.date());
    const QString shownDateTime = usDateTime(when);
    QLocale::setDefault(before);
    QCOMPARE(shownDate, date);
    QCOMPARE(shownDateTime, dateTime);
}

QTEST_GUILESS_MAIN(DateTextTest)
#include "tst_DateText.moc"
