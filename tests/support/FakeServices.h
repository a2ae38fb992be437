#pragma once

#include "windows/ui/DesktopService.h"
#include "windows/ui/FileDialogService.h"
#include "windows/ui/MessageBoxService.h"

#include <QList>
#include <QStringList>

// Records every message box instead of showing it.
class FakeMessageBoxService final : public ui::MessageBoxService {
public:
    struct Shown {
        QString text; ui::MessageIcon icon; QString title; ui::MessageButtons buttons = ui::MessageButtons::Ok;
        bool operator==(const Shown&) const = default;
    };
    void show(QWidget*, const QString& text, ui::MessageIcon icon, const QString& title,
              ui::MessageButtons buttons = ui::MessageButtons::Ok) override
    {
        shown.append({text, icon, title, buttons});
    }
    // Recorded with Yes/No buttons; answered from the script, No once it is exhausted.
    bool ask(QWidget*, const QString& text, ui::MessageIcon icon, const QString& title) override
    {
        shown.append({text, icon, title, ui::MessageButtons::YesNo});
        return !answers.isEmpty() && answers.takeFirst();
    }
    // Recorded with Yes/No/Other buttons; answered from its own script, No once it is exhausted.
    ui::Reply askOrOther(QWidget*, const QString& text, ui::MessageIcon icon, const QString& title,
                         const QString& other) override
    {
        shown.append({text, icon, title, ui::MessageButtons::YesNoOther});
        others.append(other);
        return replies.isEmpty() ? ui::Reply::No : replies.takeFirst();
    }
    const Shown& last() const { return shown.last(); }

    QList<Shown> shown;
    // Yes (true) or No for each question in turn.
    QList<bool> answers;
    // The answer to each question with a third choice, and that choice's caption.
    QList<ui::Reply> replies;
    QStringList others;
};

// Answers file-open and file-save dialogs from a script (an exhausted script cancels) and records what was asked.
class FakeFileDialogService final : public ui::FileDialogService {
public:
    QString getOpenFileName(QWidget*, const ui::OpenFileRequest& request) override
    {
        asked.append(request);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString getSaveFileName(QWidget* parent, const ui::OpenFileRequest& request) override
    {
        return getOpenFileName(parent, request);
    }

    QStringList answers;
    QList<ui::OpenFileRequest> asked;
};

// Records every file handed to the desktop; opens it when told to.
class FakeDesktopService final : public ui::DesktopService {
public:
    bool openFile(const QString& path) override
    {
        opened.append(path);
        return opens;
    }

    bool opens = true;
    QStringList opened;
};
