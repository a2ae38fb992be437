#pragma once

#include <QString>

struct Session;

// What the About box says: the program, its version, the database file in use
// and the settings file read at start-up (or that none was there).
QString aboutText(const Session& session);
