#pragma once

#include <QFont>

class QWidget;

namespace ui {

// The forms' default face is 8.25-point MS Sans Serif. Where that face is missing
// the families fall back to Arial, which fontconfig maps to Liberation Sans,
// whose widths come closest, so captions fit the boxes they were laid out for.
QFont windowFont(double pointSize = 8.25, bool bold = false, bool italic = false);

// Sets a window's default font; children inherit it.
void applyWindowFont(QWidget* window);

} // namespace ui
