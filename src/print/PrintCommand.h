#pragma once

#include <functional>

class QWidget;
struct AppWindows;
struct Session;

// Save / Print of the loan-terms window: saves the contract, lets the user
// choose a printer, prints both pages of the note and returns the user to the
// policy schedule.
void runSavePrint(Session& session, AppWindows& windows);

// The same run on any pair of windows and any save, which is how the program's
// own windows call it.
struct SavePrintWindows {
    QWidget* review = nullptr;   // the loan-terms window: owns the dialog, hidden at the end
    QWidget* schedule = nullptr; // the policy schedule: shown at the end
    std::function<bool()> save;  // false when the contract could not be saved
};
void runSavePrint(Session& session, const SavePrintWindows& windows);

// The message shown when the printer fails during the job.
inline constexpr const char* kPrinterFailureMessage =
    "Unable to communicate with the printer.  Results were saved but not printed.";
