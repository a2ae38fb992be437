#pragma once

#include "app/DatabaseCheck.h"

#include <QObject>

#include <functional>
#include <thread>

// Runs the file's check and the day's copy on a thread of their own that no
// window sees; what they found comes back to the windows' thread through the
// event loop, where done is called with it. The windows keep their one thread.
class CheckInBackground : public QObject {
public:
    using Work = std::function<LaterCheck()>;
    using Done = std::function<void(const LaterCheck&)>;

    CheckInBackground() = default;
    // Stops work still running and waits for it: its connections end with its thread.
    ~CheckInBackground() override;
    CheckInBackground(const CheckInBackground&) = delete;
    CheckInBackground& operator=(const CheckInBackground&) = delete;

    void start(Work work, Done done);
    bool running() const { return m_running; }
    // Returns once done has been called, at once when nothing runs. Meanwhile
    // the busy cursor shows, and the windows paint and take what comes
    // through the event loop, but the user's input waits.
    void await();

private:
    void deliver(const LaterCheck& found);

    std::thread m_thread;
    Done m_done;
    bool m_running = false;
    bool m_waiting = false;
};
