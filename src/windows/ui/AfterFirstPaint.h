#pragma once

#include <functional>

class QWidget;

namespace ui {

// Runs work once, on the turn of the event loop after the window's first
// paint: what a start can leave until the user sees the window waits for it.
// Should the program get a key or a click before then (typed ahead while it
// started, say), work runs first, so nothing the user does meets the start
// half done.
void afterFirstPaint(QWidget* window, std::function<void()> work);

} // namespace ui
