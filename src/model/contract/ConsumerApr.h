#pragma once

#include <QDate>
#include <QString>

#include <optional>

// A consumer loan as its rate sees it: one advance of the amount financed and
// of any fee that is no finance charge, then a payment each month on the day of
// the first installment; every payment is the installment amount but the last,
// which is what the total of payments still owes, so no cent cut from the
// installments is lost.
struct ConsumerLoan {
    double financed = 0;
    double totalOfPayments = 0;
    double installment = 0;
    int installments = 0;
    QDate advance;
    QDate firstDue;
    // Charged to every applicant whether or not credit is extended, so the
    // rate counts it as advanced, not as a cost of the credit.
    double feeNotInRate = 0;
};

// The non-refundable application/filing fee the note's footnote leaves out of
// the rate: $20 plus 1 % of the amount financed, cut to the cent as every
// amount the program shows.
double applicationFee(double financed);

// Why a loan has no rate.
enum class NoRate {
    None,
    NothingFinanced,
    ChargeBelowZero,
    DueNotAfterAdvance,
    // Terms no payment schedule can come from (no installments, payments that
    // do not add up); the window refuses such terms before asking.
    NoSchedule,
};
NoRate whyNoRate(const ConsumerLoan& loan);

// The annual percentage rate, in percent, by the actuarial method of the
// federal Truth in Lending rule: a monthly unit period, twelve to the year; the
// odd first period is the whole months counted back from the first installment
// (a day an earlier month lacks becomes its last day) plus the days left over
// to the advance, each a thirtieth of a month. Solved to far inside the rule's
// tolerance of an eighth of a point. A total of payments that does not exceed
// the amount financed and the fee gives 0. Empty when whyNoRate gives a reason.
std::optional<double> annualPercentageRate(const ConsumerLoan& loan);

// A rate as it is shown, saved and printed: rounded (not cut) to two decimals.
QString rateText(double percent);
