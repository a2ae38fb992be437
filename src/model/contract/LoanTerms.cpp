#include "model/contract/LoanTerms.h"

#include "model/contract/FixedAmount.h"
#include "model/contract/TermsReview.h"
#include "model/session/CurrentContract.h"

#include <cmath>
#include <optional>

namespace {

constexpr int kFirstInstallmentCount = 8;

std::optional<FixedAmount> sumOf(const QStringList& texts)
{
    FixedAmount sum;
    for (const QString& text : texts) {
        const std::optional<FixedAmount> amount = FixedAmount::fromText(text);
        if (!amount)
            return std::nullopt;
        const std::optional<FixedAmount> next = sum.plus(*amount);
        if (!next)
            return std::nullopt;
        sum = *next;
    }
    return sum;
}

// The amounts of one section in ten-thousandths. Each typed amount fits 64
// bits; sums are held in 128, so no schedule overflows them.
using Units = __int128;

QList<Units> unitsOf(const QStringList& texts)
{
    QList<Units> units;
    for (const QString& text : texts)
        units << FixedAmount::fromText(text).value_or(FixedAmount()).units();
    return units;
}

Units totalOf(const QList<Units>& units)
{
    Units sum = 0;
    for (const Units amount : units)
        sum += amount;
    return sum;
}

// The places of the amounts that pull `total` out of what a box shows: the
// negative ones below 0.00, the positive ones above; none while it fits.
QList<int> pullingOutOfRange(const QList<Units>& units, Units total)
{
    static const Units kLargest = std::llround(kLargestShownAmount * 10000);
    QList<int> places;
    if (total >= 0 && total <= kLargest)
        return places;
    for (int i = 0; i < units.size(); ++i)
        if (total < 0 ? units[i] < 0 : units[i] > 0)
            places << i;
    return places;
}

} // namespace

std::optional<TotalsOutOfRange> totalsOutOfRange(const ScheduleAmounts& amounts)
{
    const std::array<QList<Units>, 4> units = {unitsOf(amounts.section1), unitsOf(amounts.section2),
                                               unitsOf(amounts.section3), unitsOf(amounts.section4)};
    TotalsOutOfRange refused;
    for (int s = 0; s < 4; ++s) {
        refused.amounts[s] = pullingOutOfRange(units[s], totalOf(units[s]));
        if (refused.section == 0 && !refused.amounts[s].isEmpty())
            refused.section = s + 1;
    }
    if (refused.section != 0)
        return refused;
    // Sections that fit each can still add up to more than the Grand Total's
    // box shows: the section that takes it over is refused.
    Units grandTotal = 0;
    for (int s = 0; s < 4; ++s) {
        grandTotal += totalOf(units[s]);
        refused.amounts[s] = pullingOutOfRange(units[s], grandTotal);
        if (!refused.amounts[s].isEmpty()) {
            refused.section = s + 1;
            refused.grandTotal = true;
            return refused;
        }
    }
    return std::nullopt;
}

double financeChargeFor(double financed)
{
    // No credit, no charge: a schedule that finances nothing (an empty one, or
    // one paid in full by its down payment) must not show a $20 loan.
    if (financed <= 0)
        return 0;
    return financed < 10000 ? financed * 0.05 + 20 : financed * 0.04 + 20;
}

void beginNewContract(CurrentContract& contract) { contract.LoanAuthorization.clear(); }

bool workOutFirstTerms(const ScheduleAmounts& amounts, const QDate& earliestInception, CurrentContract& contract)
{
    const std::optional<FixedAmount> s1 = sumOf(amounts.section1);
    const std::optional<FixedAmount> s2 = sumOf(amounts.section2);
    const std::optional<FixedAmount> s3 = sumOf(amounts.section3);
    const std::optional<FixedAmount> s4 = sumOf(amounts.section4);
    if (!s1 || !s2 || !s3 || !s4)
        return false;
    std::optional<FixedAmount> total = s1->plus(*s2);
    if (total)
        total = total->plus(*s3);
    if (total)
        total = total->plus(*s4);
    if (!total)
        return false;

    contract.Section1 = s1->toDouble();
    contract.Section2 = s2->toDouble();
    contract.Section3 = s3->toDouble();
    contract.Section4 = s4->toDouble();
    contract.TotalSections = total->toDouble();
    contract.Down = contract.Section1 * 0.25 + contract.Section2 * 0.30 + contract.Section3 * 0.33
                    + contract.Section4;
    contract.Financed = contract.TotalSections - contract.Down;
    contract.FinCharge = financeChargeFor(contract.Financed);
    contract.Payments = contract.Financed + contract.FinCharge;
    contract.InstallmentNum = kFirstInstallmentCount;
    contract.InstallmentAmt = contract.Payments > 0 ? contract.Payments / kFirstInstallmentCount : 0;
    contract.EarliestInception = earliestInception;
    contract.AprKept = true;
    return true;
}
