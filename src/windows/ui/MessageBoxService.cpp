#include "windows/ui/MessageBoxService.h"

#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {
QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtMessageBoxService::show(QWidget* parent, const QString& text, MessageIcon icon,
                               const QString& title, MessageButtons)
{
    QMessageBox box(toQtIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtMessageBoxService::ask(QWidget* parent, const QString& text, MessageIcon icon, const QString& title)
{
    // No is the default: Enter alone never replaces anything.
    QMessageBox box(toQtIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Reply QtMessageBoxService::askOrOther(QWidget* parent, const QString& text, MessageIcon icon, const QString& title,
                                      const QString& other)
{
    QMessageBox box(toQtIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    QAbstractButton* third = box.addButton(other, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    const int pressed = box.exec();
    if (box.clickedButton() == third)
        return Reply::Other;
    return pressed == QMessageBox::Yes ? Reply::Yes : Reply::No;
}

} // namespace ui
