#include "windows/ui/AccessibleName.h"

#include <QWidget>

namespace ui {

QString accessibleNameFrom(const QString& caption)
{
    QString name = caption.simplified();
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

void nameFromCaption(QWidget* control, const QString& caption)
{
    control->setAccessibleName(accessibleNameFrom(caption));
}

} // namespace ui
