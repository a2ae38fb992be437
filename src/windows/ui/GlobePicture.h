#pragma once

#include <QIcon>
#include <QPixmap>
#include <QWidget>

class QPainter;

namespace ui {

// The pale globe that stands behind the controls of the main window, the two
// people dialogs and the loan-terms window. It is laid out at 369 x 342 pixels
// and painted as lines and curves straight into whatever rectangle it is given,
// so it stays sharp at any screen scaling; each size is drawn once and then
// kept (ui/KeptDrawing.h). It takes no clicks and no focus, so the controls
// above it work as usual.
class GlobePicture : public QWidget {
    Q_OBJECT
public:
    explicit GlobePicture(QWidget* parent = nullptr);

    // Paints the globe stretched into target.
    static void paint(QPainter& painter, const QRectF& target);

    // The globe in stronger colours, as the windows' and the menu entry's icon.
    static QIcon icon();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The globe as last drawn, at the widget's size and the screen's scaling:
    // every button pressed above it has the part below it painted again.
    QPixmap m_drawn;
};

} // namespace ui
