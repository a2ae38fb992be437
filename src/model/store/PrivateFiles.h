#pragma once

#include <QString>

namespace store {

// Files and folders that hold customers' data are made readable by their owner
// alone. Only what is created here gets the private mode: an existing file or
// folder keeps the mode it has, so the program never widens one.

// Makes the folder, and any missing folder above it, with mode 0700. True when
// the folder exists afterwards.
bool makePrivateFolder(const QString& path);

// Creates the file new and empty with mode 0600; fails when it exists already.
// False with the reason in why when it cannot be made.
bool createPrivateFile(const QString& path, QString* why = nullptr);

// Copies a file into a new one made as above (a copy of a damaged database
// kept aside, say), whatever the mode of the original. The target must not
// exist; a copy that fails half way is removed.
bool copyToPrivateFile(const QString& from, const QString& to, QString* why = nullptr);

// Takes from the group and from others every permission on an existing file;
// the owner's own are left as they are, so nothing is ever added.
void closeToOthers(const QString& path);

} // namespace store
