#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

// The seven settings of one print job that the printer dialog hands back and
// the current printer keeps for the next job.
struct PrintJobSettings {
    int copies = 1;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPrinter::ColorMode colorMode = QPrinter::Color;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    QPrinter::PaperSource paperBin = QPrinter::Auto;
    QPageSize::PageSizeId paperSize = QPageSize::Letter;
    int printQuality = 0; // dots per inch; 0 leaves the printer's own resolution

    friend bool operator==(const PrintJobSettings&, const PrintJobSettings&) = default;
};

// One printer installed on this machine.
struct InstalledPrinter {
    QString deviceName;
    QString driverName;
    QString port;
    bool isDefault = false;
};

// The printer the note goes to. It follows the desktop's default printer
// until the first print run, then stays the user's choice for the rest of the run.
struct CurrentPrinter {
    QString deviceName;
    QString driverName;
    QString port;
    bool followsDefault = true;
    PrintJobSettings settings;

    // Takes the name, driver and port of an installed printer; the job settings stay.
    void become(const InstalledPrinter& printer)
    {
        deviceName = printer.deviceName;
        driverName = printer.driverName;
        port = printer.port;
    }
};
