#pragma once

#include <QString>
#include <QStringList>

// How database paths are split and joined: the Windows form the settings file
// was designed for (drive letter, backslashes) or the POSIX form of this build.
enum class PathStyle { Windows, Posix };

// Where this run of the program lives on the machine. The real values come
// from the platform; tests point them at temporary folders.
struct Environment {
    QString programFolder;      // the folder of the running program
    QString userConfigFolder;   // holds tly2.ini when the program folder is not writable
    QString userDataFolder;     // the default folder of the database file
    PathStyle pathStyle = PathStyle::Posix;
    // Machine-wide folders an administrator may put a tly2.ini in, most
    // important first (/etc/xdg/QUILLON); read only, never written.
    QStringList systemConfigFolders = {};
    QString notesFolder = {};   // where notes printed to a file go: ~/Documents/QUILLON

    static Environment forThisMachine();
};
