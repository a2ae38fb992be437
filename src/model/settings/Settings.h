#pragma once

#include "model/settings/ProgramFolder.h"

#include <QString>

#include <functional>

struct Session;
struct Environment;

// The folder that holds the written tly2.ini: the program's own folder when it
// is the user's own (a build folder), otherwise the per-user configuration
// folder.
QString settingsFolder(const Environment& environment);

// Which settings file a run reads and which one a picked database is written to.
struct SettingsFiles {
    QString read;
    QString write;
    bool operator==(const SettingsFiles&) const = default;
};

// The user's own program folder keeps its own tly2.ini, read and written.
// Otherwise (an installed program) the first existing file of: the per-user
// one, the program folder's (read only, and only when no one else can write
// that folder), the machine-wide ones; with none of them the per-user file is
// read, as missing. Picks always go to the per-user file, so a user's own
// choice wins at the next start.
SettingsFiles chooseSettingsFiles(const Environment& environment);

// The same choice over given facts: what the program folder is to this user
// and which files exist.
SettingsFiles chooseSettingsFiles(const Environment& environment, ProgramFolder programFolder,
                                  const std::function<bool(const QString&)>& fileExists);

// Fills IniPath, DBDrive, DBDir, DBName and DBPath from the settings file;
// missing keys (or a missing file) take their defaults.
void ReadSettings(Session& session);

// Splits DBPath into DBDrive, DBDir and DBName and writes the three keys into
// IniWritePath (IniPath when that is not set).
// As always, the results of the writes are not checked.
void WriteSettings(Session& session);

// The version shown in the main window's title and printed on the note.
void SetVersion(Session& session);

// The message for a settings file that is there but cannot be read (its name
// and why); the run goes on as without one and never writes over it. Empty
// when the file can be read or is not there.
QString unreadableSettingsMessage(const Session& session);

// True when the settings file is missing altogether (not merely a key in it).
bool settingsFileMissing(const Session& session);

// Where the database file lies when no settings file names it.
QString defaultDatabasePath(const Environment& environment);
