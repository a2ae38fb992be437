#pragma once

#include <QByteArray>

struct LaterCheck;
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
// file's place. False when the program has ended. A file that looks ready
// is left for checkFileLater (fileCheck set): nothing of the whole check or
// the day's copy stands between the start and the first window; one that
// stands as this program's last clean end on it left it (fileVouched) is
// taken as ready without being opened. Its mark is taken either way. An office
// server whose catalog some desk found whole before is not checked again; its
// upkeep is left for after the first window (serverUpkeep set). One whose
// catalog holds every table the program makes is checked after the first
// window (serverCheck set, with the digest its word is kept under).
struct LeftForLater {
    bool fileCheck = false;
    bool fileVouched = false;
    bool serverUpkeep = false;
    bool serverCheck = false;
    QByteArray catalogDigest;
};
bool prepareDatabase(Session& session, QWidget* parent, LeftForLater& later);

// What the later check's verdict leaves of this run.
enum class LaterOutcome {
    Serves,   // the file is whole (a failed copy has been said)
    Restored, // it was not; the user put a backup in its place
    Ended,    // it was not and cannot serve: said, and the program ends
};

// Tells what the later check found, as the start-up would have told it: a
// damaged or unusable file with the same messages and the same offer of the
// latest good backup, a copy that failed with the same warning.
LaterOutcome reportLaterCheck(Session& session, QWidget* parent, const LaterCheck& found);
