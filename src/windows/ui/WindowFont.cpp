#include "windows/ui/WindowFont.h"

#include <QStringList>
#include <QWidget>

namespace ui {

QFont windowFont(double pointSize, bool bold, bool italic)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void applyWindowFont(QWidget* window)
{
    window->setFont(windowFont());
}

} // namespace ui
