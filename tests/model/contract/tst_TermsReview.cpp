#include "model/contract/ConsumerApr.h"
#include "model/contract/LoanTerms.h"
#include "model/contract/TermsReview.h"
#include "model/session/CurrentContract.h"

#include <QTest>

namespace {

// What the agent sees, in order: down payment, amount financed, finance charge,
// total of payments, number and amount of installments, rate.
QString seen(const ReviewScreen& s)
{
    return QStringList{s.down, s.amtFin, s.finCharge, s.totalPayments, s.numInstall, s.amtInstall, s.apr}.join('|');
}

struct Run {
    CurrentContract contract;
    ScheduleAmounts schedule;
    TermsReview review{contract};
    bool commercial = true;

    // The schedule's Next >>: first terms, then the review window becomes active.
    void next()
    {
        QVERIFY(workOutFirstTerms(schedule, {}, contract));
        // No inception: the credit starts on this day, the first installment is due on 4/14/2025.
        review.activate(commercial, QDate(2025, 3, 14));
    }

    // "down 100; leave down; fin 35; num 10; leave num; again" as the agent's moves.
    void play(const QString& moves)
    {
        using Typed = void (TermsReview::*)(const QString&);
        using Left = void (TermsReview::*)();
        const QMap<QString, Typed> typed{{"down", &TermsReview::downTyped}, {"fin", &TermsReview::finChargeTyped},
                                         {"num", &TermsReview::numInstallTyped}};
        const QMap<QString, Left> left{{"leave down", &TermsReview::leaveDown}, {"leave fin", &TermsReview::leaveFinCharge},
                                       {"leave num", &TermsReview::leaveNumInstall}};
        for (const QString& move : moves.split(';', Qt::SkipEmptyParts)) {
            const QString m = move.trimmed(), verb = m.section(' ', 0, 0);
            if (left.contains(m))
                (review.*left[m])();
            else if (typed.contains(verb))
                (review.*typed[verb])(m.section(' ', 1));
            else if (m == "again")
                next();
            else if (m == "personal" || m == "commercial")
                review.setCommercial(m == "commercial");
            else
                QFAIL(qPrintable("unknown move " + m));
        }
    }
};

QStringList amounts(const QString& texts) { return texts.isEmpty() ? QStringList() : texts.split(' '); }

} // namespace
Q_DECLARE_METATYPE(ConsumerLoan)

// The review rules on their own: the terms each schedule shows, how they follow
// the agent's edits, and that a schedule shown again shows the same terms.
class TermsReviewTest : public QObject {
    Q_OBJECT
private slots:
    void terms_data()
    {
        QTest::addColumn<QString>("sections"); // Section 1 to 4 amounts, "|" between sections
        QTest::addColumn<bool>("commercial");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("expected");

        const QString hundred = "100|100|100|10";
        const QString hundredTerms = "98.00|212.00|30.60|242.60|8|30.32|10.50";
        QTest::newRow("100 in each section and a tax of 10") << hundred << true << "" << hundredTerms;
        QTest::newRow("amount financed 234.56, finance charge cut")
            << "0.08|335||" << true << "" << "100.52|234.56|31.72|266.28|8|33.28|10.50";
        QTest::newRow("exactly 10000 financed: 4 % and the higher rate")
            << "12008|1420||" << true << "" << "3428.00|10000.00|420.00|10420.00|8|1302.50|10.50";
        QTest::newRow("one cent above 10000 financed: 4 % and the lower rate")
            << "12008.06|1419.95||" << true << "" << "3428.00|10000.01|420.00|10420.01|8|1302.50|7.95";
        QTest::newRow("personal loan has its own rate") << "20000|||" << false << "" << "5000.00|15000.00|620.00|15620.00|8|1952.50|7.85";
        QTest::newRow("nothing scheduled") << "|||" << true << "" << "0.00|0.00|0.00|0.00|8|0.00|10.50";

        // The shown down payment is cut to the cent, so the amount financed follows it, on every showing.
        QTest::newRow("333.33: financed from the shown down payment")
            << "333.33|||" << true << "again; again" << "83.33|250.00|32.50|282.50|8|35.31|10.50";
        QTest::newRow("13333.34: rate from the final amount financed")
            << "13333.34|||" << true << "again" << "3333.33|10000.01|420.00|10420.01|8|1302.50|7.95";
        QTest::newRow("100s shown again after edits") << hundred << true << "down 100; fin 50; num 3; again" << hundredTerms;

        QTest::newRow("down payment emptied and left is zero")
            << hundred << true << "down ; leave down" << "0.00|310.00|35.50|345.50|8|43.18|10.50";
        QTest::newRow("down payment above the grand total: nothing follows from it, not even the rate")
            << hundred << true << "down 400; leave down" << "400||||8||";
        QTest::newRow("negative down payment refused") << hundred << true << "down -500; leave down" << "-500||||8||";
        QTest::newRow("refused down payment, then a usable one")
            << hundred << true << "down 3000; down 300" << "300|10.00|20.50|30.50|8|3.81|10.50";
        QTest::newRow("ten installments, left: rate emptied")
            << hundred << true << "num 10; leave num" << "98.00|212.00|30.60|242.60|10|24.26|";
        QTest::newRow("installments changed back and left keep the rate")
            << hundred << true << "num 10; num 8; leave num" << hundredTerms;
        QTest::newRow("finance charge left unchanged keeps the rate")
            << "1000.26|||" << true << "leave fin; leave num" << "250.06|750.20|57.51|807.71|8|100.96|10.50";
        QTest::newRow("finance charge changed and left empties the rate")
            << hundred << true << "fin 35.678; leave fin" << "98.00|212.00|35.67|247.67|8|30.95|";
        QTest::newRow("down payment cut on leaving, which changes the charge, then leaving installments")
            << hundred << true << "down 100.999; leave down; leave num" << "100.99|209.01|30.45|239.46|8|29.93|";
        QTest::newRow("leaving down payment unchanged keeps a typed charge")
            << hundred << true << "fin 40; leave fin; leave down" << "98.00|212.00|40.00|252.00|8|31.50|";

        // A consumer's rate is always the rate of the terms on screen.
        QTest::newRow("personal: no finance charge") << hundred << false << "fin 0; leave fin" << "98.00|212.00|0.00|212.00|8|26.50|0.00";
        QTest::newRow("personal: installments changed and left keep a rate")
            << hundred << false << "num 10; leave num" << "98.00|212.00|30.60|242.60|10|24.26|7.83";
        QTest::newRow("personal: nothing financed") << hundred << false << "down 310; leave down" << "310.00|0.00|0.00|0.00|8|0.00|";
        QTest::newRow("personal: a refused down payment") << hundred << false << "down ninety" << "ninety||||8||";
        QTest::newRow("personal 3500: the application fee is no finance charge")
            << "3500|||" << false << "" << "875.00|2625.00|151.25|2776.25|8|347.03|10.38";
        QTest::newRow("personal: finance charge down to the fee")
            << "3500|||" << false << "fin 46.25; leave fin" << "875.00|2625.00|46.25|2671.25|8|333.90|0.00";
        QTest::newRow("personal: finance charge a cent above the fee")
            << "3500|||" << false << "fin 46.26; leave fin" << "875.00|2625.00|46.26|2671.26|8|333.90|0.00";
        QTest::newRow("personal: finance charge below the fee") << "3500|||" << false << "fin 30; leave fin" << "875.00|2625.00|30.00|2655.00|8|331.87|0.00";
        QTest::newRow("switched back after the terms changed")
            << hundred << true << "personal; num 10; leave num; commercial" << "98.00|212.00|30.60|242.60|10|24.26|";
    }
    void terms()
    {
        QFETCH(QString, sections);
        QFETCH(bool, commercial);
        QFETCH(QString, moves);
        QFETCH(QString, expected);

        Run run;
        const QStringList parts = sections.split('|');
        run.schedule = {amounts(parts[0]), amounts(parts[1]), amounts(parts[2]), amounts(parts[3])};
        run.commercial = commercial;
        run.next();
        run.play(moves);
        QCOMPARE(seen(run.review.screen()), expected);
    }
    // The fixed commercial rates are the consumer rate of the default terms,
    // rounded up: what ties the two rules together.
    void commercialRateBoundsConsumerRate_data()
    {
        QTest::addColumn<QString>("premium");
        QTest::addColumn<bool>("close"); // within a quarter point below; far below for small loans and at 10000.00 financed
        for (const char* premium : {"3500", "9000", "13333.34", "20000", "120000", "4000000"})
            QTest::newRow(premium) << QString(premium) << true;
        QTest::newRow("400: the fee's $20 weighs more") << QString("400") << false;
        QTest::newRow("10000.00 financed: 4 %, the higher fixed rate") << QString("13333.33") << false;
    }
    void commercialRateBoundsConsumerRate()
    {
        QFETCH(QString, premium);
        QFETCH(bool, close);
        Run run;
        run.schedule = {amounts(premium), {}, {}, {}};
        run.commercial = false;
        run.next();
        const double consumer = run.review.screen().apr.toDouble();
        run.review.setCommercial(true);
        const double commercial = run.review.screen().apr.toDouble();
        QVERIFY2(consumer > 0 && consumer <= commercial && (!close || consumer > commercial - 0.25),
                 qPrintable(QStringLiteral("%1 against %2").arg(consumer).arg(commercial)));
    }
    void installmentTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count"); // 0: not a count of installments

        const QList<QPair<const char*, int>> rows = {
            {"8", 8}, {" 12 ", 12}, {"1", 1}, {"32767", 32767}, {"008", 8}, {"000008", 8}, {"0000000000032767", 32767},
            {"00000", 0}, {"0000032768", 0},
            {"3.5", 0}, {"8.4", 0}, {".9", 0}, {"$8", 0}, {"+8", 0}, {"1,000", 0}, {"1e1", 0},
            {"0", 0}, {"-3", 0}, {"32768", 0}, {"", 0}, {"  ", 0}, {"٨", 0}, {"8.", 0},
        };
        for (const auto& [text, count] : rows)
            QTest::newRow(qPrintable(QStringLiteral("\"%1\"").arg(text))) << QString(text) << count;
    }
    void installmentTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QCOMPARE(installmentCount(text).value_or(0), count);
    }
    void consumerRate_data()
    {
        QTest::addColumn<ConsumerLoan>("loan"); // financed, total of payments, installment, installments, advance, first due
        QTest::addColumn<QString>("rate");      // or why there is none
        const QDate jan10(2025, 1, 10), feb10(2025, 2, 10);
        QTest::newRow("federal example: 24 of 230.00 a month after")
            << ConsumerLoan{5000, 5520, 230, 24, QDate(1978, 1, 10), QDate(1978, 2, 10)} << "9.69";
        QTest::newRow("federal example: 36 of 200.00, first period 1 month 19 days")
            << ConsumerLoan{6000, 7200, 200, 36, QDate(1978, 2, 10), QDate(1978, 4, 1)} << "11.82";
        QTest::newRow("the usual contract, last payment 30.36") << ConsumerLoan{212, 242.6, 30.32, 8, jan10, feb10} << "37.16";
        QTest::newRow("short first period, 15 days") << ConsumerLoan{212, 242.6, 30.32, 8, jan10, QDate(2025, 1, 25)} << "42.05";
        QTest::newRow("long first period, rounded up from 23.4997")
            << ConsumerLoan{212, 242.6, 30.32, 8, jan10, QDate(2025, 4, 25)} << "23.50";
        QTest::newRow("only the last payment carries the charge") << ConsumerLoan{1000, 1000.05, 125, 8, jan10, feb10} << "0.01";
        QTest::newRow("no finance charge") << ConsumerLoan{212, 212, 26.5, 8, jan10, feb10} << "0.00";
        QTest::newRow("3500 scheduled, the fee advanced")
            << ConsumerLoan{2625, 2776.25, 347.03, 8, jan10, feb10, applicationFee(2625)} << "10.38";
        QTest::newRow("9750 financed, the fee advanced")
            << ConsumerLoan{9750, 10257.5, 1282.18, 8, jan10, feb10, applicationFee(9750)} << "10.43";
        QTest::newRow("nothing financed") << ConsumerLoan{0, 0, 0, 8, jan10, feb10} << "nothing financed";
        QTest::newRow("a credit, not a loan") << ConsumerLoan{-90, -90, -11.25, 8, jan10, feb10} << "nothing financed";
        QTest::newRow("finance charge below zero") << ConsumerLoan{212, 200, 25, 8, jan10, feb10} << "charge below zero";
        QTest::newRow("first installment on the day of the advance") << ConsumerLoan{212, 242.6, 30.32, 8, jan10, jan10} << "due too early";
        QTest::newRow("amounts beyond any loan") << ConsumerLoan{1e20, 2e20, 2.5e19, 8, jan10, feb10} << "no schedule";
        QTest::newRow("no installments") << ConsumerLoan{212, 242.6, 30.32, 0, jan10, feb10} << "no schedule";
    }
    void consumerRate()
    {
        QFETCH(ConsumerLoan, loan);
        const std::optional<double> percent = annualPercentageRate(loan);
        static const char* const reasons[] = {"", "nothing financed", "charge below zero", "due too early", "no schedule"};
        QTEST(percent ? rateText(*percent) : QString(reasons[int(whyNoRate(loan))]), "rate");
    }
};

QTEST_MAIN(TermsReviewTest)
#include "tst_TermsReview.moc"
