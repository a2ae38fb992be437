#pragma once

#include "model/store/Place.h"
#include "model/store/StoreError.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

namespace store {

class Connection;

// A write the user may repeat after a failure (Save / Print, Copy, OK in the
// agent and customer dialogs) stores a token of its own in the same
// transaction, in the program's own table WriteTokens. When the reply to
// COMMIT is lost, a new session asks whether that token is stored, so the
// write is known to be done or not done; and a retry with the same token
// stores nothing twice.
//
// A token is of use only while its user action is pending, so old ones are
// removed at start-up. Their age is told by the store's clock alone, never a
// desk's, which may be years off: each token is stamped with the server's
// time; the file has no clock, so a token there is stamped with the newest
// stamp the file holds, or the desk's time when that is later, and the file's
// time is its newest stamp. A token goes once it is kWriteTokenDays older
// than that and kWriteTokensKept newer ones are stored, so a desk whose clock
// ran ahead does not age everyone else's tokens at once.
constexpr int kWriteTokenDays = 7;
constexpr int kWriteTokensKept = 100;

// The table and its index, alike on the file and on the server.
QStringList writeTokensCreateStatements();
// True when the database has the table with every column the program uses.
bool writeTokensCurrent(Connection& connection);
// Inside the caller's transaction: makes the table, or gives one made by an
// older release the columns it lacks (its tokens are stamped at their next pruning).
void completeWriteTokens(Connection& connection);
// Removes the tokens old by the store's clock, in its own transaction, after
// asking, so a database with none to remove is not written at every start.
void pruneWriteTokens(Connection& connection);
// Both, each in a transaction of its own where needed.
void ensureWriteTokens(Connection& connection);

// The key of the row a write stored, kept with its token in the same
// transaction, so a retry that finds the write done earlier still knows the
// row (the kept note is named by it); 0 when it cannot be asked.
void recordRowKey(Connection& connection, const QString& token, qint64 key);
qint64 rowKeyStoredWith(const Place& place, const QString& token);

// A new token: the desk's time it was made (the file's stamp never goes
// below it) and a random part.
QString newWriteToken(const QDateTime& now);

// The write on screen, tried until it is stored: every try of the same
// contents carries the same token, contents stored or changed get a new one.
class PendingWrite {
public:
    // Runs work(token). A failure after a try whose outcome stayed unknown is
    // unknown too (that try may have stored the contents), whatever it says.
    // now: the desk's clock.
    template <typename Work>
    void attempt(const QString& contents, const QDateTime& now, Work&& work)
    {
        const QString token = tokenFor(contents, now);
        try {
            std::forward<Work>(work)(token);
        } catch (StoreError& failure) {
            failed(failure);
            throw;
        }
        m_token.clear();
        m_unknown = false;
    }

    // Whether a try of these contents ended without knowing whether it stored them.
    bool mayBeStored(const QString& contents) const { return m_unknown && !m_token.isEmpty() && m_contents == contents; }

private:
    QString tokenFor(const QString& contents, const QDateTime& now);
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

// As writeOnce, but work stores the token itself, with claimToken or in a
// statement of its own, and returns false when it was stored before.
bool writeOnceClaiming(const Place& place, const QString& token, const std::function<bool(Connection&)>& work);

// Stores the token in the open transaction; false when it was stored before.
// On the server a token another session is storing at this moment is waited
// for until that session has committed or given up.
bool claimToken(Connection& connection, const QString& token);

// On the server, the part of a statement that claims the token with the
// store's stamp and a row key, only where condition holds: a WITH query
// named Claimed, answering the key it stored. Its one value is the token.
QString serverClaimWithKey(const QString& key, const QString& condition);

} // namespace store
