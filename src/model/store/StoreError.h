#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

namespace store {

// A failure of the database: opening it, reading or writing. Carries the
// store's own code for the user: SQLite's extended error number on the file,
// the server's SQLSTATE on the office server.
class StoreError : public std::runtime_error {
public:
    // A failure of the file, with SQLite's number.
    StoreError(int number, const QString& description);
    // A failure of the server, with its five-character SQLSTATE.
    StoreError(const QString& sqlState, const QString& description);
    static StoreError from(const QSqlError& error);

    // SQLite's number; 0 for a failure of the server.
    int number() const { return m_number; }
    // The number or the SQLSTATE, as shown.
    const QString& code() const { return m_code; }
    const QString& description() const { return m_description; }
    // "Error 26: file is not a database", as shown in the message box; a
    // failure the program found itself (number -1) is its description alone.
    QString message() const;

    // Set when a write may or may not have been stored: the reply to its
    // COMMIT was lost and asking the store afterwards failed too.
    bool outcomeUnknown() const { return m_outcomeUnknown; }
    void setOutcomeUnknown() { m_outcomeUnknown = true; }
    // Set when the reply to COMMIT never came: the write may have been stored.
    bool commitUnanswered() const { return m_commitUnanswered; }
    void setCommitUnanswered(bool unanswered = true) { m_commitUnanswered = unanswered; }

private:
    int m_number = 0;
    QString m_code;
    QString m_description;
    bool m_outcomeUnknown = false;
    bool m_commitUnanswered = false;
};

// A store's text on clean lines: a line a driver indents with a tab belongs
// to the one before it, a leading "ERROR:  " says what the code already
// says, and empty lines and an empty "()" say nothing.
QString cleanStoreText(const QString& text);

} // namespace store
