#pragma once

#include "support/RecordingSurface.h"
#include "ui/PrinterDialogService.h"

#include <QList>

#include <functional>
#include <memory>
#include <vector>

// Scripts the printer dialog and hands out recording surfaces.
class FakePrinterDialogService final : public ui::PrinterDialogService {
public:
    QList<ui::InstalledPrinter> installedPrinters() const override { return printers; }
    ui::PrinterDialogAnswer show(QWidget* owner, const ui::PrinterDialogRequest& request) override;
    std::unique_ptr<print::DrawingSurface> openSurface(const ui::CurrentPrinter& printer,
                                                       const QString& outputFile) override;

    QList<ui::InstalledPrinter> printers;
    ui::PrinterDialogAnswer answer;      // given to every show()
    std::function<void()> onShow;        // runs while the dialog is "open"
    int failOnPage = 0;                  // handed to each new surface

    QList<ui::PrinterDialogRequest> requests;
    QList<QWidget*> owners;
    // One entry per job: the printer it was opened for, and what was drawn.
    struct Job {
        ui::CurrentPrinter printer;
        QString outputFile;
        RecordingSurface* surface; // lives as long as the fake
    };
    QList<Job> jobs;

private:
    std::vector<std::unique_ptr<RecordingSurface>> m_keptSurfaces;
};
