#include "windows/ui/FileDialogService.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace ui {

QString toQtFilter(const QString& pipeFilter)
{
    // The pipe form alternates a description and its pattern; Qt shows the
    // description, which already names the pattern in brackets.
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        if (description.contains(QLatin1Char('(')))
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(description, pattern);
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtFileDialogService::getOpenFileName(QWidget* parent, const OpenFileRequest& request)
{
    QString folder = request.initialFolder;
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    return QFileDialog::getOpenFileName(parent, request.title, folder, toQtFilter(request.filter));
}

QString QtFileDialogService::getSaveFileName(QWidget* parent, const OpenFileRequest& request)
{
    return QFileDialog::getSaveFileName(parent, request.title, request.initialFolder, toQtFilter(request.filter));
}

} // namespace ui
