#include "model/print/PrinterChoice.h"

namespace print {

void settleCurrentPrinter(CurrentPrinter& current, const QList<InstalledPrinter>& installed)
{
    if (!current.followsDefault)
        return;
    for (const InstalledPrinter& printer : installed)
        if (printer.isDefault)
            current.become(printer);
    current.followsDefault = false;
}

void switchToChosenPrinter(CurrentPrinter& current, const QString& chosenName,
                           const QList<InstalledPrinter>& installed)
{
    const QString chosen = chosenName.toUpper();
    if (chosen == current.deviceName)
        return;
    for (const InstalledPrinter& printer : installed)
        if (printer.deviceName.toUpper() == chosen)
            current.become(printer);
}

} // namespace print
