#include "windows/contract/PrintCommand.h"

#include "model/print/DrawingSurface.h"
#include "model/print/KeptNotes.h"
#include "model/print/LenderTexts.h"
#include "model/print/NotePages.h"
#include "model/print/NotePdf.h"
#include "model/print/PrinterChoice.h"
#include "model/print/PrinterError.h"
#include "model/session/Session.h"
#include "model/store/PrivateFiles.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/PrinterDialogService.h"

#include <QDir>
#include <QRandomGenerator>
#include <QWidget>

#include <exception>

namespace {

// Steps that talk to the printer; any failure here ends the job with one message.
bool printNote(Session& session, const QString& outputFile, const print::NoteValues& values,
               const print::LenderTexts& lender)
{
    try {
        std::unique_ptr<print::DrawingSurface> surface =
            session.services.printers->openSurface(session.Printer, outputFile);
        if (!surface)
            throw print::PrinterError("no printer to draw on");
        print::drawNote(*surface, values, lender);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// The note as printed, kept where Previous Contracts finds it by the contract's
// ID, DBA and day. It is written whole under a name of its own first, then
// given its kept name, so no note already kept is ever written over.
bool keepNote(const Session& session, std::int64_t id, const QDate& day, const print::NoteValues& values,
              const print::LenderTexts& lender)
{
    const QString folder = print::keptNotesFolder(session);
    if (!store::makePrivateFolder(folder))
        return false;
    const QString written = QDir(folder).filePath(
        QStringLiteral(".keeping-%1.pdf").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
    return print::writePrivateNotePdf(written, values, lender) &&
           !print::keepNoteFile(written, folder, id, session.CurCust.DBA, day).isEmpty();
}

} // namespace

bool runSavePrint(Session& session, const SavePrintJob& job)
{
    // The contract is stored first, so it stays saved whatever the printer does.
    const std::optional<std::int64_t> id = job.save ? job.save() : std::nullopt;
    if (!id)
        return false;
    // The day the contract was stored on, read at once: a dialog left open past
    // midnight does not move its note to the next day.
    const QDate day = session.now().date();

    ui::PrinterDialogRequest request;
    request.notesFolder = session.env.notesFolder;
    request.customerDba = session.CurCust.DBA;
    request.day = day;
    const std::optional<ui::PrinterDialogAnswer> answer =
        ui::askForPrinter(*session.services.printers, session.Printer, job.owner, request);
    if (!answer)
        return false;

    const print::NoteValues values = job.values ? job.values() : print::NoteValues{};
    const print::LenderTexts lender = print::readLenderTexts(session.IniPath);
    if (!printNote(session, answer->outputFile, values, lender))
        session.services.messages->show(job.owner, QString::fromLatin1(kPrinterFailureMessage),
                                        ui::MessageIcon::Critical, ui::kProgramTitle);
    // Kept even when the printer failed: the user can print it from the viewer later.
    // A contract whose ID could not be learned has no name to keep its note under.
    if (*id <= 0 || !keepNote(session, *id, day, values, lender))
        session.services.messages->show(job.owner,
                                        QString::fromLatin1(kNoteNotKeptMessage) +
                                            QDir::toNativeSeparators(print::keptNotesFolder(session)) +
                                            QLatin1Char('.'),
                                        ui::MessageIcon::Warning, ui::kProgramTitle);
    return true;
}

bool runPrintAgain(Session& session, QWidget* owner, const print::NoteValues& values, const QDate& storedOn)
{
    ui::PrinterDialogRequest request;
    request.notesFolder = session.env.notesFolder;
    request.customerDba = values.customer.DBA;
    request.day = storedOn;
    const std::optional<ui::PrinterDialogAnswer> answer =
        ui::askForPrinter(*session.services.printers, session.Printer, owner, request);
    if (!answer)
        return false;
    if (printNote(session, answer->outputFile, values, print::readLenderTexts(session.IniPath)))
        return true;
    session.services.messages->show(owner, QString::fromLatin1(kPrintAgainFailureMessage), ui::MessageIcon::Critical,
                                    ui::kProgramTitle);
    return false;
}

void runPreview(Session& session, QWidget* owner, const std::function<print::NoteValues()>& values)
{
    const print::NoteValues note = values();
    const print::LenderTexts lender = print::readLenderTexts(session.IniPath);
    // The printer Save / Print would open its dialog on, without settling the session's own.
    CurrentPrinter printer = session.Printer;
    print::settleCurrentPrinter(printer, session.services.printers->installedPrinters());
    session.services.printers->preview(owner, printer,
                                       [&](print::DrawingSurface& surface) { print::drawNote(surface, note, lender); });
}
