#pragma once

#include "model/session/PrinterSetup.h"

#include <QList>

namespace print {

// Before the dialog: a printer that still follows the desktop's default takes
// the default printer's name, driver and port, then stops following it.
void settleCurrentPrinter(CurrentPrinter& current, const QList<InstalledPrinter>& installed);

// After the dialog: the chosen name, upper-cased, is compared as it stands with
// the current printer's name; when they differ, every installed printer whose
// upper-cased name equals it becomes the current printer in turn, so the last
// match wins and no match leaves the current printer as it was.
void switchToChosenPrinter(CurrentPrinter& current, const QString& chosenName,
                           const QList<InstalledPrinter>& installed);

} // namespace print
