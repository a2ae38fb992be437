#include "contract/PrintCommand.h"

#include "print/DrawingSurface.h"
#include "print/LenderTexts.h"
#include "print/NotePages.h"
#include "print/PrinterChoice.h"
#include "print/PrinterError.h"
#include "session/Session.h"
#include "ui/MessageBoxService.h"
#include "ui/PrinterDialogService.h"

#include <QWidget>

#include <exception>

namespace {

// Steps that talk to the printer; any failure here ends the job with one message.
bool printNote(Session& session, const SavePrintWindows& windows, const QString& outputFile)
{
    try {
        const print::NoteValues values = windows.values ? windows.values() : print::NoteValues{};
        const print::LenderTexts lender = print::readLenderTexts(session.IniPath);
        std::unique_ptr<print::DrawingSurface> surface =
            session.services.printers->openSurface(session.Printer, outputFile);
        if (!surface)
            throw print::PrinterError("no printer to draw on");
        print::NoteJob job{*surface, values, lender, session.TitleFontSize, session.BodyFontSize};
        print::PrintPage1Form(job);
        print::PrintPage1Data(job);
        print::PrintPage2(job);
        surface->endDoc();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void returnToSchedule(const SavePrintWindows& windows)
{
    if (windows.review)
        windows.review->hide();
    if (windows.schedule)
        windows.schedule->show();
}

} // namespace

bool runSavePrint(Session& session, const SavePrintWindows& windows)
{
    // The contract is stored first, so it stays saved whatever the printer does.
    if (!windows.save || !windows.save())
        return false;

    ui::PrinterDialogService& printers = *session.services.printers;
    ui::CurrentPrinter& current = session.Printer;
    print::settleCurrentPrinter(current, printers.installedPrinters());

    ui::PrinterDialogRequest request;
    request.printerName = current.deviceName;
    request.driverName = current.driverName;
    request.port = current.port;
    request.paperBin = current.settings.paperBin;
    request.flags = ui::kNoSelection | ui::kNoPageNumbers | ui::kReturnDc;
    request.settings = current.settings;
    request.notesFolder = session.env.notesFolder;
    request.customerDba = session.CurCust.DBA;
    request.day = session.now().date();
    const ui::PrinterDialogAnswer answer = printers.show(windows.review, request);
    if (!answer.confirmed)
        return false;

    print::switchToChosenPrinter(current, answer.printerName, printers.installedPrinters());
    current.settings = answer.settings;

    if (!printNote(session, windows, answer.outputFile))
        session.services.messages->show(windows.review, QString::fromLatin1(kPrinterFailureMessage),
                                        ui::MessageIcon::Critical, ui::kProgramTitle);

    returnToSchedule(windows);
    return true;
}
