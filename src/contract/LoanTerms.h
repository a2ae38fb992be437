#pragma once

#include <QStringList>

struct CurrentContract;

// The finance charge for an amount financed: 5 % + 20 below 10000, 4 % + 20 from 10000 on.
double financeChargeFor(double financed);

// The amount texts that count towards each section when Next >> is pressed:
// the non-empty premiums of Sections 1 to 3, and the ticked Section 4 amounts
// in the order tax, fees, surcharge, other.
struct ScheduleAmounts {
    QStringList section1, section2, section3, section4;
};

// Works out the section totals and the first loan terms into the contract:
// sums in exact four-decimal form, down payment 25/30/33 % + Section 4, amount
// financed, finance charge, total of payments, 8 installments; and AprKept is
// true again, as a fresh set of terms starts. Nothing else of the contract
// changes. False, with the contract unchanged, when a text fails isNumericText
// or a sum leaves the fixed-point range.
bool workOutFirstTerms(const ScheduleAmounts& amounts, CurrentContract& contract);
