#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

// Window layouts are written in twips, as the forms were designed; 15 twips
// make one device-independent pixel, and Qt scales pixels on high-DPI screens.
namespace ui {

struct Twips {
    int value;
};

constexpr int kTwipsPerPixel = 15;

// A control's designed place: its top-left corner and size, in twips.
struct TwipsRect {
    int left, top, width, height;
};

constexpr int toPixels(Twips t)
{
    // Round half away from zero so that 7 px and 8 px boundaries match the designer's grid.
    return t.value >= 0 ? (t.value + kTwipsPerPixel / 2) / kTwipsPerPixel
                        : -((-t.value + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(toPixels({left}), toPixels({top}), toPixels({width}), toPixels({height}));
}

inline QSize twipsSize(int width, int height)
{
    return QSize(toPixels({width}), toPixels({height}));
}

// Places a child control at its designed position.
inline void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

inline void placeTwips(QWidget* widget, TwipsRect box)
{
    placeTwips(widget, box.left, box.top, box.width, box.height);
}

// Gives a window its designed inner area; windows of this program do not resize.
inline void setInnerSizeTwips(QWidget* window, int width, int height)
{
    window->setFixedSize(twipsSize(width, height));
}

} // namespace ui
