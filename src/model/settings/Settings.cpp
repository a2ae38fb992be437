#include "model/settings/Settings.h"

#include "ProgramVersion.h"

#include "model/session/Session.h"
#include "model/settings/DatabaseLocation.h"
#include "model/settings/ProfileFile.h"
#include "model/settings/ServerSettings.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("file");

std::optional<QString> storedValue(const QString& iniPath, const QString& key)
{
    return profile::readValue(iniPath, kSection, key);
}

} // namespace

QString settingsFolder(const Environment& environment)
{
    return classifyProgramFolder(environment.programFolder) == ProgramFolder::Own ? environment.programFolder
                                                                                 : environment.userConfigFolder;
}

SettingsFiles chooseSettingsFiles(const Environment& environment)
{
    return chooseSettingsFiles(environment, classifyProgramFolder(environment.programFolder),
                               [](const QString& path) { return QFileInfo(path).isFile(); });
}

SettingsFiles chooseSettingsFiles(const Environment& environment, ProgramFolder programFolder,
                                  const std::function<bool(const QString&)>& fileExists)
{
    const PathStyle style = environment.pathStyle;
    const QString programFile = settingsFilePath(environment.programFolder, style);
    if (programFolder == ProgramFolder::Own)
        return {programFile, programFile};

    const QString userFile = settingsFilePath(environment.userConfigFolder, style);
    QStringList candidates{userFile};
    if (programFolder == ProgramFolder::Installed)
        candidates << programFile;
    for (const QString& system : environment.systemConfigFolders)
        candidates << settingsFilePath(system, style);
    for (const QString& candidate : candidates)
        if (fileExists(candidate))
            return {candidate, userFile};
    return {userFile, userFile};
}

void ReadSettings(Session& session)
{
    const Environment& env = session.env;
    const SettingsFiles files = chooseSettingsFiles(env);
    session.IniPath = files.read;
    session.IniWritePath = files.write;
    const StoredLocation stored{storedValue(session.IniPath, QStringLiteral("dbdrive")),
                                storedValue(session.IniPath, QStringLiteral("dbdir")),
                                storedValue(session.IniPath, QStringLiteral("dbName"))};
    const DatabaseLocation location =
        locationFromSettings(stored, env.pathStyle, QDir::fromNativeSeparators(env.userDataFolder));
    session.DBDrive = location.drive;
    session.DBDir = location.dir;
    session.DBName = location.name;
    session.DBPath = location.path();
    session.Server = readServerSettings(session.IniPath);
}

void WriteSettings(Session& session)
{
    const DatabaseLocation location = locationFromPath(session.DBPath, session.env.pathStyle);
    session.DBDrive = location.drive;
    session.DBDir = location.dir;
    session.DBName = location.name;
    const QString target = session.IniWritePath.isEmpty() ? session.IniPath : session.IniWritePath;
    // The per-user folder may not exist yet on a first write.
    QDir().mkpath(QFileInfo(target).absolutePath());
    // One replacement of the file for all three keys: an interrupted write
    // never leaves a drive from one pick beside the folder of another.
    profile::writeStrings(target, kSection,
                          {{QStringLiteral("dbdrive"), location.drive},
                           {QStringLiteral("dbdir"), location.dir},
                           {QStringLiteral("dbname"), location.name}});
}

void SetVersion(Session& session)
{
    session.Version = QString::fromLatin1(kProgramVersion);
}

QString unreadableSettingsMessage(const Session& session)
{
    const QString problem = profile::settingsFileProblem(session.IniPath);
    if (problem.isEmpty())
        return {};
    return QStringLiteral("The settings file ") + QDir::toNativeSeparators(session.IniPath) +
           QStringLiteral(" cannot be read: ") + problem +
           QStringLiteral(".\nQUILLON goes on with its default settings and leaves the file as it is.");
}

bool settingsFileMissing(const Session& session)
{
    return !QFileInfo::exists(session.IniPath);
}

QString defaultDatabasePath(const Environment& environment)
{
    return locationFromSettings({}, environment.pathStyle,
                                QDir::fromNativeSeparators(environment.userDataFolder))
        .path();
}
