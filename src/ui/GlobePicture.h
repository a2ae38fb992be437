#pragma once

#include <QImage>
#include <QWidget>

namespace ui {

// The pale globe that stands behind the controls of the main window, the two
// people dialogs and the loan-terms window. It is drawn once at its designed
// size of 369 x 342 pixels and scaled into whatever rectangle it is given.
// It takes no clicks and no focus, so the controls above it work as usual.
class GlobePicture : public QWidget {
    Q_OBJECT
public:
    explicit GlobePicture(QWidget* parent = nullptr);

    // The picture at its designed size.
    static const QImage& image();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui
