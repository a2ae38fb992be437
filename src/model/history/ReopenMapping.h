#pragma once

#include "model/history/ContractHistoryStore.h"
#include "model/print/NoteValues.h"
#include "model/session/PartyRecords.h"

#include <QString>

#include <optional>

namespace history {

// What reopening a stored contract puts back on screen: the contract's four
// header values and the texts of the policy schedule.
struct ReopenPlan {
    QString dba, agentName, customerName, agentCompany;
    print::ScheduleValues schedule;
    // Commercial (true) or Personal (false) as saved; empty for a row saved without one.
    std::optional<bool> commercial;
};

// Works out the plan from a stored row. Slots 1 to 4 go to the rows of
// Section 1, slots 5 to 7 to those of Section 2, slots 9 to 11 to those of
// Section 3; slot 8 is not read. A row older than slots 9 to 11 gives an
// empty Section 3. A column
// is shown only when it holds a text; a Section 4 amount only when that text
// is not "0", and its box is ticked.
ReopenPlan planReopen(const StoredContract& contract);

// The header values belong to the contract itself: they are written even when
// stored empty, so another contract's agent or customer never stays behind.
void applyParties(const ReopenPlan& plan, AgentRecord& agent, CustomerRecord& customer);

} // namespace history
