#pragma once

class QWidget;
struct AppWindows;

// The policy schedule, the review and the previous contracts are steps of one
// contract: only one of them is on screen at a time, so terms left open in one
// can never be saved against a schedule changed in another. Each of the three
// calls this when it is shown.
void hideOtherContractWindows(AppWindows& windows, const QWidget* shown);
