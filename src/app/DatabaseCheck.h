#pragma once

#include "model/store/Backup.h"
#include "model/store/Place.h"
#include "model/store/StoreError.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

// What the start-up check made of a database file. The check is plain work on
// the file, with nothing of the windows, so it can run wherever the start-up
// runs it; the start-up tells the user and offers what the verdict allows.
struct DatabaseVerdict {
    enum class Kind {
        Usable,   // the program can open it (indexes that disagreed with their tables rebuilt)
        Damaged,  // damaged or empty: a backup may take its place
        Unusable, // no database of the program's: another program's, Access, unreadable
    };
    Kind kind = Kind::Usable;
    // What to tell the user, naming the file; empty when usable.
    QString message;
    // The indexes disagreed with their tables and were rebuilt; no row changed.
    bool indexesRebuilt = false;
};

// Whether the file at path can serve as the program's database: it must be a
// whole SQLite file that is empty of tables or holds the program's tables,
// with nothing of another program's in them. An existing file of zero bytes is
// damaged, never a new database. Indexes that disagree with their tables are
// rebuilt from the tables (the one write the check makes, and only in a file of
// the program's); whatever else is found is left as it is.
DatabaseVerdict checkDatabase(const QString& path);

// Whether the file at path, at a glance, is a whole database of the program's
// that needs nothing added: the start-up may then show the windows at once
// and leave checkFileLater for afterwards. Reads a few pages, writes nothing;
// false sends the file down the whole check before anything else.
bool looksReady(const QString& path);

// What checkFileLater found: the verdict, and the day's copy taken on the way.
struct LaterCheck {
    DatabaseVerdict verdict;
    // Nothing when no copy was made, or when the file itself is not usable.
    std::optional<store::DailyBackup> backup;
    // The store's words when the copy could not be taken.
    QString backupFailure;
};

// What the whole check of a file that looked ready is asked to do.
struct LaterCheckRequest {
    QString path;
    QDate today;
    // The file stands as the last clean end marked it: it is read back whole
    // only when its copy comes out damaged.
    bool unchangedSinceCleanEnd = false;
    // Called on the check's own thread just before the file itself is read
    // back whole (not its copy): writes wait for the verdict from then on.
    std::function<void()> fileCheckBegins;
};

// The whole check of a file that looked ready, with the first start of the
// day's copy. Plain work on its own connections, for a thread no window sees.
LaterCheck checkFileLater(const LaterCheckRequest& request);

// The message for a damaged file: where its latest backup is.
QString damagedDatabaseMessage(const QString& path);

// The question's third button: another copy, chosen from the backups folder.
inline const QString kOtherBackup = QStringLiteral("Other Backup...");

// The question after that message when a good backup exists: put it (named
// with its day and how many contracts it holds) in place of the file, which is
// kept aside under the name restoring at that moment gives it, or choose
// another copy.
QString restoreQuestion(const QString& path, const QString& backup, const QDateTime& at);

// The message for a chosen copy that cannot take the file's place.
QString copyCannotServeMessage(const QString& copy);

// The message for a daily backup that could not be taken; the program goes on.
QString backupFailedMessage(const QString& path, const QString& storeMessage);

// The message for a daily copy that failed its check and is kept marked damaged.
QString damagedBackupMessage(const QString& path, const store::DailyBackup& backup);

// The message for an office server that cannot be opened at start-up: which
// server, and the server's own code and words for why; a server that is
// shutting down or restarting is said to be so, to be tried again shortly.
QString serverUnreachableMessage(const store::ServerAddress& server, const store::StoreError& error);
