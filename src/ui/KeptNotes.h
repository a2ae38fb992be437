#pragma once

#include <QDate>
#include <QString>

struct Session;

namespace ui {

// Where every printed note is kept as a PDF file: "notes" beside the database
// file, or, for the office server, in the user's own data folder.
QString keptNotesFolder(const Session& session);

// The kept note's file name, led by the contract's ID so that Previous
// Contracts finds it again: "<ID> <DBA> <yyyy-mm-dd>.pdf" ("<ID> <yyyy-mm-dd>.pdf"
// without a DBA fit for a file name).
QString keptNoteName(qint64 id, const QString& dba, const QDate& day);

// The kept note of the contract with this ID, empty when there is none.
QString findKeptNote(const QString& folder, qint64 id);

} // namespace ui
