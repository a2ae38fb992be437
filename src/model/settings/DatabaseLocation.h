#pragma once

#include "model/session/Environment.h"

#include <QString>

#include <optional>

// The three parts of the database file's location as the settings file keeps
// them, and the rules that join them into a path and split a path into them.
// Pure functions: the path style says whether the parts follow the Windows form
// (drive letter, backslashes) or the POSIX form of this build.
struct DatabaseLocation {
    QString drive;
    QString dir;
    QString name;

    // drive + dir + name, with nothing put between the parts.
    QString path() const { return drive + dir + name; }
    bool operator==(const DatabaseLocation&) const = default;
};

// The separator of a path style: '\' or '/'.
QChar pathSeparator(PathStyle style);

// The settings file tly2.ini inside folder, without a doubled separator when
// the folder already ends in one (a drive root, say).
QString settingsFilePath(const QString& folder, PathStyle style);

// The values the settings file may hold, each missing when its key is missing.
struct StoredLocation {
    std::optional<QString> dbdrive;
    std::optional<QString> dbdir;
    std::optional<QString> dbname;
};

// What ReadSettings makes of the stored values: a missing key takes its default
// (Windows "c:", empty folder, "project.mdb"; POSIX no drive, the per-user data
// folder, "project.mdb"), and the folder always ends in the separator.
DatabaseLocation locationFromSettings(const StoredLocation& stored, PathStyle style,
                                      const QString& userDataFolder);

// What WriteSettings makes of a chosen path. Windows: the drive is the first two
// characters and the folder runs from the third through the last backslash.
// POSIX: no drive, and the folder runs through the last '/'.
DatabaseLocation locationFromPath(const QString& path, PathStyle style);
