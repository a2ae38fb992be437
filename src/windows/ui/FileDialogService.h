#pragma once

#include <QString>

class QWidget;

namespace ui {

// What the program asks of a file-open dialog.
struct OpenFileRequest {
    QString title;
    QString filter;        // "Description|pattern|Description|pattern", as the program writes it
    QString initialFolder;
};

// Window code asks for files through this service so that tests can script the answers.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen file's full path, or an empty text when the user cancelled.
    virtual QString getOpenFileName(QWidget* parent, const OpenFileRequest& request) = 0;
    // Where to write a new file (initialFolder may name the proposed file);
    // an empty text when the user cancelled.
    virtual QString getSaveFileName(QWidget* parent, const OpenFileRequest& request) = 0;
};

// Shows the platform's file-open dialog.
class QtFileDialogService final : public FileDialogService {
public:
    QString getOpenFileName(QWidget* parent, const OpenFileRequest& request) override;
    QString getSaveFileName(QWidget* parent, const OpenFileRequest& request) override;
};

// "Access databases (*.mdb)|*.mdb|All files (*.*)|*.*" -> "Access databases (*.mdb);;All files (*.*)"
QString toQtFilter(const QString& pipeFilter);

} // namespace ui
