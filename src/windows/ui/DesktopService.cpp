#include "windows/ui/DesktopService.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

bool QtDesktopService::openFile(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace ui
