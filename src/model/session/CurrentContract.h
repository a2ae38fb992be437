#pragma once

#include "model/store/PoliciesColumns.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>

// The one contract in the making: the totals and terms worked out by the policy
// schedule, carried to the loan-terms window, and the copies of the schedule
// that saving takes. Amounts are doubles; once the loan-terms window has shown
// an amount it holds the value of the shown two-decimal text, so every later
// term is built from what the user sees.
struct CurrentContract {
    QString APR;
    double Section1 = 0, Section2 = 0, Section3 = 0, Section4 = 0;
    double TotalSections = 0;
    double Down = 0;
    double Financed = 0;
    double FinCharge = 0;
    double InstallmentAmt = 0;
    double Payments = 0;
    std::int16_t InstallmentNum = 0;
    QDate EarliestInception;
    bool AprKept = true;

    // Slot copies of the saved schedule rows, index 0 is slot 1.
    std::array<QString, store::kPolicySlots> PolicyNo, Agent, Premium, Coverage, Inception, Expiration, Term;
    QString Tax, Fees, Surcharge, Other, Description;
    QString LoanAuthorization;
};
