#pragma once

#include "model/print/Millimetres.h"

#include <QString>

namespace print {

// The font of the text a surface prints next.
struct SurfaceFont {
    QString name = QStringLiteral("Arial");
    double size = 8; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    friend bool operator==(const SurfaceFont&, const SurfaceFont&) = default;
};

// A page description in millimetres, x to the right and y downward, drawn the
// way the note's layout is written: set the current position and font, print a
// line, draw straight strokes, start the next page, end the job.
//
// The origin offset says which page coordinate sits at the top-left corner of
// the printer's printable area: with an offset (2, 3) the point (x, y) lands
// x - 2 mm right of and y - 3 mm below that corner.
//
// Any operation may throw PrinterError when the printer fails.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // The note is always printed on Letter paper in portrait; set before page 1.
    virtual void useLetterPortrait() = 0;

    void setOrigin(Mm x, Mm y)
    {
        m_originX = x;
        m_originY = y;
    }
    Mm originX() const { return m_originX; }
    Mm originY() const { return m_originY; }

    void setCurrentX(Mm x) { m_currentX = x; }
    void setCurrentY(Mm y) { m_currentY = y; }
    Mm currentX() const { return m_currentX; }
    Mm currentY() const { return m_currentY; }

    SurfaceFont& font() { return m_font; }
    const SurfaceFont& font() const { return m_font; }

    // Draws the text with its top-left corner at the current position, then
    // moves to the left edge of the printable area and one line down.
    void printLine(const QString& text)
    {
        drawText(m_currentX, m_currentY, text);
        m_currentX = m_originX;
        m_currentY += lineHeight();
    }

    // Width of the text and line height of the current font, in millimetres,
    // from the printer's own font metrics.
    virtual Mm textWidth(const QString& text) const = 0;
    virtual Mm lineHeight() const = 0;

    // One straight black stroke.
    virtual void line(Mm x1, Mm y1, Mm x2, Mm y2) = 0;
    virtual void newPage() = 0;
    // Finishes the job and releases it to the printer.
    virtual void endDoc() = 0;

protected:
    virtual void drawText(Mm x, Mm y, const QString& text) = 0;

private:
    Mm m_originX;
    Mm m_originY;
    Mm m_currentX;
    Mm m_currentY;
    SurfaceFont m_font;
};

// Three strokes of a check box, its top side left open: down the right side,
// along the bottom, up the left side.
void DrawBox(DrawingSurface& surface, const MmBox& box);

// Prints the text as one line centred on the page's middle (108.5 mm) at the
// current y; the width is taken to the whole millimetre, halves to even.
void PrintCentered(DrawingSurface& surface, const QString& text);

// Whole number nearest to value; halves go to the even neighbour.
double roundHalfEven(double value);

} // namespace print
