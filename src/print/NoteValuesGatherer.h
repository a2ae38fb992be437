#pragma once

#include "print/NoteValues.h"

struct Session;

namespace print {

// The note's values: what the policy schedule and the loan-terms window show,
// and the session's agent, customer and version.
NoteValues gatherNoteValues(const ScheduleValues& schedule, const ReviewValues& review, const Session& session);

} // namespace print
