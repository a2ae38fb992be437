#pragma once

#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

// Stands between the program and a throwaway server, on a Unix socket of its
// own, and passes everything both ways until told to fail like a network:
// to lose the server's reply to the next COMMITs (the server has committed,
// then the connection is cut before the program hears it), to lose a COMMIT
// itself on its way (the server's session stays in its transaction, held open
// by the proxy until the server ends it), or to refuse new connections as a
// server that is gone would.
class CuttingProxy {
public:
    explicit CuttingProxy(const QString& serverSocketFolder);
    ~CuttingProxy();
    CuttingProxy(const CuttingProxy&) = delete;
    CuttingProxy& operator=(const CuttingProxy&) = delete;

    bool started() const { return m_listener >= 0; }
    // The socket folder, given as host to libpq.
    QString socketFolder() const { return m_dir.path(); }

    // thenRefuse: after the cut, new connections are refused as well.
    void cutAfterCommits(int count, bool thenRefuse = false)
    {
        m_refuseAfterCut = thenRefuse;
        m_commitsToCut = count;
    }
    void swallowNextCommit() { m_commitsToSwallow = 1; }
    void refuseConnections(bool refuse) { m_refuse = refuse; }
    // New connections are answered as a server that is shutting down answers them.
    void answerAsShuttingDown(bool shuttingDown) { m_shuttingDown = shuttingDown; }
    int cutsDone() const { return m_cutsDone; }
    // Round trips: each time the server answers after the program spoke.
    int roundTrips() const { return m_roundTrips; }
    void countRoundTripsAfresh() { m_roundTrips = 0; }
    // Each turn of the talk waits this long before it passes, each way, as a
    // distant network's would (for benchmarks; the proxy's one thread waits).
    void delayEachWay(int milliseconds) { m_delayMs = milliseconds; }
    int commitsSwallowed() const { return m_commitsSwallowed; }

private:
    void run();

    QTemporaryDir m_dir;
    QString m_serverSocket;
    int m_listener = -1;
    int m_stopPipe[2] = {-1, -1};
    std::atomic<int> m_commitsToCut{0};
    std::atomic<bool> m_refuse{false};
    std::atomic<bool> m_shuttingDown{false};
    std::atomic<bool> m_refuseAfterCut{false};
    std::atomic<int> m_cutsDone{0};
    std::atomic<int> m_commitsToSwallow{0};
    std::atomic<int> m_commitsSwallowed{0};
    std::atomic<int> m_roundTrips{0};
    std::atomic<int> m_delayMs{0};
    std::thread m_thread;
};
