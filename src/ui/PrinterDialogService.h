#pragma once

class QWidget;

namespace ui {

// Lets the user choose a printer and its job settings; tests install a fake.
class PrinterDialogService {
public:
    virtual ~PrinterDialogService() = default;
};

// Shows the platform's print dialog.
class QtPrinterDialogService final : public PrinterDialogService {
};

} // namespace ui
