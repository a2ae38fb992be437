#pragma once

#include "print/NoteValues.h"

class QWidget;
struct Session;

namespace print {

// Reads the note's values from the controls of the policy schedule and of the
// loan-terms window, found by their names, and from the session's agent,
// customer and version. A control that is missing reads as empty.
NoteValues gatherNoteValues(const QWidget* schedule, const QWidget* review, const Session& session);

} // namespace print
