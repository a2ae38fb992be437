#pragma once

#include "app/AppWindows.h"
#include "app/CheckInBackground.h"
#include "app/DatabaseStartUp.h"
#include "app/UnsavedContract.h"
#include "model/print/NoteValues.h"
#include "model/session/Environment.h"
#include "model/session/Session.h"

#include <array>
#include <atomic>
#include <functional>

class QWidget;

// One run of the program: its session, its six windows and how they meet. It
// creates the windows and connects what one asks for to what another does, so
// the road of one contract reads here from top to bottom. The program's main()
// and the tests both start QUILLON through it.
class Application {
public:
    Application(const Environment& environment, const Services& services);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the start-up and shows the main window. False when the program
    // ended during start-up (no database chosen, a file that is not a database).
    bool start();
    // The start-up alone: settings, version, the database file, the main
    // window's title and both lists. False when the program must end.
    bool startUp();

    // The whole check of the file, when the start-up left it for after the
    // first window: tests and benchmarks put their own work in its place.
    void setLaterCheck(std::function<LaterCheck(const LaterCheckRequest&)> check);
    // Returns once the later check, if any runs, has reported; one still
    // waiting for the painted window starts now.
    void awaitLaterCheck()
    {
        if (laterCheckWaits())
            startLaterCheck();
        m_check.await();
    }
    // The user ended the run: a file that passed its check this run is marked
    // as ending clean, so the next start need not read it back whole.
    void markCleanEnd();

    Session& session() { return m_session; }
    // Every window; those behind the main one are made on the first call.
    AppWindows& windows();
    // The main window alone, as the start shows it.
    MainWindow* mainWindow() { return m_windows.mainWindow; }

private:
    void createOtherWindows();
    // The windows behind the main one; none until they are made.
    std::array<QWidget*, 9> otherWindows() const;
    void connectPeople();
    void connectContract();
    // Every window closes at once; the event loop, if running, stops.
    void closeEveryWindow();
    // At most one of the three contract windows is on screen.
    void hideOtherContractWindows(const QWidget* shown);
    // Save / Print of the loan-terms window.
    void savePrint();
    // Closing a contract window with unsaved work asks first; true when it may go.
    bool mayDiscardContract();
    // What the note prints, read from the schedule and the review when called.
    std::function<print::NoteValues()> noteValues();

    // A check of the file or of the office database waits for the painted window.
    bool laterCheckWaits() const { return m_later.fileCheck || m_later.serverCheck; }
    void startLaterCheck();
    // Upkeep of an office database whose schema was found as this desk last left it.
    void serverUpkeep();
    // Whether the file's verdict is known: at once for a file that stands as
    // the last clean end marked it, until its copy sends it to be read back.
    bool verdictKnown() const;
    // Whether writes may go: waits for the later check's verdict.
    bool writesMayGo();

    Session m_session;
    AppWindows m_windows;
    LeftForLater m_later;
    std::function<LaterCheck(const LaterCheckRequest&)> m_laterCheck = checkFileLater;
    // The file stood as the last clean end marked it when this run began.
    bool m_fileVouched = false;
    // The later check is reading the file itself back (not only its copy).
    std::atomic<bool> m_fileUnderCheck{false};
    // Set when the later check found the file unusable: the write that waited is not done.
    bool m_refuseWaiting = false;
    // The file passed its whole check this run (at start-up or later), and
    // how many damaged files the store had met when the run began.
    bool m_fileChecked = false;
    int m_damageMetBefore = 0;
    CheckInBackground m_check;
    UnsavedContract m_unsaved;
};
