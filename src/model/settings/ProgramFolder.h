#pragma once

#include <QString>

// How far the program's own folder may be trusted with the settings file.
enum class ProgramFolder {
    // The running user's own folder, which no one else can write (a build
    // folder): its tly2.ini is the one settings file, read and written.
    Own,
    // Someone else's folder or a folder of the machine (an installed program):
    // its tly2.ini is read, never written, after the user's own.
    Installed,
    // A folder that others can write: whatever lies there may be anyone's, so
    // its tly2.ini is not read at all.
    OpenToOthers,
};

// Tells which of the three the folder is for the user running the program.
// Being able to write is not enough: the folder must belong to that user, no
// one else may write it, and it must not be one of the machine's own folders
// (root can write /usr/bin, but a program there is an installed one).
ProgramFolder classifyProgramFolder(const QString& folder);
