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

// A control's designed place: its top-left corner and size, in twips. Every
// placement takes the whole rectangle (or size) in this one order.
struct TwipsRect {
    int left, top, width, height;
};

// Where a control of a fixed designed size goes: its top-left corner, in twips.
struct TwipsPoint {
    int left, top;
};

// A window's designed inner area, in twips.
struct TwipsSize {
    int width, height;
};

constexpr int toPixels(Twips t)
{
    // Round half away from zero so that 7 px and 8 px boundaries match the designer's grid.
    return t.value >= 0 ? (t.value + kTwipsPerPixel / 2) / kTwipsPerPixel
                        : -((-t.value + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

inline QRect rectInPixels(TwipsRect box)
{
    return QRect(toPixels({box.left}), toPixels({box.top}), toPixels({box.width}), toPixels({box.height}));
}

inline QSize sizeInPixels(TwipsSize size)
{
    return QSize(toPixels({size.width}), toPixels({size.height}));
}

// Places a child control at its designed position.
inline void placeTwips(QWidget* widget, TwipsRect box)
{
    widget->setGeometry(rectInPixels(box));
}

// Gives a window its designed inner area; windows of this program do not resize.
inline void setInnerSizeTwips(QWidget* window, TwipsSize size)
{
    window->setFixedSize(sizeInPixels(size));
}

} // namespace ui
