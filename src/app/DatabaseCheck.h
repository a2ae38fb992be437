#pragma once

#include "store/Place.h"

#include <QString>

#include <optional>

// Whether the file at path can serve as the program's database: it must be a
// whole SQLite file that is empty or holds the program's three tables. Gives the
// message that tells the user what is wrong, naming the file, or nothing when it
// can be used. Reads only; nothing is written into the file.
std::optional<QString> databaseProblem(const QString& path);

// The message for a damaged file: where its latest backup is.
QString damagedDatabaseMessage(const QString& path);

// The message for a daily backup that could not be taken; the program goes on.
QString backupFailedMessage(const QString& path, const QString& storeMessage);

// The message for an office server that cannot be opened at start-up: which
// server, and the server's own code and words for why.
QString serverUnreachableMessage(const store::ServerAddress& server, const QString& serverText);
