#include "model/print/PainterSurface.h"

#include "model/print/PdfFileTarget.h"
#include "model/print/PrinterError.h"
#include "model/print/SurfaceFontMetrics.h"

#include <QPageLayout>
#include <QPrinter>

namespace print {

namespace {
// A thin black stroke that still shows on screen previews of the PDF.
constexpr double kStrokeWidthMm = 0.15;
} // namespace

PainterSurface::PainterSurface(std::unique_ptr<QPrinter> printer, QFileDevice::Permissions pdfPermissions)
    : m_ownPrinter(std::move(printer)), m_printer(m_ownPrinter.get())
{
    // A full disk or a pulled stick must not leave a cut-off note under the
    // chosen name: the job is written beside it and moved there when whole.
    if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty()) {
        m_pdfFile = std::make_unique<PdfFileTarget>(m_printer->outputFileName(), pdfPermissions);
        if (!m_pdfFile->partialPath().isEmpty())
            m_printer->setOutputFileName(m_pdfFile->partialPath());
    }
}

PainterSurface::PainterSurface(QPrinter& printer) : m_printer(&printer)
{
}

PainterSurface::~PainterSurface()
{
    // A job left unfinished (a failure, or nobody called endDoc) is thrown away,
    // never half-sent.
    if (m_painter.isActive()) {
        m_printer->abort();
        m_painter.end();
    }
}

void PainterSurface::useLetterPortrait()
{
    const bool toFile = m_printer->outputFormat() == QPrinter::PdfFormat;
    const QMarginsF margins = toFile ? QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm)
                                     : QMarginsF();
    QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, margins,
                       QPageLayout::Millimeter);
    if (toFile) {
        m_printer->setPageLayout(layout);
    } else {
        m_printer->setPageSize(layout.pageSize());
        m_printer->setPageOrientation(QPageLayout::Portrait);
    }
}

Mm PainterSurface::textWidth(const QString& text) const
{
    return Mm(SurfaceFontMetrics(font(), m_printer).textWidth(text));
}

Mm PainterSurface::lineHeight() const
{
    return Mm(SurfaceFontMetrics(font(), m_printer).lineHeight());
}

void PainterSurface::drawText(Mm x, Mm y, const QString& text)
{
    beginIfNeeded();
    const SurfaceFontMetrics metrics(font(), m_printer);
    m_painter.setFont(toQFont(font()));
    m_painter.drawText(QPointF(dots(x - originX()), dots(y - originY() + Mm(metrics.ascent()))), text);
    checkPrinter();
}

void PainterSurface::line(Mm x1, Mm y1, Mm x2, Mm y2)
{
    beginIfNeeded();
    m_painter.setPen(QPen(Qt::black, dots(Mm(kStrokeWidthMm)), Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(QPointF(dots(x1 - originX()), dots(y1 - originY())),
                       QPointF(dots(x2 - originX()), dots(y2 - originY())));
    checkPrinter();
}

void PainterSurface::newPage()
{
    beginIfNeeded();
    if (!m_printer->newPage())
        fail("the printer refused a new page");
    checkPrinter();
}

void PainterSurface::endDoc()
{
    beginIfNeeded();
    m_ended = true;
    if (!m_painter.end())
        fail("the printer did not accept the job");
    checkPrinter();
    if (m_pdfFile && !m_pdfFile->commit())
        fail("the PDF file could not be written whole");
}

void PainterSurface::beginIfNeeded()
{
    if (m_failed || m_ended)
        fail("the print job is already over");
    if (m_painter.isActive())
        return;
    if (m_pdfFile && m_pdfFile->partialPath().isEmpty())
        fail("the PDF file could not be created");
    if (!m_painter.begin(m_printer))
        fail("the printer could not be opened");
}

void PainterSurface::checkPrinter()
{
    if (m_printer->printerState() == QPrinter::Error || m_printer->printerState() == QPrinter::Aborted)
        fail("the printer reported an error");
}

double PainterSurface::dots(Mm length) const
{
    return length.value * m_printer->resolution() / 25.4;
}

void PainterSurface::fail(const char* what)
{
    m_failed = true;
    throw PrinterError(what);
}

} // namespace print
