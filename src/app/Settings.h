#pragma once

#include <QString>

struct Session;
struct Environment;

// The folder that holds tly2.ini: the program's own folder, or the per-user
// configuration folder when the program's folder cannot be written (an
// installed program).
QString settingsFolder(const Environment& environment);

// Fills IniPath, DBDrive, DBDir, DBName and DBPath from the settings file;
// missing keys (or a missing file) take their defaults.
void ReadSettings(Session& session);

// Splits DBPath into DBDrive, DBDir and DBName and writes the three keys.
// As always, the results of the writes are not checked.
void WriteSettings(Session& session);

// The version shown in the main window's title and printed on the note.
void SetVersion(Session& session);

// True when the settings file is missing altogether (not merely a key in it).
bool settingsFileMissing(const Session& session);

// Where the database file lies when no settings file names it.
QString defaultDatabasePath(const Environment& environment);
