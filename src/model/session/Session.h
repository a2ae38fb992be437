#pragma once

#include "model/session/CurrentContract.h"
#include "model/session/Environment.h"
#include "model/session/PartyRecords.h"
#include "model/session/PrinterSetup.h"
#include "model/store/Place.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>

namespace ui {
class MessageBoxService;
class FileDialogService;
class PrinterDialogService;
class DesktopService;
} // namespace ui

// The services through which windows reach the desktop; tests install fakes.
struct Services {
    ui::MessageBoxService* messages = nullptr;
    ui::FileDialogService* files = nullptr;
    ui::PrinterDialogService* printers = nullptr;
    ui::DesktopService* desktop = nullptr;
};

// The process-wide state of one run of the program, owned by the application
// and handed to every window. Members carry the program's own names.
struct Session {
    // Start-up and settings.
    QString IniPath;        // the settings file read at start-up
    QString IniWritePath;   // where a picked database is written; empty means IniPath
    QString DBDrive, DBDir, DBName;
    QString DBPath;
    // The office server named in the settings; when it names one, it holds the
    // database instead of the file at DBPath.
    store::ServerAddress Server;
    QString Version;

    // Agents and customers: the lines chosen for the contract.
    // List positions; wider than 16 bits so that lists of more than 32,767 lines work.
    int AgentIndex = 0;
    int CustIndex = 0;
    QString SelectedName;
    AgentRecord CurAgent;
    CustomerRecord CurCust;

    // The contract in the making and the previous-contracts grid.
    ::CurrentContract CurrentContract;
    std::int16_t ContractRow = 0;

    // The printer the note goes to; chosen in the print dialog, kept for later jobs.
    CurrentPrinter Printer;

    Services services;
    // Where this run lives: program folder, per-user folders, path style.
    Environment env;

    // The clock that dates saved and copied contracts; tests set their own.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    // Asked before anything is written: waits while the file's check still
    // runs, and says false when the file turned out unusable (the user has
    // been told then). The application installs the real question.
    std::function<bool()> writesMayGo = [] { return true; };
    // The same without waiting: false while the file's check still runs.
    // For work a read may do on the side (folding Find's kept lines).
    std::function<bool()> writesFreeNow = [] { return true; };

    // Ends the program at once: every window closes, nothing is saved.
    // The application installs the real ending; tests record it.
    std::function<void()> quit = [] {};
    // Asked when a contract window is closed: false keeps the program and
    // every window as they were (the user chose to keep an unsaved contract).
    std::function<bool()> contractMayBeDiscarded = [] { return true; };
    bool ended = false;
    // The run ended because the store failed it, not at the user's word.
    bool endedOnFailure = false;
    // Where every store operation of this run goes.
    store::Place database() const
    {
        return Server.namesServer() ? store::Place(Server) : store::Place(DBPath);
    }

    void endProgram()
    {
        ended = true;
        quit();
    }
    void endProgramOnFailure()
    {
        endedOnFailure = true;
        endProgram();
    }
    // The close box of a contract window ends the program, unless the user
    // keeps an unsaved contract; true when the window may close.
    bool contractWindowClosing()
    {
        if (ended)
            return true;
        if (!contractMayBeDiscarded())
            return false;
        endProgram();
        return true;
    }
};
