#pragma once

struct Session;
class QWidget;

// Asks the user for the database file until an existing file is chosen, then
// writes its location into the settings file. When the user cancels, tells
// that the program cannot continue and ends it; returns false then.
bool LocateDatabase(Session& session, QWidget* parent);

// Makes sure DBPath names a database the program can open: on the very first
// run (no settings file, no file at the default path) an empty database is
// created there; otherwise a missing file is asked for. A file without any
// tables gets the schema; a damaged one (or one of zero bytes) is reported,
// and when a good backup exists the user is asked whether it takes the
// file's place. False when the program has ended.
bool prepareDatabase(Session& session, QWidget* parent);
