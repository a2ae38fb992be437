#pragma once

#include <QString>

namespace ui {

// Hands a file to the desktop, which opens it with the viewer the user chose
// for its kind. Tests install a fake that records what was asked.
class DesktopService {
public:
    virtual ~DesktopService() = default;
    // False when the desktop has no way to open it.
    virtual bool openFile(const QString& path) = 0;
};

// The desktop's own choice of program, through QDesktopServices.
class QtDesktopService final : public DesktopService {
public:
    bool openFile(const QString& path) override;
};

} // namespace ui
