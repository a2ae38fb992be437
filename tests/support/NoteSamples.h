#pragma once

#include "print/NotePages.h"

// A full contract as the windows would show it, every field filled so each
// printed value can be told apart from every other.
inline print::NoteValues sampleNoteValues()
{
    print::NoteValues v{.loanAuthorization = "LA-7781", .amountFinanced = "2120.00", .financeCharge = "126.00",
                        .totalOfPayments = "2246.00", .apr = "10.50", .numberOfInstallments = "8",
                        .amountOfInstallments = "280.75", .firstInstallmentDue = "1/15/2025", .sections = {},
                        .tax = {true, "100.00"}, .fees = {}, .surcharge = {}, .other = {true, "7.50"},
                        .description = "STAMPING FEE", .totalSections = "3100.00", .downPayment = "980.00",
                        .agent = {"Sam Agent", "Agency One", "99 Oak Ave", "Floor 2", "Plano", "TX", "75024",
                                  "972-555-0110", "972-555-0111"},
                        .customer = {"Jane Q. Insured", "Insured Hauling LLC", "12 Elm St", "Suite 4", "Dallas",
                                     "TX", "75201", "214-555-0100", "214-555-0101"},
                        .version = "8.0"};
    for (int s = 0; s < 3; ++s)
        for (int row = 0; row < print::kSectionRows[s]; ++row) {
            const QString tag = QStringLiteral("%1.%2").arg(s + 1).arg(row);
            v.sections[s].append({"POL" + tag, "COMPANY " + tag, "1000." + tag.right(1) + "0", "COV" + tag,
                                  "01/1" + tag.right(1) + "/24", "01/1" + tag.right(1) + "/25", "12." + tag});
        }
    return v;
}

// Draws the whole note on a surface, with the built-in lender texts.
inline void drawNote(print::DrawingSurface& surface, const print::NoteValues& values = sampleNoteValues())
{
    print::drawNote(surface, values, print::defaultLenderTexts());
}
