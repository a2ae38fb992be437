#include "app/DatabaseStartUp.h"

#include "app/DatabaseCheck.h"
#include "app/ServerCheckLater.h"
#include "model/session/Session.h"
#include "model/settings/Settings.h"
#include "model/store/Backup.h"
#include "model/store/CleanEnd.h"
#include "model/store/Connection.h"
#include "model/store/Restore.h"
#include "model/store/ServerCatalog.h"
#include "model/store/Schema.h"
#include "model/store/ServerRole.h"
#include "model/store/ServerSchema.h"
#include "windows/ui/FileDialogService.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/StoreGuard.h"

#include <QFileInfo>

#include <optional>

namespace {

const QString kFilter = QStringLiteral("Access databases (*.mdb)|*.mdb|All files (*.*)|*.*");
// The dialog opens at the root of drive C:; the platform's dialog falls back to
// the home folder where there is no such folder.
const QString kInitialFolder = QStringLiteral("C:\\");
const QString kNoDatabase = QStringLiteral("No database found.\nProgram cannot continue.");

bool fileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// As an installer would have supplied the file: no question, no settings written.
bool isFirstRun(const Session& session)
{
    return settingsFileMissing(session) && session.DBPath == defaultDatabasePath(session.env);
}

// A damaged file with a good backup: the user is asked whether the backup
// takes its place, or picks another copy from the backups folder. True when
// one did.
bool restoredOnRequest(Session& session, QWidget* parent, const DatabaseVerdict& verdict, const QString& backup)
{
    const QDateTime at = session.now();
    const ui::OpenFileRequest request{QStringLiteral("Which backup of ") + session.DBName + QLatin1Char('?'),
                                      kFilter, store::backupFolder(session.DBPath)};
    QString chosen;
    while (chosen.isEmpty()) {
        const ui::Reply reply =
            session.services.messages->askOrOther(parent, verdict.message + restoreQuestion(session.DBPath, backup, at),
                                                  ui::MessageIcon::Critical, ui::kProgramTitle, kOtherBackup);
        if (reply == ui::Reply::No)
            return false;
        if (reply == ui::Reply::Yes) {
            chosen = backup;
            break;
        }
        // A cancelled pick, or one that cannot serve, asks the question again.
        const QString picked = session.services.files->getOpenFileName(parent, request);
        if (picked.isEmpty())
            continue;
        if (store::canServe(picked))
            chosen = picked;
        else
            session.services.messages->show(parent, copyCannotServeMessage(picked), ui::MessageIcon::Critical,
                                            ui::kProgramTitle);
    }
    // At start-up the store's words stand alone, as in every start-up message.
    return ui::reportFailure(session, parent, QString(), [&] { store::restoreBackup(session.DBPath, chosen, at); });
}

// Whether the file at DBPath can serve, after what the check and the user
// could mend; when it cannot, the user has been told why. A declined or
// failed restore has said all there is to say.
bool verdictLetsServe(Session& session, QWidget* parent, DatabaseVerdict verdict)
{
    const QString backup =
        verdict.kind == DatabaseVerdict::Kind::Damaged ? store::latestGoodBackup(session.DBPath) : QString();
    if (!backup.isEmpty()) {
        if (!restoredOnRequest(session, parent, verdict, backup))
            return false;
        // The backup put in place is checked like any file.
        verdict = checkDatabase(session.DBPath);
    }
    if (verdict.kind == DatabaseVerdict::Kind::Usable)
        return true;
    session.services.messages->show(parent, verdict.message, ui::MessageIcon::Critical, ui::kProgramTitle);
    return false;
}

bool fileCanServe(Session& session, QWidget* parent)
{
    return verdictLetsServe(session, parent, checkDatabase(session.DBPath));
}

} // namespace

bool LocateDatabase(Session& session, QWidget* parent)
{
    const ui::OpenFileRequest request{QStringLiteral("Where is ") + session.DBName +
                                          QLatin1Char('?'),
                                      kFilter, kInitialFolder};
    // A name typed in the dialog that names no file simply asks again; so does a
    // file that is no database of the program's, after saying why. Only a file
    // that passed is written into the settings, so a wrong pick is never kept.
    for (;;) {
        while (!fileExists(session.DBPath)) {
            session.DBPath = session.services.files->getOpenFileName(parent, request);
            if (session.DBPath.isEmpty()) {
                session.services.messages->show(parent, kNoDatabase, ui::MessageIcon::Critical,
                                                ui::kProgramTitle);
                session.endProgramOnFailure();
                return false;
            }
        }
        if (fileCanServe(session, parent))
            break;
        session.DBPath.clear();
    }
    WriteSettings(session);
    return true;
}

namespace {

// A copy that failed its check or could not be taken is said once; the day's work goes on.
void reportBackup(Session& session, QWidget* parent, const std::optional<store::DailyBackup>& backup,
                  const QString& failure)
{
    if (backup && backup->outcome == store::DailyBackup::Outcome::Damaged)
        session.services.messages->show(parent, damagedBackupMessage(session.DBPath, *backup),
                                        ui::MessageIcon::Warning, ui::kProgramTitle);
    else if (!failure.isEmpty())
        session.services.messages->show(parent, backupFailedMessage(session.DBPath, failure),
                                        ui::MessageIcon::Warning, ui::kProgramTitle);
}

// A copy a day.
void backUpToday(Session& session, QWidget* parent)
{
    try {
        reportBackup(session, parent, store::takeDailyBackup(session.DBPath, session.now().date()), QString());
    } catch (const store::StoreError& error) {
        reportBackup(session, parent, std::nullopt, error.message());
    }
}

} // namespace

namespace {

// The office server is opened and, when its database is new, given the
// schema. A server that cannot be reached, a refused login or a missing
// database is said with the server's own words and ends the program. A
// standby is used as it is: nothing is written to it at start-up. A catalog
// some desk found whole before is not checked again (its upkeep waits for the
// first window); one that holds every table the program makes is checked
// once the first window shows, and writes wait for that verdict; any other
// is checked, and made whole, before anything is read from it.
bool prepareServerDatabase(Session& session, QWidget* parent, LeftForLater& later)
{
    try {
        store::Connection connection(session.database());
        const store::ServerStanding standing = store::readServerStanding(connection);
        if (standing.standby) {
            store::checkStandbySchema(connection);
        } else if (standing.vouched() ||
                   store::catalogVouched(session.env.userDataFolder, session.Server, standing.catalogDigest)) {
            later.serverUpkeep = true;
        } else if (standing.holdsMadeTables) {
            later.serverCheck = true;
            later.catalogDigest = standing.catalogDigest;
        } else {
            checkServerSchema(connection, session.env.userDataFolder, session.Server, standing.catalogDigest);
        }
        return true;
    } catch (const store::StoreError& error) {
        session.services.messages->show(parent, serverUnreachableMessage(session.Server, error),
                                        ui::MessageIcon::Critical, ui::kProgramTitle);
        session.endProgramOnFailure();
        return false;
    }
}

} // namespace

bool prepareDatabase(Session& session, QWidget* parent, LeftForLater& later)
{
    later = {};
    if (session.Server.namesServer())
        return prepareServerDatabase(session, parent, later);
    // The whole check reads every page, seconds on a large file: a file that
    // looks ready gets it after the windows show, and nothing is written
    // into it before its verdict.
    if (fileExists(session.DBPath)) {
        // Nothing has been written into the file yet, so its mark still tells
        // whether it stands as the last clean end left it: whole, and with
        // this program's schema, as that run had made sure.
        later.fileVouched = store::takeCleanEndMark(session.DBPath);
        if (later.fileVouched || looksReady(session.DBPath)) {
            later.fileCheck = true;
            return true;
        }
    }
    bool checked = false;
    if (!fileExists(session.DBPath)) {
        if (isFirstRun(session)) {
            const bool created =
                runOrEndProgram(session, parent, [&] { store::createDatabase(session.DBPath); });
            if (!created)
                return false;
        } else {
            if (!LocateDatabase(session, parent))
                return false;
            // The pick was checked before the settings kept it.
            checked = true;
        }
    }
    // A damaged or foreign file is reported before anything is written into it.
    if (!checked && !fileCanServe(session, parent)) {
        session.endProgramOnFailure();
        return false;
    }
    backUpToday(session, parent);
    return runOrEndProgram(session, parent, [&] { store::completeSchema(session.DBPath); });
}

LaterOutcome reportLaterCheck(Session& session, QWidget* parent, const LaterCheck& found)
{
    if (found.verdict.kind == DatabaseVerdict::Kind::Usable) {
        reportBackup(session, parent, found.backup, found.backupFailure);
        return LaterOutcome::Serves;
    }
    if (!verdictLetsServe(session, parent, found.verdict)) {
        session.endProgramOnFailure();
        return LaterOutcome::Ended;
    }
    return LaterOutcome::Restored;
}
