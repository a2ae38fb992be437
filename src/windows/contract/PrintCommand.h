#pragma once

#include "model/print/NoteValues.h"

#include <cstdint>
#include <functional>
#include <optional>

class QDate;
class QWidget;
struct Session;

// What one Save / Print works on: the window its dialogs stand over, the save
// and where the note's values come from.
struct SavePrintJob {
    QWidget* owner = nullptr; // the loan-terms window
    // The stored contract's ID; nothing when the contract could not be saved.
    std::function<std::optional<std::int64_t>()> save;
    // What the windows show at print time; the note is printed from it.
    std::function<print::NoteValues()> values = {};
};

// Save / Print of the loan-terms window: saves the contract, lets the user
// choose a printer, prints both pages of the note and keeps it as a PDF file in
// the notes folder. True when the contract was saved and a printer chosen: the
// user goes back to the policy schedule.
bool runSavePrint(Session& session, const SavePrintJob& job);

// Preview of the review window: the note Save / Print would print now, on the
// printer it would print on, shown modally over owner. Nothing is saved, and
// the printer choice stays as it was.
void runPreview(Session& session, QWidget* owner, const std::function<print::NoteValues()>& values);

// Print Again of a stored contract: the note drawn from the values given, to the
// printer or PDF file chosen in the usual dialog, which proposes a file name for
// the contract's customer and the day it was stored on. Nothing is stored or kept.
// True when the note was drawn whole.
bool runPrintAgain(Session& session, QWidget* owner, const print::NoteValues& values, const QDate& storedOn);

// The message shown when the printed note cannot be kept; the folder follows.
inline constexpr const char* kNoteNotKeptMessage = "The note could not be kept as a PDF file in ";

// The message shown when the printer fails during Print Again, where nothing is saved.
inline constexpr const char* kPrintAgainFailureMessage = "Unable to communicate with the printer.  The note was not printed.";

// The message shown when the printer fails during the job.
inline constexpr const char* kPrinterFailureMessage =
    "Unable to communicate with the printer.  Results were saved but not printed.";
