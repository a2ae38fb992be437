#pragma once

#include "session/Session.h"
#include "store/StoreError.h"
#include "ui/MessageBoxService.h"

#include <utility>

class QWidget;

// Runs a store operation whose failure must not lose the user's work (saving a
// contract): the store's number and description are shown under the program's
// title and the windows stay as they were. Returns false when it failed.
template <typename Work>
bool runOrReport(Session& session, QWidget* parent, Work&& work)
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const store::StoreError& error) {
        session.services.messages->show(parent, error.message(), ui::MessageIcon::Critical,
                                        ui::kProgramTitle);
        return false;
    }
}

// Runs a store operation the way the program treats unexpected failures of the
// database file: reported as above, then the program ends.
template <typename Work>
bool runOrEndProgram(Session& session, QWidget* parent, Work&& work)
{
    if (runOrReport(session, parent, std::forward<Work>(work)))
        return true;
    session.endProgram();
    return false;
}
