#include "windows/ui/PrinterDialogService.h"

#include "model/print/NotePdf.h"
#include "model/print/PainterSurface.h"
#include "model/print/PdfFileName.h"
#include "model/print/PrinterChoice.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

#include <exception>

namespace ui {

std::optional<PrinterDialogAnswer> askForPrinter(PrinterDialogService& printers, CurrentPrinter& current,
                                                 QWidget* owner, PrinterDialogRequest request)
{
    print::settleCurrentPrinter(current, printers.installedPrinters());
    request.printerName = current.deviceName;
    request.driverName = current.driverName;
    request.port = current.port;
    request.paperBin = current.settings.paperBin;
    request.flags = kNoSelection | kNoPageNumbers | kReturnDc;
    request.settings = current.settings;
    const PrinterDialogAnswer answer = printers.show(owner, request);
    if (!answer.confirmed)
        return std::nullopt;
    print::switchToChosenPrinter(current, answer.printerName, printers.installedPrinters());
    current.settings = answer.settings;
    return answer;
}

namespace {

void applySettings(QPrinter& printer, const PrintJobSettings& settings)
{
    printer.setCopyCount(qMax(1, settings.copies));
    printer.setPageOrientation(settings.orientation);
    printer.setColorMode(settings.colorMode);
    printer.setDuplex(settings.duplex);
    printer.setPaperSource(settings.paperBin);
    printer.setPageSize(QPageSize(settings.paperSize));
    if (settings.printQuality > 0)
        printer.setResolution(settings.printQuality);
}

PrintJobSettings settingsOf(const QPrinter& printer)
{
    PrintJobSettings settings;
    settings.copies = printer.copyCount();
    settings.orientation = printer.pageLayout().orientation();
    settings.colorMode = printer.colorMode();
    settings.duplex = printer.duplex();
    settings.paperBin = printer.paperSource();
    settings.paperSize = printer.pageLayout().pageSize().id();
    settings.printQuality = printer.resolution();
    return settings;
}

// The desktop's dialog over a printing server offers a print range even when
// told not to, for the server to apply; the note is always printed whole, so
// the range is taken away each time the dialog shows.
class WholeDocumentPrintDialog final : public QPrintDialog {
public:
    using QPrintDialog::QPrintDialog;

    void setVisible(bool visible) override
    {
        QPrintDialog::setVisible(visible);
        if (!visible || testOption(PrintPageRange))
            return;
        if (auto* all = findChild<QRadioButton*>(QStringLiteral("printAll")))
            all->setChecked(true);
        if (auto* range = findChild<QWidget*>(QStringLiteral("gbPrintRange")))
            range->hide();
    }
};

// The preview shows the note as it will print: nothing in it may print, or
// change the paper or its orientation behind the print command's back.
void hideActionsThatChangeTheJob(QPrintPreviewDialog& dialog)
{
    const char* const changing[] = {"Print", "Page setup", "Portrait", "Landscape"};
    for (QAction* action : dialog.findChildren<QAction*>())
        for (const char* text : changing)
            if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", text))
                action->setVisible(false);
}

} // namespace

QList<InstalledPrinter> QtPrinterDialogService::installedPrinters() const
{
    QList<InstalledPrinter> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        printers.append({info.printerName(), info.makeAndModel(), info.location(), info.isDefault()});
    return printers;
}

PrinterDialogAnswer QtPrinterDialogService::show(QWidget* owner, const PrinterDialogRequest& request)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!request.printerName.isEmpty())
        printer.setPrinterName(request.printerName);
    applySettings(printer, request.settings);
    printer.setPaperSource(request.paperBin);
    if (!request.notesFolder.isEmpty() && QDir().mkpath(request.notesFolder)) {
        // Giving the file name switches the printer to PDF output; naming the
        // printer again puts it back, and the dialog keeps the name for when
        // the user picks printing to a file.
        printer.setOutputFileName(print::proposedPdfPath(request.notesFolder, request.customerDba, request.day,
                                                      [](const QString& path) { return QFileInfo::exists(path); }));
        if (!request.printerName.isEmpty())
            printer.setPrinterName(request.printerName);
    }

    WholeDocumentPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !(request.flags & kNoSelection));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, !(request.flags & kNoPageNumbers));
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);

    PrinterDialogAnswer answer;
    answer.confirmed = dialog.exec() == QDialog::Accepted;
    if (!answer.confirmed)
        return answer;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    answer.printerName = toFile ? QString() : printer.printerName();
    answer.outputFile = toFile ? printer.outputFileName() : QString();
    answer.settings = settingsOf(printer);
    return answer;
}

std::unique_ptr<print::DrawingSurface> QtPrinterDialogService::openSurface(const CurrentPrinter& current,
                                                                         const QString& outputFile)
{
    if (!outputFile.isEmpty())
        return std::make_unique<print::PainterSurface>(print::pdfPrinter(outputFile));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(current.deviceName);
    applySettings(*printer, current.settings);
    printer->setDocName(QStringLiteral("PREMIUM FINANCE NOTE"));
    return std::make_unique<print::PainterSurface>(std::move(printer));
}


void QtPrinterDialogService::preview(QWidget* owner, const CurrentPrinter& current,
                                     const std::function<void(print::DrawingSurface&)>& draw)
{
    QPrinter printer(QPrinter::HighResolution);
    if (current.deviceName.isEmpty() || QPrinterInfo::printerInfo(current.deviceName).isNull()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setPrinterName(current.deviceName);
        applySettings(printer, current.settings);
    }
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Preview"));
    hideActionsThatChangeTheJob(dialog);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&draw](QPrinter* shown) {
        print::PainterSurface surface(*shown);
        // A page the preview could not draw stays blank; nothing is printed or saved from here.
        try {
            draw(surface);
        } catch (const std::exception&) {
        }
    });
    dialog.resize(900, 800);
    dialog.exec();
}

} // namespace ui
