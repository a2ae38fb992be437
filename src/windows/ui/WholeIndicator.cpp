#include "windows/ui/WholeIndicator.h"

#include <QAbstractButton>

namespace ui {

void showWholeIndicator(QAbstractButton* button)
{
    const QSize needed = button->sizeHint();
    button->resize(std::max(button->width(), needed.width()), std::max(button->height(), needed.height()));
}

} // namespace ui
