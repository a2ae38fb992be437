#include "model/print/NotePdf.h"

#include "model/print/NotePages.h"
#include "model/print/PainterSurface.h"

#include <QPrinter>

#include <exception>

namespace print {

std::unique_ptr<QPrinter> pdfPrinter(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(QStringLiteral("PREMIUM FINANCE NOTE"));
    return printer;
}

bool writePrivateNotePdf(const QString& path, const NoteValues& values, const LenderTexts& lender)
{
    try {
        PainterSurface surface(pdfPrinter(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        drawNote(surface, values, lender);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace print
