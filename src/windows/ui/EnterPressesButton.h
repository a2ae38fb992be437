#pragma once

class QWidget;

namespace ui {

// Enter and Return press the focused push button of the window, as Space
// does: the buttons are not default buttons, so without this the keys would
// do nothing there. Call once the window's buttons exist.
void letEnterPressFocusedButton(QWidget* window);

} // namespace ui
