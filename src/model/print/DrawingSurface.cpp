#include "model/print/DrawingSurface.h"

#include <cmath>

namespace print {

void DrawBox(DrawingSurface& surface, double left, double top, double height, double width)
{
    const double right = left + width;
    const double bottom = top + height;
    surface.line(right, top, right, bottom);
    surface.line(right, bottom, left, bottom);
    surface.line(left, bottom, left, top);
}

void PrintCentered(DrawingSurface& surface, const QString& text)
{
    const double width = roundHalfEven(surface.textWidth(text));
    surface.setCurrentX(108.5 - width / 2);
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
