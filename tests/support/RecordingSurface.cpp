#include "support/RecordingSurface.h"

#include "print/PrinterError.h"
#include "print/SurfaceFontMetrics.h"

namespace {
constexpr double kDotsPerInch = 1200;
}

RecordingSurface::RecordingSurface() : m_device(8, 8, QImage::Format_RGB32)
{
    const int dotsPerMetre = qRound(kDotsPerInch / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMetre);
    m_device.setDotsPerMeterY(dotsPerMetre);
}

double RecordingSurface::textWidth(const QString& text) const
{
    return print::SurfaceFontMetrics(font(), &m_device).textWidth(text);
}

double RecordingSurface::lineHeight() const
{
    return print::SurfaceFontMetrics(font(), &m_device).lineHeight();
}

double RecordingSurface::lineHeightAt(double size) const
{
    print::SurfaceFont plain;
    plain.size = size;
    return print::SurfaceFontMetrics(plain, &m_device).lineHeight();
}

double RecordingSurface::widthAt(const QString& text, double size, bool bold) const
{
    print::SurfaceFont plain;
    plain.size = size;
    plain.bold = bold;
    return print::SurfaceFontMetrics(plain, &m_device).textWidth(text);
}

void RecordingSurface::drawText(double x, double y, const QString& text)
{
    operation();
    texts.append({page, x, y, text, font(), originX(), originY(), calls});
}

void RecordingSurface::line(double x1, double y1, double x2, double y2)
{
    operation();
    strokes.append({page, x1, y1, x2, y2, calls});
}

void RecordingSurface::newPage()
{
    operation();
    ++newPageCalls;
    ++page;
}

void RecordingSurface::endDoc()
{
    operation();
    ++endDocCalls;
}

QList<RecordingSurface::Text> RecordingSurface::textsOn(int onPage) const
{
    QList<Text> found;
    for (const Text& t : texts)
        if (t.page == onPage)
            found.append(t);
    return found;
}

const RecordingSurface::Text* RecordingSurface::find(const QString& text, int onPage) const
{
    for (const Text& t : texts)
        if (t.text == text && (onPage == 0 || t.page == onPage))
            return &t;
    return nullptr;
}

QList<RecordingSurface::Stroke> RecordingSurface::strokesOn(int onPage) const
{
    QList<Stroke> found;
    for (const Stroke& s : strokes)
        if (s.page == onPage)
            found.append(s);
    return found;
}

const RecordingSurface::Text* RecordingSurface::textAt(int onPage, double x, double y) const
{
    for (const Text& t : texts)
        if (t.page == onPage && qAbs(t.x - x) < 1e-9 && qAbs(t.y - y) < 1e-9)
            return &t;
    return nullptr;
}

int RecordingSurface::strokeCount(int onPage, double x1, double y1, double x2, double y2) const
{
    int count = 0;
    for (const Stroke& s : strokes)
        if (s.page == onPage && qAbs(s.x1 - x1) < 1e-9 && qAbs(s.y1 - y1) < 1e-9 && qAbs(s.x2 - x2) < 1e-9
            && qAbs(s.y2 - y2) < 1e-9)
            ++count;
    return count;
}

void RecordingSurface::operation()
{
    ++calls;
    if (failed) {
        ++callsAfterFailure;
        return;
    }
    if (page == failOnPage) {
        failed = true;
        throw print::PrinterError("recorded printer failure");
    }
}
