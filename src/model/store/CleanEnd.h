#pragma once

#include <QString>

namespace store {

// A mark that a run ended cleanly on a database file that had passed its whole
// check, and how the file stood then: its size, time, identity and SQLite's own
// change counter, and the schema the program gave it. A later start that finds
// the file standing exactly so has no need to open it before the first window
// or to read it back page by page; anything else (another program's write, a
// file copied or moved in, a run that never got to end) leaves no mark or one
// that does not match, and the whole check runs as before.

// Where the mark of the file at path is kept: a hidden file beside it.
QString cleanEndMarkPath(const QString& path);

// Writes the mark for the file as it stands now, whole or not at all. A mark
// that cannot be written only costs the next start its shortcut.
void markCleanEnd(const QString& path);

// Whether the mark matches the file as it stands now. The mark is removed
// either way: from here on only this run's own clean end may vouch for the file.
bool takeCleanEndMark(const QString& path);

// How many store failures saying a file is damaged this process has met: a
// run that met one since it began is never marked clean.
int damageMet();
void noteDamageMet();

} // namespace store
