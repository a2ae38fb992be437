#include "support/FakeServices.h"

void FakeMessageBoxService::show(QWidget*, const QString& text, ui::MessageIcon icon,
                                 const QString& title, ui::MessageButtons buttons)
{
    shown.append({text, icon, title, buttons});
    if (onShow)
        onShow(shown.last());
}

QString FakeFileDialogService::getOpenFileName(QWidget*, const ui::OpenFileRequest& request)
{
    asked.append(request);
    return answers.isEmpty() ? QString() : answers.takeFirst();
}
