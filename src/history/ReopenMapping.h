#pragma once

#include "app/PartyRecords.h"
#include "history/ContractHistoryStore.h"

#include <QList>
#include <QString>

class QWidget;

namespace history {

// One control of the policy schedule to fill: its text, and the check box to
// tick after it (Section 4 amounts only).
struct FieldWrite {
    QString field;
    QString text;
    QString tickBox;

    bool operator==(const FieldWrite&) const = default;
};

// What reopening a stored contract puts back on screen, in the order it is
// applied: the contract's four header values and the schedule's controls.
struct ReopenPlan {
    QString dba, agentName, customerName, agentCompany;
    QList<FieldWrite> writes;
};

// Works out the plan from a stored row. Slots 1 to 4 go to the rows of
// Section 1, slots 5 to 7 to those of Section 2; slot 8 is not read. A column
// is written only when it holds a text; a Section 4 amount only when that text
// is not "0", and its box is ticked.
ReopenPlan planReopen(const StoredContract& contract);

// The header values belong to the contract itself: they are written even when
// stored empty, so another contract's agent or customer never stays behind.
void applyParties(const ReopenPlan& plan, AgentRecord& agent, CustomerRecord& customer);

// Writes the plan into the schedule window's controls, found by name; a
// control that is not there is skipped.
void applySchedule(const ReopenPlan& plan, QWidget* schedule);

} // namespace history
