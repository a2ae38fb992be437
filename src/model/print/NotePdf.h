#pragma once

#include "model/print/LenderTexts.h"
#include "model/print/NoteValues.h"

#include <QString>

#include <memory>

class QPrinter;

namespace print {

// A printer whose job becomes the PDF file at path: the note's two pages,
// without a printer's copies or orientation choices.
std::unique_ptr<QPrinter> pdfPrinter(const QString& path);

// Writes the whole note as a PDF file at path, readable and writable by its
// owner alone: a kept note holds a customer's data. False when it could not
// be written whole; nothing is left under the name then.
bool writePrivateNotePdf(const QString& path, const NoteValues& values, const LenderTexts& lender);

} // namespace print
