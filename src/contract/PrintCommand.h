#pragma once

#include "print/NoteValues.h"

#include <functional>

class QWidget;
struct Session;

// What one Save / Print works on: the two windows it moves between, the save
// and where the note's values come from.
struct SavePrintWindows {
    QWidget* review = nullptr;   // the loan-terms window: owns the dialog, hidden at the end
    QWidget* schedule = nullptr; // the policy schedule: shown at the end
    std::function<bool()> save;  // false when the contract could not be saved
    // What the windows show at print time; the note is printed from it.
    std::function<print::NoteValues()> values = {};
};

// Save / Print of the loan-terms window: saves the contract, lets the user
// choose a printer, prints both pages of the note and returns the user to the
// policy schedule. True when it ended there.
bool runSavePrint(Session& session, const SavePrintWindows& windows);

// The message shown when the printer fails during the job.
inline constexpr const char* kPrinterFailureMessage =
    "Unable to communicate with the printer.  Results were saved but not printed.";
