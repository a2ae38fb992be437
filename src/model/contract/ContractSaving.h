#pragma once

#include "model/contract/PoliciesRow.h"
#include "model/print/NoteValues.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

struct AgentRecord;
struct CurrentContract;
struct CustomerRecord;
struct Session;

namespace store {
class PendingWrite;
}

// The terms as the loan-terms window shows them, gathered for saving: what the
// note prints, and the date, classification and section totals besides.
struct ReviewedTerms {
    print::ReviewValues shown;
    QDate due;
    bool commercial = true;
    std::array<QString, 4> sections;
};

// Copies the schedule into the contract's slots: Section 1 rows into slots 1 to
// 4, Section 2 rows into slots 5 to 7, Section 3 rows into slots 9 to 11; slot 8
// is left as it was. Also the Section 4 texts and the loan authorization number.
void copyScheduleIntoContract(const print::ScheduleValues& schedule, const QString& loanAuthorization,
                              CurrentContract& contract);

// The new Policies row: the contract's slot copies, the parties, the shown
// terms, Run as local ISO date and time, Due as an ISO date. Texts are taken
// exactly as they stand; Run and Classification always have a value.
PoliciesRow policiesRow(const CurrentContract& contract, const AgentRecord& agent,
                        const CustomerRecord& customer, const ReviewedTerms& terms,
                        const QDateTime& run);

// Saves the contract as the windows show it: one new Policies row built from
// the schedule and the terms, written through `pending` so that every try of
// the same contract carries one token and is stored at most once, above the
// highest ID a kept note names. The session's contract takes the schedule's
// copies only once the row is stored, so a failure leaves everything as it
// was. Returns the new row's ID; throws the store's errors.
std::int64_t saveContract(Session& session, store::PendingWrite& pending, const print::ScheduleValues& schedule,
                          const ReviewedTerms& terms);
