#pragma once

#include "model/print/DrawingSurface.h"

#include <QFont>

class QPaintDevice;

namespace print {

// The Qt font a surface font stands for.
QFont toQFont(const SurfaceFont& font);

// Font measurements in millimetres on one paint device (a printer, or an
// image at a printer's resolution), so text is measured as that device draws it.
class SurfaceFontMetrics {
public:
    SurfaceFontMetrics(const SurfaceFont& font, QPaintDevice* device);

    double textWidth(const QString& text) const;
    // Ascent + descent + the font's own leading: the advance of one printed line.
    double lineHeight() const;
    double ascent() const;

private:
    QFont m_font;
    QPaintDevice* m_device;
    double m_mmPerDot;
};

} // namespace print
