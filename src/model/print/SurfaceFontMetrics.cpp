#include "model/print/SurfaceFontMetrics.h"

#include <QFontMetricsF>
#include <QPaintDevice>

namespace print {

QFont toQFont(const SurfaceFont& font)
{
    QFont qfont(font.name);
    qfont.setPointSizeF(font.size);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikethrough);
    // Printed widths must follow the outlines, not screen hinting.
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setKerning(false);
    return qfont;
}

SurfaceFontMetrics::SurfaceFontMetrics(const SurfaceFont& font, QPaintDevice* device)
    : m_font(toQFont(font)), m_device(device), m_mmPerDot(25.4 / device->logicalDpiX())
{
}

double SurfaceFontMetrics::textWidth(const QString& text) const
{
    return QFontMetricsF(m_font, m_device).horizontalAdvance(text) * m_mmPerDot;
}

double SurfaceFontMetrics::lineHeight() const
{
    return QFontMetricsF(m_font, m_device).lineSpacing() * m_mmPerDot;
}

double SurfaceFontMetrics::ascent() const
{
    return QFontMetricsF(m_font, m_device).ascent() * m_mmPerDot;
}

} // namespace print
