#pragma once

#include <QString>

struct Session;

// What the About box says: the program, its version, the database file in use
// (or the office server, whether the session with it is encrypted, and which
// of its hosts the desk is on, the primary or a standby) and the
// settings file read at start-up (or that none was there).
QString aboutText(const Session& session);
