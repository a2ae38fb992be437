#include "support/RecordingSurface.h"

#include "print/PrinterError.h"

namespace {
bool same(double a, double b) { return qAbs(a - b) < 1e-9; }
} // namespace

const Drawing::Text* Drawing::find(const QString& text, int onPage) const
{
    for (const Text& t : texts)
        if (t.page == onPage && t.text == text)
            return &t;
    return nullptr;
}

QString Drawing::textAt(int onPage, double x, double y) const
{
    for (const Text& t : texts)
        if (t.page == onPage && same(t.x, x) && same(t.y, y))
            return t.text;
    return QStringLiteral("<nothing>");
}

RecordingSurface::RecordingSurface() : m_device(8, 8, QImage::Format_RGB32)
{
    const int dotsPerMetre = qRound(1200 / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMetre);
    m_device.setDotsPerMeterY(dotsPerMetre);
}

double RecordingSurface::textWidth(const QString& text) const
{
    return print::SurfaceFontMetrics(font(), &m_device).textWidth(text);
}

double RecordingSurface::lineHeight() const { return print::SurfaceFontMetrics(font(), &m_device).lineHeight(); }

void RecordingSurface::drawText(double x, double y, const QString& text)
{
    operation();
    drawing->texts.append({drawing->page, x, y, text});
}

void RecordingSurface::line(double, double, double, double)
{
    operation();
}

void RecordingSurface::newPage()
{
    operation();
    ++drawing->newPages;
    ++drawing->page;
}

void RecordingSurface::endDoc()
{
    operation();
    ++drawing->endDocs;
}

void RecordingSurface::operation()
{
    if (drawing->failed) {
        ++drawing->callsAfterFailure;
        return;
    }
    if (drawing->page == drawing->failOnPage) {
        drawing->failed = true;
        throw print::PrinterError("recorded printer failure");
    }
}
