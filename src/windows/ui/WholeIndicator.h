#pragma once

class QAbstractButton;

namespace ui {

// Option buttons were laid out for a smaller indicator than
// this style draws; the button keeps its designed top-left corner and grows
// just enough that the indicator and caption show whole, at any scaling.
void showWholeIndicator(QAbstractButton* button);

} // namespace ui
