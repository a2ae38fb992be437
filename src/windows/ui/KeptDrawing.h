#pragma once

#include <QImage>
#include <QString>

namespace ui {

// A drawing kept on disk between runs, exactly as it was painted, so that a
// window's first paint copies it in rather than drawing it again. It is kept
// per user in a folder set once at start; without one nothing is kept.
// Anything that does not read back whole and at the asked size (a file cut
// short, another program's, an older release's) is not used, and the caller
// draws afresh.
class KeptDrawing {
public:
    // The folder kept drawings go to; empty keeps none.
    static void keepIn(const QString& folder);

    // name: what is drawn and how (a new way of drawing takes a new name).
    KeptDrawing(const QString& name, const QSize& pixels);

    // The kept drawing, premultiplied ARGB of the asked size; a null image when none is.
    QImage load() const;
    // Keeps the drawing, replacing any earlier one whole or not at all; a
    // drawing that cannot be kept costs only the next run its drawing.
    void save(const QImage& drawing) const;

private:
    QString m_path;
    QSize m_pixels;
};

} // namespace ui
