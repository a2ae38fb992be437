#pragma once

struct AppWindows;
struct Session;

// Save / Print of the loan-terms window: saves the contract, lets the user
// choose a printer, prints both pages of the note and returns the user to the
// policy schedule.
void runSavePrint(Session& session, AppWindows& windows);
