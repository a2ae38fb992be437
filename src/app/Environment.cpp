#include "app/Environment.h"

#include <QCoreApplication>
#include <QStandardPaths>

Environment Environment::forThisMachine()
{
    Environment env;
    env.programFolder = QCoreApplication::applicationDirPath();
    env.userConfigFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    env.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    env.pathStyle = PathStyle::Posix;
    // The list begins with the per-user folder; what follows are the machine's own.
    env.systemConfigFolders = QStandardPaths::standardLocations(QStandardPaths::AppConfigLocation);
    env.systemConfigFolders.removeAll(env.userConfigFolder);
    return env;
}
