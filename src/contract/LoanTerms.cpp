#include "contract/LoanTerms.h"

#include "session/CurrentContract.h"
#include "contract/FixedAmount.h"

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

} // namespace

double financeChargeFor(double financed)
{
    // No credit, no charge: a schedule that finances nothing (an empty one, or
    // one paid in full by its down payment) must not show a $20 loan.
    if (financed <= 0)
        return 0;
    return financed < 10000 ? financed * 0.05 + 20 : financed * 0.04 + 20;
}

bool workOutFirstTerms(const ScheduleAmounts& amounts, CurrentContract& contract)
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
    contract.AprKept = true;
    return true;
}
