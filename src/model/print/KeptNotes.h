#pragma once

#include <QDate>
#include <QString>

struct Session;

namespace print {

// Where every printed note is kept as a PDF file: "notes" beside the database
// file, or, for the office server, in the user's own data folder.
QString keptNotesFolder(const Session& session);

// The kept note's file name, led by the contract's ID so that Previous
// Contracts finds it again: "<ID> <DBA> <yyyy-mm-dd>.pdf" ("<ID> <yyyy-mm-dd>.pdf"
// without a DBA fit for a file name).
QString keptNoteName(qint64 id, const QString& dba, const QDate& day);

// The kept note of the contract with this ID, DBA and day of printing, empty
// when there is none. A note of another contract under the same ID (kept
// before a restore handed the ID out again) is never taken for it.
QString findKeptNote(const QString& folder, qint64 id, const QString& dba, const QDate& day);

// The highest contract ID any note in the folder is kept under, 0 when none:
// the database hands out no ID at or below it again.
qint64 highestKeptNoteId(const QString& folder);

// Moves the finished note at written into the folder under the contract's name,
// never over a file that is there: a name that is taken gets " (2)", " (3)"
// and so on added. The kept path, or empty when it could not be moved (written
// is gone either way).
QString keepNoteFile(const QString& written, const QString& folder, qint64 id, const QString& dba, const QDate& day);

} // namespace print
