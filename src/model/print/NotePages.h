#pragma once

#include "model/print/DrawingSurface.h"
#include "model/print/LenderTexts.h"
#include "model/print/NoteValues.h"

namespace print {

// The whole PREMIUM FINANCE NOTE: page 1's form and figures, page 2, then
// the end of the job. The printer, the kept PDF file, the preview and the
// tests all draw through here, so what they show cannot come apart.
void drawNote(DrawingSurface& surface, const NoteValues& values, const LenderTexts& lender);

// What the three page procedures draw with: the surface, the contract's
// values, the lender's texts, and the note's two type sizes, which page 1 sets
// and page 2 sets again.
struct NoteJob {
    DrawingSurface& surface;
    const NoteValues& values;
    const LenderTexts& lender;
    double TitleFontSize = 12;
    double BodyFontSize = 8;
};

// Page 1 without the contract: title, boxes, captions, rules, agreement, signatures, footer.
void PrintPage1Form(NoteJob& job);
// The contract's figures and schedule onto page 1.
void PrintPage1Data(NoteJob& job);
// Starts page 2 and draws it whole: mailing, instructions, payment direction, agent's statement.
void PrintPage2(NoteJob& job);

} // namespace print
