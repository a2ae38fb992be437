#pragma once

#include "ui/FileDialogService.h"
#include "ui/MessageBoxService.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Records every message box instead of showing it.
class FakeMessageBoxService final : public ui::MessageBoxService {
public:
    struct Shown {
        QString text;
        ui::MessageIcon icon;
        QString title;
        ui::MessageButtons buttons;
    };

    void show(QWidget* parent, const QString& text, ui::MessageIcon icon, const QString& title,
              ui::MessageButtons buttons = ui::MessageButtons::Ok) override;

    QList<Shown> shown;
    // Runs while a box is "open", to act like a user at that moment.
    std::function<void(const Shown&)> onShow;

    const Shown& last() const { return shown.last(); }
    void clear() { shown.clear(); }
};

// Answers file-open dialogs from a script and records what was asked.
class FakeFileDialogService final : public ui::FileDialogService {
public:
    QString getOpenFileName(QWidget* parent, const ui::OpenFileRequest& request) override;

    QStringList answers;              // taken in order; an exhausted script cancels
    QList<ui::OpenFileRequest> asked;
};
