#pragma once

#include "model/print/DrawingSurface.h"

#include <QFileDevice>
#include <QPainter>
#include <QString>

#include <memory>

class QPrinter;

namespace print {

class PdfFileTarget;

// Draws with QPainter on a QPrinter: a real printer, or a PDF file whose
// printable area is inset 6.35 mm on every side, as on a typical office printer.
// The job starts with the first drawing and goes to the printer at endDoc();
// a PDF file appears under its name only once it is complete.
class PainterSurface final : public DrawingSurface {
public:
    // A note printed to a file is an ordinary document the user may pass on:
    // what the user's umask leaves of read and write for everyone.
    static constexpr QFileDevice::Permissions kDocumentPermissions =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup |
        QFileDevice::ReadOther | QFileDevice::WriteOther;

    // Takes over a printer already set up for the job (name, job settings, or
    // PDF output); a PDF file is made with pdfPermissions, narrowed by the umask.
    explicit PainterSurface(std::unique_ptr<QPrinter> printer,
                            QFileDevice::Permissions pdfPermissions = kDocumentPermissions);
    // Draws on a printer that stays its owner's, such as a print preview's.
    explicit PainterSurface(QPrinter& printer);
    ~PainterSurface() override;

    // The margin of a PDF page, standing in for a printer's unprintable edge.
    static constexpr double kPdfMarginMm = 6.35;

    void useLetterPortrait() override;
    Mm textWidth(const QString& text) const override;
    Mm lineHeight() const override;
    void line(Mm x1, Mm y1, Mm x2, Mm y2) override;
    void newPage() override;
    void endDoc() override;

protected:
    void drawText(Mm x, Mm y, const QString& text) override;

private:
    void beginIfNeeded();
    void checkPrinter();
    double dots(Mm length) const;
    [[noreturn]] void fail(const char* what);

    std::unique_ptr<QPrinter> m_ownPrinter;
    QPrinter* m_printer;
    std::unique_ptr<PdfFileTarget> m_pdfFile; // set when the job goes to a PDF file
    QPainter m_painter;
    bool m_failed = false;
    bool m_ended = false;
};

} // namespace print
