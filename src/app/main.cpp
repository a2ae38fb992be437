#include "app/Application.h"
#include "app/ProcessMemory.h"
#include "model/session/Environment.h"
#include "windows/ui/DesktopService.h"
#include "windows/ui/FileDialogService.h"
#include "windows/ui/GlobePicture.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/PrinterDialogService.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    returnLargeBlocksToTheSystem();
    QApplication qtApp(argc, argv);
    // The per-user folders are then ~/.config/QUILLON and ~/.local/share/QUILLON.
    QApplication::setApplicationName(QStringLiteral("QUILLON"));
    // The program's windows close at its own command (Exit, a close box), not when
    // the last visible window happens to hide.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window carries the globe; the desktop matches the windows to the menu entry.
    QApplication::setWindowIcon(ui::GlobePicture::icon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillon.Quillon"));

    ui::QtMessageBoxService messages;
    ui::QtFileDialogService files;
    ui::QtPrinterDialogService printers;
    ui::QtDesktopService desktop;
    Services services{&messages, &files, &printers, &desktop};

    Application quillon(Environment::forThisMachine(), services);
    if (!quillon.start())
        return 0;
    const int exitCode = qtApp.exec();
    quillon.markCleanEnd();
    return exitCode;
}
