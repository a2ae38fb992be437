#include "windows/ui/WindowFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

namespace ui {

namespace {

// For a family it does not hold, Qt asks fontconfig to sort every installed
// face by likeness, a few milliseconds at every start; naming only the first
// of the families that is installed skips that. Where none is (Arial is then
// only fontconfig's alias), the whole list goes as it is and fontconfig chooses.
const QStringList& windowFamilies()
{
    static const QStringList families = [] {
        const QStringList wanted{QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                                 QStringLiteral("Liberation Sans")};
        // The installed families as they are: hasFamily() would also ask
        // fontconfig what each missing one stands for.
        const QStringList installed = QFontDatabase::families();
        for (const QString& family : wanted)
            if (installed.contains(family, Qt::CaseInsensitive))
                return QStringList{family};
        return wanted;
    }();
    return families;
}

} // namespace

QFont windowFont(double pointSize, bool bold, bool italic)
{
    QFont font;
    font.setFamilies(windowFamilies());
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
