#pragma once

#include "model/print/DrawingSurface.h"

#include <QStringList>

// Small steps the note's pages are written in.
namespace print::writing {

using namespace literals;

// Back to the note's plain face at the given size.
inline void plainFont(DrawingSurface& s, double size)
{
    s.font() = SurfaceFont{};
    s.font().size = size;
}

inline void at(DrawingSurface& s, Mm x, Mm y, const QString& text)
{
    s.setCurrentX(x);
    s.setCurrentY(y);
    s.printLine(text);
}

// On the line the previous one left off at.
inline void next(DrawingSurface& s, Mm x, const QString& text)
{
    s.setCurrentX(x);
    s.printLine(text);
}

// The agreement columns pack their lines 0.54 mm closer than the font's line height.
inline constexpr Mm kTightening = 0.54_mm;

inline void tight(DrawingSurface& s, Mm x, const QString& text)
{
    s.setCurrentY(s.currentY() - kTightening);
    next(s, x, text);
}

inline void tightLines(DrawingSurface& s, Mm x, const QStringList& lines)
{
    for (const QString& line : lines)
        tight(s, x, line);
}

inline void nextLines(DrawingSurface& s, Mm x, const QStringList& lines)
{
    for (const QString& line : lines)
        next(s, x, line);
}

// Ends at x = right.
inline void rightAligned(DrawingSurface& s, Mm right, const QString& text)
{
    s.setCurrentX(right - s.textWidth(text));
    s.printLine(text);
}

} // namespace print::writing
