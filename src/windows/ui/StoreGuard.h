#pragma once

#include "model/session/Session.h"
#include "model/store/StoreError.h"
#include "windows/ui/MessageBoxService.h"

#include <QString>

#include <utility>

class QWidget;

namespace ui {

// What became of the user's work when the store failed, said in the first
// line of the message, before the store's own code and text.
inline const QString kNothingSaved = QStringLiteral("Nothing was saved; the contract is still on screen.");
inline const QString kNothingCopied = QStringLiteral("Nothing was copied; the list of contracts is as it was.");
inline const QString kNothingDeleted = QStringLiteral("Nothing was deleted.");
inline const QString kNothingPutBack = QStringLiteral("Nothing was put back; the lists are as they were.");
inline const QString kNothingStored = QStringLiteral("Nothing was stored; what you typed is still in the dialog.");
inline const QString kNothingChanged = QStringLiteral("The database could not be read; what is on screen is as it was.");
// A write whose reply was lost, where the store could not be asked afterwards.
inline const QString kOutcomeUnknown = QStringLiteral(
    "The database could not be reached to find out whether this was done. "
    "Trying again does it at most once; everything is still on screen.");
// The same at start-up, where nothing is on screen yet and the program ends.
inline const QString kStartUpOutcomeUnknown = QStringLiteral(
    "The database could not be reached to find out whether the start-up's own change to it was made. "
    "Nothing you typed was lost; the program will end now. Start it again once the database can be reached.");

// The message for a failed store operation: what became of the work (none
// at start-up, whose messages are the store's words alone), then the store's
// code and text.
inline QString storeFailureMessage(const QString& fate, const store::StoreError& error)
{
    const bool unknown = error.outcomeUnknown() || error.commitUnanswered();
    const QString first = !unknown ? fate : fate.isEmpty() ? kStartUpOutcomeUnknown : kOutcomeUnknown;
    return first.isEmpty() ? error.message() : first + QLatin1Char('\n') + error.message();
}

} // namespace ui

namespace ui {

// Runs a store operation; a failure shows what became of the work (fate) and
// the store's code and text under the program's title, and the windows stay as
// they were. Returns false when it failed.
template <typename Work>
bool reportFailure(Session& session, QWidget* parent, const QString& fate, Work&& work)
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const store::StoreError& error) {
        session.services.messages->show(parent, ui::storeFailureMessage(fate, error), ui::MessageIcon::Critical,
                                        ui::kProgramTitle);
        return false;
    }
}

} // namespace ui

// A read of the store: a failure says the screen is as it was. Reads never
// wait for the file's check.
template <typename Work>
bool readOrReport(Session& session, QWidget* parent, Work&& work)
{
    return ui::reportFailure(session, parent, ui::kNothingChanged, std::forward<Work>(work));
}

// A write whose failure must not lose the user's work (saving a contract):
// fate says what became of the work. It first waits for the file's check; a
// file found unusable has been reported then, and nothing is written.
template <typename Work>
bool writeOrReport(Session& session, QWidget* parent, const QString& fate, Work&& work)
{
    if (!session.writesMayGo())
        return false;
    return ui::reportFailure(session, parent, fate, std::forward<Work>(work));
}

// Runs a store operation the way the program treats failures at start-up:
// the store's code and text are shown, then the program ends. The start-up
// itself decides what the file must pass first.
template <typename Work>
bool runOrEndProgram(Session& session, QWidget* parent, Work&& work)
{
    if (ui::reportFailure(session, parent, QString(), std::forward<Work>(work)))
        return true;
    session.endProgramOnFailure();
    return false;
}
