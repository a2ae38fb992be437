#include "model/print/PrinterChoice.h"

namespace print {

void settleCurrentPrinter(ui::CurrentPrinter& current, const QList<ui::InstalledPrinter>& installed)
{
    if (!current.followsDefault)
        return;
    for (const ui::InstalledPrinter& printer : installed)
        if (printer.isDefault)
            current.become(printer);
    current.followsDefault = false;
}

void switchToChosenPrinter(ui::CurrentPrinter& current, const QString& chosenName,
                           const QList<ui::InstalledPrinter>& installed)
{
    const QString chosen = chosenName.toUpper();
    if (chosen == current.deviceName)
        return;
    for (const ui::InstalledPrinter& printer : installed)
        if (printer.deviceName.toUpper() == chosen)
            current.become(printer);
}

} // namespace print
