#pragma once

#include "print/LenderTexts.h"
#include "print/NotePages.h"
#include "print/NoteValues.h"
#include "support/RecordingSurface.h"

// A full contract as the windows would show it: every field filled, so each
// printed value can be told apart from every other.
print::NoteValues sampleNoteValues();

// Runs the three page procedures on a recording surface, as the print command does.
struct RecordedNote {
    RecordingSurface surface;
    double titleSize = 0, bodySize = 0;
    print::LenderTexts lender = print::defaultLenderTexts();

    explicit RecordedNote(const print::NoteValues& values = sampleNoteValues());
};
