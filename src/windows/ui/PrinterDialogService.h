#pragma once

#include "model/session/PrinterSetup.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace print {
class DrawingSurface;
}

namespace ui {

// Flags of the printer dialog, with the desktop print dialog's values.
enum PrinterDialogFlag : int {
    kNoSelection = 4,   // no "print selection" choice
    kNoPageNumbers = 8, // no page range
    kReturnDc = 256,    // hand back a drawing context for the chosen printer
};

// What the dialog starts with: the current printer and the flags.
struct PrinterDialogRequest {
    QString printerName;
    QString driverName;
    QString port;
    QPrinter::PaperSource paperBin = QPrinter::Auto;
    int flags = 0;
    PrintJobSettings settings; // shown as the dialog's starting choices
    // Where the note goes when the user prints to a file: the notes folder
    // (created when the dialog opens) and the proposed file name. Empty leaves
    // the dialog's own proposal.
    QString notesFolder;
    QString customerDba;
    QDate day;
};

// What the user chose. outputFile is set when the job goes to a PDF file
// instead of a printer (the choice a machine without printers still has).
struct PrinterDialogAnswer {
    bool confirmed = false;
    QString printerName;
    QString outputFile;
    PrintJobSettings settings;
};

// The printer side of the desktop: the installed printers, the print dialog,
// and the drawing surface a job is printed on. Tests install a fake that
// scripts the answer and records the drawing.
class PrinterDialogService {
public:
    virtual ~PrinterDialogService() = default;

    virtual QList<InstalledPrinter> installedPrinters() const = 0;

    // A fresh modal dialog, owned by the given window, for every call.
    virtual PrinterDialogAnswer show(QWidget* owner, const PrinterDialogRequest& request) = 0;

    // The surface one job is drawn on: the current printer with its job
    // settings, or the PDF file when outputFile is not empty.
    virtual std::unique_ptr<print::DrawingSurface> openSurface(const CurrentPrinter& printer,
                                                               const QString& outputFile) = 0;

    // Shows the pages as they would print on this printer (a PDF page when it
    // names none), modal over the owner, with zoom and page navigation and no
    // way to print. draw draws the whole job and may run for every repaint.
    virtual void preview(QWidget* owner, const CurrentPrinter& printer,
                         const std::function<void(print::DrawingSurface&)>& draw) = 0;
};

// The print dialog over owner, starting from the current printer (first settled
// among those installed) with what the job adds in `request`; a confirmed
// choice becomes the current printer. Nothing when the user cancelled.
std::optional<PrinterDialogAnswer> askForPrinter(PrinterDialogService& printers, CurrentPrinter& current,
                                                 QWidget* owner, PrinterDialogRequest request = {});

// The desktop's printers through Qt: QPrinterInfo, QPrintDialog, QPainter on QPrinter.
class QtPrinterDialogService final : public PrinterDialogService {
public:
    QList<InstalledPrinter> installedPrinters() const override;
    PrinterDialogAnswer show(QWidget* owner, const PrinterDialogRequest& request) override;
    std::unique_ptr<print::DrawingSurface> openSurface(const CurrentPrinter& printer,
                                                       const QString& outputFile) override;
    void preview(QWidget* owner, const CurrentPrinter& printer,
                 const std::function<void(print::DrawingSurface&)>& draw) override;
};

} // namespace ui
