#pragma once

#include "model/session/PartyRecords.h"

#include <QList>
#include <QString>

#include <array>

namespace print {

// One row of the schedule of policies, as typed.
struct PolicyRowValues {
    QString policy, company, premium, coverage, inception, expiration, term;
    bool operator==(const PolicyRowValues&) const = default;
};

// One special item of Section 4: its box and its amount field.
struct SpecialItemValues {
    bool ticked = false;
    QString amount;
    bool operator==(const SpecialItemValues&) const = default;
};

// What the policy schedule shows, text for text: what the note prints of it,
// what saving copies into the contract and what reopening puts back.
struct ScheduleValues {
    // Sections 1 to 3 with 4, 3 and 3 rows.
    std::array<QList<PolicyRowValues>, 3> sections;
    SpecialItemValues tax, fees, surcharge, other;
    QString description;
    bool operator==(const ScheduleValues&) const = default;
};

// What the loan-terms window shows of the terms, as the note prints them.
struct ReviewValues {
    QString loanAuthorization;
    QString amountFinanced, financeCharge, totalOfPayments, apr;
    QString numberOfInstallments, amountOfInstallments;
    QString firstInstallmentDue; // M/d/yyyy
    bool personal = false;
    QString totalSections, downPayment;
    bool operator==(const ReviewValues&) const = default;
};

// Everything the note prints: what the loan-terms window and the policy
// schedule show, text for text, taken at print time, and the chosen agent and
// customer. The page drawing reads only this.
struct NoteValues {
    ReviewValues review;
    ScheduleValues schedule;
    AgentRecord agent;
    CustomerRecord customer;
    QString version;
};

// Rows of each schedule section, first section first.
inline constexpr std::array<int, 3> kSectionRows = {4, 3, 3};

} // namespace print
