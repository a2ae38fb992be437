#include "support/CuttingProxy.h"

#include <QByteArray>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

sockaddr_un unixAddress(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    std::strncpy(address.sun_path, bytes.constData(), sizeof(address.sun_path) - 1);
    return address;
}

QString socketPath(const QString& folder)
{
    return folder + QStringLiteral("/.s.PGSQL.5432");
}

// The simple-query message libpq sends for COMMIT: 'Q', its length, the text.
const QByteArray kCommit("Q\0\0\0\x0b" "COMMIT\0", 12);

struct Pair {
    int program;
    int server;
    // The COMMIT went through; the server's reply is the last thing it sends here.
    bool cutting = false;
    // The COMMIT never reached the server: nothing passes any more, and the
    // server's end stays open after the program's end closes.
    bool swallowed = false;
    // Who spoke last: a turn of the talk begins when the other one speaks.
    bool programSpokeLast = false;
    bool serverSpokeLast = false;
};

bool sendAll(int socket, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size_t(size), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= sent;
    }
    return true;
}

// Reads the program's startup packet and answers it as a server that is
// shutting down does.
void answerShuttingDown(int program)
{
    char packet[8192];
    (void)::read(program, packet, sizeof packet);
    QByteArray fields;
    for (const char* field : {"SFATAL", "VFATAL", "C57P03", "Mthe database system is shutting down"})
        fields.append(field).append('\0');
    fields.append('\0');
    const quint32 length = quint32(fields.size() + 4);
    QByteArray reply("E");
    for (int shift = 24; shift >= 0; shift -= 8)
        reply.append(char((length >> shift) & 0xff));
    reply.append(fields);
    (void)::write(program, reply.constData(), size_t(reply.size()));
}

} // namespace

CuttingProxy::CuttingProxy(const QString& serverSocketFolder) : m_serverSocket(socketPath(serverSocketFolder))
{
    if (!m_dir.isValid() || ::pipe(m_stopPipe) != 0)
        return;
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = unixAddress(socketPath(m_dir.path()));
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0
        || ::listen(listener, 16) != 0) {
        ::close(listener);
        return;
    }
    m_listener = listener;
    m_thread = std::thread([this] { run(); });
}

CuttingProxy::~CuttingProxy()
{
    if (m_thread.joinable()) {
        const char stop = 's';
        [[maybe_unused]] const ssize_t written = ::write(m_stopPipe[1], &stop, 1);
        m_thread.join();
    }
    for (int fd : {m_listener, m_stopPipe[0], m_stopPipe[1]})
        if (fd >= 0)
            ::close(fd);
}

void CuttingProxy::run()
{
    std::vector<Pair> pairs;
    // Server ends of swallowed COMMITs, until the server closes them.
    std::vector<int> held;
    const auto closePair = [&](size_t at) {
        ::close(pairs[at].program);
        if (pairs[at].swallowed)
            held.push_back(pairs[at].server);
        else
            ::close(pairs[at].server);
        pairs.erase(pairs.begin() + long(at));
    };
    char buffer[65536];
    for (;;) {
        std::vector<pollfd> watched{{m_stopPipe[0], POLLIN, 0}, {m_listener, POLLIN, 0}};
        for (const Pair& pair : pairs) {
            watched.push_back({pair.program, POLLIN, 0});
            watched.push_back({pair.server, POLLIN, 0});
        }
        for (const int server : held)
            watched.push_back({server, POLLIN, 0});
        if (::poll(watched.data(), watched.size(), -1) < 0)
            continue;
        if (watched[0].revents)
            break;
        // A held session the server ended: its last words go nowhere.
        for (size_t at = held.size(); at-- > 0;) {
            if (!watched[2 + 2 * pairs.size() + at].revents)
                continue;
            if (::recv(held[at], buffer, sizeof(buffer), 0) <= 0) {
                ::close(held[at]);
                held.erase(held.begin() + long(at));
            }
        }
        // A pair accepted below is not in watched yet; it is looked at next time round.
        const size_t watchedPairs = pairs.size();
        if (watched[1].revents & POLLIN) {
            const int program = ::accept(m_listener, nullptr, nullptr);
            if (program >= 0 && m_shuttingDown) {
                answerShuttingDown(program);
                ::close(program);
            } else if (program >= 0) {
                const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
                const sockaddr_un address = unixAddress(m_serverSocket);
                if (m_refuse
                    || ::connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
                    ::close(server);
                    ::close(program);
                } else {
                    pairs.push_back({program, server});
                }
            }
        }
        // Back to front, so that closing a pair leaves the others' places in watched.
        for (size_t at = watchedPairs; at-- > 0;) {
            const pollfd& fromProgram = watched[2 + 2 * at];
            const pollfd& fromServer = watched[3 + 2 * at];
            Pair& pair = pairs[at];
            if (pair.swallowed) {
                // Nothing passes; the server's end is held once the program's closes.
                if (fromServer.revents && ::recv(pair.server, buffer, sizeof(buffer), 0) <= 0) {
                    pair.swallowed = false;
                    closePair(at);
                } else if (fromProgram.revents && ::recv(pair.program, buffer, sizeof(buffer), 0) <= 0) {
                    closePair(at);
                }
                continue;
            }
            if (fromServer.revents) {
                const ssize_t got = ::recv(pair.server, buffer, sizeof(buffer), 0);
                if (got > 0 && !pair.serverSpokeLast) {
                    if (pair.programSpokeLast)
                        ++m_roundTrips;
                    if (m_delayMs > 0)
                        std::this_thread::sleep_for(std::chrono::milliseconds(m_delayMs));
                    pair.serverSpokeLast = true;
                    pair.programSpokeLast = false;
                }
                // The reply to the cut COMMIT arrived at the server's end and goes nowhere.
                if (got <= 0 || pair.cutting || !sendAll(pair.program, buffer, got)) {
                    if (pair.cutting)
                        ++m_cutsDone;
                    closePair(at);
                    continue;
                }
            }
            if (fromProgram.revents) {
                const ssize_t got = ::recv(pair.program, buffer, sizeof(buffer), 0);
                if (got > 0 && !pair.programSpokeLast) {
                    if (m_delayMs > 0)
                        std::this_thread::sleep_for(std::chrono::milliseconds(m_delayMs));
                    pair.programSpokeLast = true;
                    pair.serverSpokeLast = false;
                }
                if (got > 0 && QByteArray::fromRawData(buffer, got).contains(kCommit) && m_commitsToSwallow > 0) {
                    --m_commitsToSwallow;
                    pair.swallowed = true;
                    ++m_commitsSwallowed;
                    continue;
                }
                if (got <= 0 || !sendAll(pair.server, buffer, got)) {
                    closePair(at);
                    continue;
                }
                if (QByteArray::fromRawData(buffer, got).contains(kCommit) && m_commitsToCut > 0) {
                    --m_commitsToCut;
                    pair.cutting = true;
                    if (m_refuseAfterCut)
                        m_refuse = true;
                }
            }
        }
    }
    for (size_t at = pairs.size(); at-- > 0;)
        closePair(at);
    for (const int server : held)
        ::close(server);
}
