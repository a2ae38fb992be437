#include "app/Application.h"
#include "app/ProcessMemory.h"
#include "model/session/Environment.h"
#include "windows/people/MainWindow.h"
#include "windows/ui/AfterFirstPaint.h"
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
    // The desktop matches the windows to the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillon.Quillon"));

    ui::QtMessageBoxService messages;
    ui::QtFileDialogService files;
    ui::QtPrinterDialogService printers;
    ui::QtDesktopService desktop;
    Services services{&messages, &files, &printers, &desktop};

    Application quillon(Environment::forThisMachine(), services);
    if (!quillon.start())
        return 0;
    // Every window carries the globe, drawn in eight sizes once the first window is painted.
    ui::afterFirstPaint(quillon.mainWindow(), [] { QApplication::setWindowIcon(ui::GlobePicture::icon()); });
    const int exitCode = qtApp.exec();
    quillon.markCleanEnd();
    return exitCode;
}
