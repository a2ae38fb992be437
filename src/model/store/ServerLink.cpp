#include "model/store/ServerLink.h"

#include "model/store/ServerDriver.h"
#include "model/store/StoreError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

#include <libpq-fe.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

// Speaks to libpq through the connection the program's driver hands out: a
// connection the server closed between operations, and a call that never gets
// an answer, are found here.

namespace store {

namespace {

using Clock = std::chrono::steady_clock;

ServerWaits& waits()
{
    static ServerWaits current;
    return current;
}

PGconn* pgConnection(const QSqlDatabase& db)
{
    const auto* driver = db.isValid() ? dynamic_cast<const ServerDriver*>(db.driver()) : nullptr;
    return driver ? driver->connection() : nullptr;
}

// One thread for the whole program watches every call to the server that
// waits for an answer; a call past its time has its socket shut.
class Watchdog {
public:
    static Watchdog& instance()
    {
        static Watchdog watchdog;
        return watchdog;
    }

    quint64 arm(int socket, Clock::time_point deadline)
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
        const quint64 id = ++m_last;
        m_watched.emplace(id, Watched{deadline, socket, false});
        m_wake.notify_one();
        return id;
    }

    // Whether the call's time had passed; after this its socket is never touched.
    bool disarm(quint64 id)
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        const auto found = m_watched.find(id);
        if (found == m_watched.end())
            return false;
        const bool expired = found->second.expired;
        m_watched.erase(found);
        return expired;
    }

    ~Watchdog()
    {
        {
            const std::lock_guard<std::mutex> guard(m_lock);
            m_stop = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    struct Watched {
        Clock::time_point deadline;
        int socket;
        bool expired;
    };

    void run()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        while (!m_stop) {
            const Clock::time_point now = Clock::now();
            Clock::time_point next = Clock::time_point::max();
            for (auto& [id, watched] : m_watched) {
                if (watched.expired)
                    continue;
                if (watched.deadline <= now) {
                    // The waiting call reads the end of the connection and returns.
                    ::shutdown(watched.socket, SHUT_RDWR);
                    watched.expired = true;
                } else if (watched.deadline < next) {
                    next = watched.deadline;
                }
            }
            if (next == Clock::time_point::max())
                m_wake.wait(lock);
            else
                m_wake.wait_until(lock, next);
        }
    }

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::map<quint64, Watched> m_watched;
    quint64 m_last = 0;
    bool m_stop = false;
    std::thread m_thread;
};

int answerSeconds()
{
    return waits().statementSeconds + waits().graceSeconds;
}

} // namespace

const ServerWaits& serverWaits()
{
    return waits();
}

void setServerWaits(const ServerWaits& changed)
{
    waits() = changed;
}

QString serverWaitOptions()
{
    // Keepalives find a connection whose server vanished from the network
    // while the session waits between operations; the user timeout does the
    // same for data sent and never acknowledged. Both are libpq's, for TCP.
    const int statementMs = waits().statementSeconds * 1000;
    return QStringList{QStringLiteral("connect_timeout=%1").arg(waits().connectSeconds),
                       QStringLiteral("keepalives=1"), QStringLiteral("keepalives_idle=30"),
                       QStringLiteral("keepalives_interval=10"), QStringLiteral("keepalives_count=3"),
                       QStringLiteral("tcp_user_timeout=%1").arg(statementMs),
                       // A session left in its transaction (its COMMIT lost on the way, its
                       // desk gone) is ended by the server within the same bound, so
                       // whatever it holds never holds up another desk for longer.
                       QStringLiteral("options='-cstatement_timeout=%1 -cidle_in_transaction_session_timeout=%1'")
                           .arg(statementMs)}
        .join(QLatin1Char(';'));
}

bool sessionStillOpen(const QSqlDatabase& db)
{
    PGconn* connection = pgConnection(db);
    if (!connection)
        return db.isOpen();
    // The server's last words and the end of the connection may come apart:
    // the first read takes the words, the second finds the end.
    for (int read = 0; read < 2; ++read)
        if (PQstatus(connection) != CONNECTION_OK || PQconsumeInput(connection) == 0)
            return false;
    return PQstatus(connection) == CONNECTION_OK && PQtransactionStatus(connection) == PQTRANS_IDLE;
}

StoreError serverFailure(const QSqlDatabase& db, const QSqlError& error, bool answerLate)
{
    if (answerLate)
        return StoreError(QStringLiteral("08006"),
                          QStringLiteral("The server gave no answer within %1 seconds; the connection was closed.")
                              .arg(answerSeconds()));
    // Qt's driver may lose the server's text; libpq still has it.
    PGconn* connection = pgConnection(db);
    const QString text = connection ? QString::fromUtf8(PQerrorMessage(connection)).trimmed() : QString();
    const StoreError failure = StoreError::from(error);
    if (error.databaseText().trimmed().isEmpty() && !text.isEmpty())
        return StoreError(failure.code(), text);
    return failure;
}

AnswerWatch::AnswerWatch(const QSqlDatabase& db)
{
    PGconn* connection = pgConnection(db);
    const int socket = connection ? PQsocket(connection) : -1;
    if (socket < 0)
        return;
    m_id = Watchdog::instance().arm(socket, Clock::now() + std::chrono::seconds(answerSeconds()));
}

AnswerWatch::~AnswerWatch()
{
    finish();
}

bool AnswerWatch::finish()
{
    if (m_id != 0) {
        m_expired = Watchdog::instance().disarm(m_id);
        m_id = 0;
    }
    return m_expired;
}

} // namespace store
