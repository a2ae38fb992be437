#pragma once

#include "app/AppWindows.h"
#include "app/Environment.h"
#include "app/Session.h"

#include <memory>

// One run of the program: its session, its six windows and how they meet.
// The program's main() and the end-to-end tests both start QUILLON through it.
class Application {
public:
    Application(const Environment& environment, const Services& services);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the main window's start-up and shows it. False when the program
    // ended during start-up (no database chosen, a file that is not a database).
    bool start();

    Session& session() { return m_session; }
    AppWindows& windows() { return m_windows; }

private:
    Session m_session;
    AppWindows m_windows;
    Environment m_environment;
};
