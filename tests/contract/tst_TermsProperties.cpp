#include "session/CurrentContract.h"
#include "contract/LoanTerms.h"
#include "contract/NumberText.h"
#include "contract/TermsReview.h"

#include <QRandomGenerator>
#include <QTest>

// Properties every review screen must have, checked over many generated
// schedules and edit sequences. The expected terms are worked out here in
// whole cents, straight from the loan rules, not from the program's doubles.
class TermsPropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void generatedSchedules();
};

namespace {

using Cents = qint64;

// "1,234.56", "-90.00" as cents; only two-decimal texts are shown or typed here.
Cents centsOf(const QString& text)
{
    QString digits = text;
    digits.remove(u',').remove(u'$');
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);
    const QString whole = digits.section(u'.', 0, 0);
    const QString fraction = (digits.section(u'.', 1) + "00").left(2);
    const Cents value = whole.toLongLong() * 100 + fraction.toLongLong();
    return negative ? -value : value;
}

QString amountText(Cents cents) // as the screen shows it
{
    const QString sign = cents < 0 ? "-" : "";
    const Cents a = qAbs(cents);
    return sign + QString::number(a / 100) + '.' + QString::number(a % 100).rightJustified(2, u'0');
}

// The finance charge rule, cut to the cent: 5 % + 20 below 10000, 4 % + 20 from
// 10000 on, nothing for nothing financed.
Cents financeCharge(Cents financed)
{
    if (financed <= 0)
        return 0;
    return (financed < 1000000 ? financed / 20 : financed / 25) + 2000;
}

QString commercialRate(Cents financed)
{
    return financed > 1000000 ? "7.95" : "10.50";
}

struct Generator {
    QRandomGenerator rng{20261207};

    int below(int n) { return static_cast<int>(rng.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }

    Cents amount()
    {
        switch (below(4)) {
        case 0: return below(100000);                     // up to 1000.00
        case 1: return below(2000000);                    // up to 20000.00
        case 2: return 1333333 + below(5) - 2;            // 10000 financed, either side
        default: return below(10000000);                  // up to 100000.00
        }
    }

    // An amount as an agent may type it: plain, short, with separators or a "$".
    QString typed(Cents cents)
    {
        QString whole = QString::number(cents / 100);
        const QString fraction = QString::number(cents % 100).rightJustified(2, u'0');
        if (chance(30))
            for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
                whole.insert(at, u',');
        const QString dollar = chance(15) ? "$" : "";
        if (cents % 100 == 0 && chance(50))
            return dollar + whole;
        if (cents % 10 == 0 && chance(50))
            return dollar + whole + '.' + fraction.left(1);
        return dollar + whole + '.' + fraction;
    }

    QString garbage()
    {
        static const QStringList texts{"abc", "1.2.3", "12a", ".", "--5", "1e1"};
        return texts[below(texts.size())];
    }
};

struct Schedule {
    Cents sections[4] = {};
    ScheduleAmounts texts;
    bool commercial = true;
    QDate inception;
};

Schedule generate(Generator& g)
{
    Schedule s;
    const int rows[] = {4, 3, 3, 4};
    QStringList* texts[] = {&s.texts.section1, &s.texts.section2, &s.texts.section3, &s.texts.section4};
    for (int section = 0; section < 4; ++section) {
        const int filled = g.below(rows[section] + 1);
        for (int i = 0; i < filled; ++i) {
            const Cents cents = section == 3 ? g.below(50000) : g.amount();
            s.sections[section] += cents;
            *texts[section] << g.typed(cents);
        }
    }
    s.commercial = g.chance(70);
    const int year = 2000 + g.below(30), month = 1 + g.below(12);
    const int day = qMin(28 + g.below(4), QDate(year, month, 1).daysInMonth());
    s.inception = QDate(year, month, day);
    return s;
}

// The first terms of a schedule, in cents.
struct Terms {
    Cents total, down, financed, charge, payments, installment;
    QString rate;
};

Terms firstTerms(const Schedule& s)
{
    Terms t{};
    t.total = s.sections[0] + s.sections[1] + s.sections[2] + s.sections[3];
    // 25 % + 30 % + 33 % of Sections 1 to 3, cut to the cent, plus all of Section 4.
    t.down = (s.sections[0] * 25 + s.sections[1] * 30 + s.sections[2] * 33) / 100 + s.sections[3];
    t.financed = t.total - t.down;
    t.charge = financeCharge(t.financed);
    t.payments = t.financed + t.charge;
    t.installment = t.payments / 8;
    t.rate = commercialRate(t.financed);
    return t;
}

QString seen(const ReviewScreen& r)
{
    return QStringList{r.down, r.amtFin, r.finCharge, r.totalPayments, r.numInstall, r.amtInstall, r.apr}.join('|');
}

bool usable(const QString& amount)
{
    static const QRegularExpression form(QStringLiteral("^-?[0-9]+(\\.[0-9]{0,2})?$"));
    return form.match(amount.trimmed()).hasMatch();
}

} // namespace

void TermsPropertiesTest::generatedSchedules()
{
    Generator g;
    int screens = 0;
    for (int n = 0; n < 6000; ++n) {
        const Schedule s = generate(g);
        const Terms t = firstTerms(s);
        CurrentContract contract;
        contract.EarliestInception = s.inception;
        TermsReview review(contract);
        const auto next = [&] {
            QVERIFY(workOutFirstTerms(s.texts, contract));
            review.activate(s.commercial);
        };
        next();
        const ReviewScreen& r = review.screen();
        const QString context = QStringLiteral("schedule %1: %2 / %3 / %4 / %5")
                                    .arg(n)
                                    .arg(s.texts.section1.join(' '), s.texts.section2.join(' '),
                                         s.texts.section3.join(' '), s.texts.section4.join(' '));

        // The first showing: exactly the terms of the rules.
        const QString expected = QStringList{amountText(t.down), amountText(t.financed), amountText(t.charge),
                                             amountText(t.payments), "8", amountText(t.installment),
                                             s.commercial ? t.rate : r.apr}
                                     .join('|');
        QVERIFY2(seen(r) == expected, qPrintable(context + " shows " + seen(r) + ", rules give " + expected));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(r.sections[i], amountText(s.sections[i]));
        QCOMPARE(r.totalSections, amountText(t.total));
        const QDate due = r.firstInstallment;
        QCOMPARE(due.month(), s.inception.month() % 12 + 1);
        QCOMPARE(due.day(), qMin(s.inception.day(), due.daysInMonth()));
        const QString firstSeen = seen(r);
        const QString shownCharge = r.finCharge;

        // A sequence of edits, with the properties checked after each.
        const int moves = g.below(9);
        bool rateGone = false;
        for (int m = 0; m < moves; ++m) {
            const int move = g.below(9);
            bool downEdited = false;
            switch (move) {
            case 0: {
                const QString text = g.chance(80) ? g.typed(g.below(int(t.total + 20000))) : g.chance(50) ? "" : g.garbage();
                review.downTyped(text);
                downEdited = usable(text);
                break;
            }
            case 1: {
                const QString before = r.down;
                review.leaveDown();
                downEdited = r.down != before && usable(r.down);
                break;
            }
            case 2:
                review.finChargeTyped(g.chance(80) ? g.typed(g.below(200000)) : g.garbage());
                break;
            case 3: {
                review.leaveFinCharge();
                if (usable(r.finCharge) && centsOf(r.finCharge) != centsOf(shownCharge))
                    rateGone = true;
                break;
            }
            case 4:
                review.numInstallTyped(g.chance(80) ? QString::number(1 + g.below(40)) : g.garbage());
                break;
            case 5:
                review.leaveNumInstall();
                if (installmentCount(r.numInstall) && *installmentCount(r.numInstall) != 8)
                    rateGone = true;
                break;
            case 6:
                review.setCommercial(!r.commercial);
                break;
            default: { // << Back and Next >> again, or the next customer with the same schedule
                next();
                QVERIFY2(seen(r) == firstSeen, qPrintable(context + " shown again: " + seen(r) + " first: " + firstSeen));
                rateGone = false;
                break;
            }
            }
            ++screens;
            const bool downOk = usable(r.down), chargeOk = usable(r.finCharge);
            if (downOk)
                QVERIFY2(centsOf(r.amtFin) == t.total - centsOf(r.down), qPrintable(context + " financed " + r.amtFin + " down " + r.down + " move " + QString::number(move)));
            if (chargeOk)
                QVERIFY2(centsOf(r.totalPayments) == centsOf(r.amtFin) + centsOf(r.finCharge),
                         qPrintable(context + " payments " + r.totalPayments));
            if (const std::optional<std::int16_t> count = installmentCount(r.numInstall); count && chargeOk)
                QVERIFY2(centsOf(r.amtInstall) == centsOf(r.totalPayments) / *count,
                         qPrintable(context + " installment " + r.amtInstall + " of " + r.numInstall));
            if (downEdited)
                QVERIFY2(centsOf(r.finCharge) == financeCharge(centsOf(r.amtFin)),
                         qPrintable(context + " charge " + r.finCharge + " on " + r.amtFin));
            if (r.commercial) {
                // The rate the amount financed first shown chose, or none once the terms were changed.
                QVERIFY(r.apr == t.rate || r.apr.isEmpty());
                if (rateGone)
                    QVERIFY2(r.apr.isEmpty(), qPrintable(context + " kept its rate"));
            } else {
                // A consumer's rate exists exactly where the terms on screen are a loan.
                const bool loan = textToDouble(r.down) && textToDouble(r.finCharge) && installmentCount(r.numInstall)
                                  && centsOf(r.amtFin) > 0
                                  && centsOf(r.totalPayments) >= centsOf(r.amtFin);
                QVERIFY2(loan ? usable(r.apr) : r.apr.isEmpty(),
                         qPrintable(context + " rate " + r.apr + " of " + seen(r)));
            }
        }
    }
    QVERIFY(screens > 5000);
}

QTEST_MAIN(TermsPropertiesTest)
#include "tst_TermsProperties.moc"
