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
    return env;
}
