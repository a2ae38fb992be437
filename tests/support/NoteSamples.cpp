#include "support/NoteSamples.h"

print::NoteValues sampleNoteValues()
{
    print::NoteValues v;
    v.loanAuthorization = "LA-7781";
    v.amountFinanced = "2120.00";
    v.financeCharge = "126.00";
    v.totalOfPayments = "2246.00";
    v.apr = "10.50";
    v.numberOfInstallments = "8";
    v.amountOfInstallments = "280.75";
    v.firstInstallmentDue = "1/15/2025";
    v.personal = false;
    for (int s = 0; s < 3; ++s)
        for (int row = 0; row < print::kSectionRows[s]; ++row) {
            const QString tag = QStringLiteral("%1.%2").arg(s + 1).arg(row);
            v.sections[s].append({"POL" + tag, "COMPANY " + tag, "1000." + tag.right(1) + "0", "COV" + tag,
                                  "01/1" + tag.right(1) + "/24", "01/1" + tag.right(1) + "/25", "12." + tag});
        }
    v.tax = {true, "100.00"};
    v.fees = {false, "55.00"};
    v.surcharge = {true, "12.34"};
    v.other = {true, "7.50"};
    v.description = "STAMPING FEE";
    v.totalSections = "3100.00";
    v.downPayment = "980.00";
    v.customer = {"Jane Q. Insured", "Insured Hauling LLC", "12 Elm St", "Suite 4", "Dallas", "TX", "75201",
                  "214-555-0100", "214-555-0101"};
    v.agent = {"Sam Agent", "Agency One", "99 Oak Ave", "Floor 2", "Plano", "TX", "75024", "972-555-0110",
               "972-555-0111"};
    v.version = "8.0";
    return v;
}

RecordedNote::RecordedNote(const print::NoteValues& values)
{
    print::NoteJob job{surface, values, lender, titleSize, bodySize};
    print::PrintPage1Form(job);
    print::PrintPage1Data(job);
    print::PrintPage2(job);
}
