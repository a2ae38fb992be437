#include "model/print/NotePages.h"

namespace print {

void drawNote(DrawingSurface& surface, const NoteValues& values, const LenderTexts& lender)
{
    NoteJob job{surface, values, lender};
    PrintPage1Form(job);
    PrintPage1Data(job);
    PrintPage2(job);
    surface.endDoc();
}

} // namespace print
