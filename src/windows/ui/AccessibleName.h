#pragma once

#include <QString>

class QWidget;

namespace ui {

// The name a screen reader announces for a control, made from the caption the
// user sees beside it: blanks run together, a closing full stop dropped
// ("Number of Installments." is read as "Number of Installments").
QString accessibleNameFrom(const QString& caption);

// Gives control the accessible name made from caption.
void nameFromCaption(QWidget* control, const QString& caption);

} // namespace ui
