#pragma once

#include "model/print/NoteValues.h"

struct Session;

namespace print {

// The note's values: what the policy schedule and the loan-terms window show,
// and the session's agent, customer and version.
NoteValues gatherNoteValues(const ScheduleValues& schedule, const ReviewValues& review, const Session& session);

// The same from the parties and version given.
NoteValues gatherNoteValues(const ScheduleValues& schedule, const ReviewValues& review, const AgentRecord& agent,
                            const CustomerRecord& customer, const QString& version);

} // namespace print
