#pragma once

#include <QString>

class QSqlDatabase;
class QSqlError;

namespace store {

class StoreError;

// How long the program waits for the office server. A server that is frozen
// or gone from the network gives its message within these bounds instead of
// holding the windows.
struct ServerWaits {
    // Logging in.
    int connectSeconds = 10;
    // One statement, as the server itself counts it.
    int statementSeconds = 30;
    // Beyond the statement's bound, how long the program waits for the answer
    // of a server that cannot even count (stopped, or its machine gone)
    // before it closes the connection itself.
    int graceSeconds = 5;
};
const ServerWaits& serverWaits();
// For tests that must not wait half a minute; the program keeps the defaults.
void setServerWaits(const ServerWaits& waits);

// The libpq connection options that carry those bounds and the keepalives.
QString serverWaitOptions();

// True when a kept session still stands. Reads, without sending anything,
// what the server sent since the last operation: a server that shut down or
// restarted has said so and closed the connection.
bool sessionStillOpen(const QSqlDatabase& db);

// The server's failure with its SQLSTATE and text. answerLate: the program
// closed the connection because no answer came within the bounds.
StoreError serverFailure(const QSqlDatabase& db, const QSqlError& error, bool answerLate);

// Bounds one call to the server: if no answer has come when the statement's
// bound and the grace have passed, the connection's socket is shut, so the
// waiting call returns with a failure.
class AnswerWatch {
public:
    explicit AnswerWatch(const QSqlDatabase& db);
    ~AnswerWatch();
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;
    // Ends the watch: true when the bound passed and the socket was shut.
    bool finish();

private:
    quint64 m_id = 0;
    bool m_expired = false;
};

} // namespace store
