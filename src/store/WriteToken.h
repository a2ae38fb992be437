#pragma once

#include "store/Place.h"
#include "store/StoreError.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <utility>

namespace store {

class Connection;

// A write the user may repeat after a failure (Save / Print, Copy, OK in the
// agent and customer dialogs) stores a token of its own in the same
// transaction, in the program's own table WriteTokens. When the reply to
// COMMIT is lost, a new session asks whether that token is stored, so the
// write is known to be done or not done; and a retry with the same token
// stores nothing twice. A token is of use only while its user action is
// pending, minutes at most, so tokens older than kWriteTokenDays are removed
// at start-up.
constexpr int kWriteTokenDays = 7;

// The table, alike on the file and on the server.
const QString& writeTokensCreateStatement();
bool hasWriteTokens(Connection& connection);
// Gives a database made before the tokens their table, and removes the tokens
// older than kWriteTokenDays before now; in its own transaction.
void ensureWriteTokens(Connection& connection, const QDateTime& now);

// The key of the row a write stored, kept with its token in the same
// transaction, so a retry that finds the write done earlier still knows the
// row (the kept note is named by it); 0 when it cannot be asked.
void recordRowKey(Connection& connection, const QString& token, qint64 key);
qint64 rowKeyStoredWith(const Place& place, const QString& token);

// A new token: the time it was made, for the pruning, and a random part.
QString newWriteToken(const QDateTime& now);

// The write on screen, tried until it is stored: every try of the same
// contents carries the same token, contents stored or changed get a new one.
class PendingWrite {
public:
    // Runs work(token). A failure after a try whose outcome stayed unknown is
    // unknown too (that try may have stored the contents), whatever it says.
    template <typename Work>
    void attempt(const QString& contents, Work&& work)
    {
        const QString token = tokenFor(contents);
        try {
            std::forward<Work>(work)(token);
        } catch (StoreError& failure) {
            failed(failure);
            throw;
        }
        m_token.clear();
        m_unknown = false;
    }

private:
    QString tokenFor(const QString& contents);
    void failed(StoreError& failure);

    QString m_token;
    QString m_contents;
    bool m_unknown = false;
};

// Runs work in one transaction together with storing the token (an empty
// token stores none). Returns false, writing nothing, when the token is
// stored already. When the reply to COMMIT is lost, a new session finds out
// whether the token was stored: if so this returns false as for a write done
// before; if not, the failure is thrown as it is, nothing being stored; if
// the server cannot be asked, the failure is thrown marked outcomeUnknown.
bool writeOnce(const Place& place, const QString& token, const std::function<void(Connection&)>& work);

} // namespace store
