#include "app/DatabaseStartUp.h"

#include "app/Session.h"
#include "app/Settings.h"
#include "app/StoreGuard.h"
#include "store/Schema.h"
#include "ui/FileDialogService.h"
#include "ui/MessageBoxService.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace

bool LocateDatabase(Session& session, QWidget* parent)
{
    const ui::OpenFileRequest request{QStringLiteral("Where is ") + session.DBName +
                                          QLatin1Char('?'),
                                      kFilter, kInitialFolder};
    // A name typed in the dialog that names no file simply asks again.
    while (!fileExists(session.DBPath)) {
        session.DBPath = session.services.files->getOpenFileName(parent, request);
        if (session.DBPath.isEmpty()) {
            session.services.messages->show(parent, kNoDatabase, ui::MessageIcon::Critical,
                                            ui::kProgramTitle);
            session.endProgram();
            return false;
        }
    }
    WriteSettings(session);
    return true;
}

bool prepareDatabase(Session& session, QWidget* parent)
{
    if (!fileExists(session.DBPath)) {
        if (isFirstRun(session)) {
            const bool created = runOrEndProgram(session, parent, [&] {
                QDir().mkpath(QFileInfo(session.DBPath).absolutePath());
                store::createDatabase(session.DBPath);
            });
            if (!created)
                return false;
        } else if (!LocateDatabase(session, parent)) {
            return false;
        }
    }
    return runOrEndProgram(session, parent, [&] { store::ensureSchema(session.DBPath); });
}
