#pragma once

#include <QDate>
#include <QList>
#include <QStringList>

#include <array>
#include <optional>

struct CurrentContract;

// The finance charge for an amount financed: 5 % + 20 below 10000, 4 % + 20 from
// 10000 on; nothing when nothing is financed.
double financeChargeFor(double financed);

// The amount texts that count towards each section when Next >> is pressed:
// the non-empty premiums of Sections 1 to 3, and the ticked Section 4 amounts
// in the order tax, fees, surcharge, other.
struct ScheduleAmounts {
    QStringList section1, section2, section3, section4;
};

// A schedule whose totals the review could not show: a section, Section 4 or
// the Grand Total below 0.00 or above the largest amount a box shows.
struct TotalsOutOfRange {
    // The first section refused (1 to 4), and whether it is refused for its own
    // total or for making the Grand Total too large (the sections before it fit).
    int section = 0;
    bool grandTotal = false;
    // For each section, the places in its list of the amounts that pull a total
    // out of range: the negative ones of a total below 0.00, the positive ones
    // of a total too large.
    std::array<QList<int>, 4> amounts;
};
// Every text must pass isNumericText; empty when all totals can be shown.
std::optional<TotalsOutOfRange> totalsOutOfRange(const ScheduleAmounts& amounts);

// The schedule is emptied for a new contract: the loan authorization goes with
// the contract before it. The terms are worked out afresh at Next >>.
void beginNewContract(CurrentContract& contract);

// The schedule's Next >>: works out the section totals and the first loan
// terms into the contract: sums in exact four-decimal form, down payment
// 25/30/33 % + Section 4, amount financed, finance charge, total of payments,
// 8 installments; the credit starts on `earliestInception`; and AprKept is
// true again, as a fresh set of terms starts. Nothing else of the contract
// changes. False, with the contract unchanged, when a text fails isNumericText
// or a sum leaves the fixed-point range.
bool workOutFirstTerms(const ScheduleAmounts& amounts, const QDate& earliestInception, CurrentContract& contract);
