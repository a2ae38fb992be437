#include "model/print/DrawingSurface.h"

#include <cmath>

namespace print {

void DrawBox(DrawingSurface& surface, const MmBox& box)
{
    const Mm right = box.left + box.width;
    const Mm bottom = box.top + box.height;
    surface.line(right, box.top, right, bottom);
    surface.line(right, bottom, box.left, bottom);
    surface.line(box.left, bottom, box.left, box.top);
}

void PrintCentered(DrawingSurface& surface, const QString& text)
{
    const Mm width(roundHalfEven(surface.textWidth(text).value));
    surface.setCurrentX(Mm(108.5) - width / 2);
    surface.printLine(text);
}

double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5)
        return floor;
    if (fraction > 0.5)
        return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

} // namespace print
