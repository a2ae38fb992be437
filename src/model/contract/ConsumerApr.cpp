#include "model/contract/ConsumerApr.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double kLargestAmount = 1e12;

std::int64_t cents(double amount) { return std::llround(amount * 100); }

// The odd first period: whole months from the advance to the first installment,
// counted back from the installment, and the days before them.
struct OddPeriod {
    int months = 0;
    qint64 days = 0;
};

OddPeriod oddPeriod(const QDate& advance, const QDate& firstDue)
{
    int months = (firstDue.year() - advance.year()) * 12 + firstDue.month() - advance.month();
    while (months > 0 && firstDue.addMonths(-months) < advance)
        --months;
    return {months, advance.daysTo(firstDue.addMonths(-months))};
}

// The payments' value at the advance, at a monthly rate i, less the advance:
// falls as the rate rises, and is nought at the loan's rate.
struct Equation {
    std::int64_t financed, installment, last;
    int count;
    OddPeriod odd;

    double operator()(double i) const
    {
        const double v = 1 / (1 + i);
        double discount = std::pow(v, odd.months), sum = 0;
        for (int k = 1; k < count; ++k) {
            sum += installment * discount;
            discount *= v;
        }
        sum += last * discount;
        return sum / (1 + odd.days / 30.0 * i) - financed;
    }
};

} // namespace

double applicationFee(double financed)
{
    if (!(std::abs(financed) < kLargestAmount) || financed <= 0)
        return 0;
    return (2000 + cents(financed) / 100) / 100.0;
}

NoRate whyNoRate(const ConsumerLoan& loan)
{
    // Beyond a trillion no loan is meant, and the sums in cents below must not overflow.
    for (const double amount : {loan.financed, loan.totalOfPayments, loan.installment, loan.feeNotInRate}) {
        if (!(std::abs(amount) < kLargestAmount))
            return NoRate::NoSchedule;
    }
    if (cents(loan.financed) <= 0)
        return NoRate::NothingFinanced;
    if (cents(loan.totalOfPayments) < cents(loan.financed))
        return NoRate::ChargeBelowZero;
    if (!loan.advance.isValid() || !loan.firstDue.isValid() || loan.firstDue <= loan.advance)
        return NoRate::DueNotAfterAdvance;
    if (loan.installments < 1 || cents(loan.installment) < 0
        || cents(loan.totalOfPayments) < (loan.installments - 1) * cents(loan.installment))
        return NoRate::NoSchedule;
    return NoRate::None;
}

std::optional<double> annualPercentageRate(const ConsumerLoan& loan)
{
    if (whyNoRate(loan) != NoRate::None)
        return std::nullopt;
    const std::int64_t installment = cents(loan.installment);
    const Equation balance{cents(loan.financed) + cents(loan.feeNotInRate), installment,
                           cents(loan.totalOfPayments) - (loan.installments - 1) * installment,
                           loan.installments, oddPeriod(loan.advance, loan.firstDue)};
    // The payments cover the advance at a rate of nought; find a rate they no
    // longer cover, then halve the gap until it is far below a cent of a percent.
    if (balance(0) <= 0)
        return 0.0;
    double low = 0, high = 1;
    while (balance(high) > 0) {
        high *= 2;
        if (high > 1e12)
            return std::nullopt;
    }
    for (int step = 0; step < 200 && high - low > 1e-15 * high; ++step) {
        const double mid = (low + high) / 2;
        (balance(mid) > 0 ? low : high) = mid;
    }
    return (low + high) / 2 * 12 * 100;
}

QString rateText(double percent)
{
    const QString text = QString::number(percent, 'f', 2);
    return text == QStringLiteral("-0.00") ? QStringLiteral("0.00") : text;
}
