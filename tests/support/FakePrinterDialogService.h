#pragma once

#include "support/RecordingSurface.h"
#include "windows/ui/PrinterDialogService.h"

#include <functional>

// Scripts the printer dialog and hands out recording surfaces.
class FakePrinterDialogService final : public ui::PrinterDialogService {
public:
    QList<InstalledPrinter> installedPrinters() const override { return printers; }
    ui::PrinterDialogAnswer show(QWidget*, const ui::PrinterDialogRequest& request) override
    {
        requests.append(request);
        if (onShow)
            onShow();
        return answer;
    }
    std::unique_ptr<print::DrawingSurface> openSurface(const CurrentPrinter&, const QString&) override
    {
        auto surface = std::make_unique<RecordingSurface>();
        surface->drawing->failOnPage = failOnPage;
        jobs.append(surface->drawing);
        return surface;
    }
    void preview(QWidget*, const CurrentPrinter&, const std::function<void(print::DrawingSurface&)>&) override { ++previews; }

    // One printer, and every dialog is confirmed on it.
    void confirmEveryJob()
    {
        printers = {{"Office Laser", "laser", "usb1", true}};
        answer = {true, "Office Laser", {}, {}};
    }

    QList<InstalledPrinter> printers;
    ui::PrinterDialogAnswer answer; // given to every show()
    std::function<void()> onShow;   // runs while the dialog is "open"
    int failOnPage = 0;             // handed to each new surface

    QList<ui::PrinterDialogRequest> requests;
    int previews = 0;
    QList<std::shared_ptr<Drawing>> jobs; // what each note opened on a printer drew
};
