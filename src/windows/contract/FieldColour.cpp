#include "windows/contract/FieldColour.h"

#include <QLineEdit>
#include <QPalette>

namespace fieldcolour {

void mark(QLineEdit* field, bool valid)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, valid ? kValid : kInvalid);
    field->setPalette(palette);
}

QColor of(const QLineEdit* field)
{
    return field->palette().color(QPalette::Base);
}

} // namespace fieldcolour
