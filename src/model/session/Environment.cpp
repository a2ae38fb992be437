#include "model/session/Environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

Environment Environment::forThisMachine()
{
    Environment env;
    env.programFolder = QCoreApplication::applicationDirPath();
    env.userConfigFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    env.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    env.pathStyle = PathStyle::Posix;
    env.notesFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                          .filePath(QStringLiteral("QUILLON"));
    // The list begins with the per-user folder; what follows are the machine's own.
    env.systemConfigFolders = QStandardPaths::standardLocations(QStandardPaths::AppConfigLocation);
    env.systemConfigFolders.removeAll(env.userConfigFolder);
    return env;
}
